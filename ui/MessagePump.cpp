#include "ui/MessagePump.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>
#include <deque>
#include <mutex>

#include "ui/Wnd.h"

namespace {
struct Posted {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

// The queue of posted messages; wakePending says a wake-up event for the
// dispatcher is on its way, so posting from a busy worker does not flood
// Qt's queue with one event per message.
std::mutex g_queueLock;
std::deque<Posted> g_queue;
bool g_wakePending = false;

// Bounded pumps running on the user-interface thread; while one runs, the
// dispatcher leaves the queue to it so that its count stays true.
int g_boundedDepth = 0;

const QEvent::Type kWakeEvent = static_cast<QEvent::Type>(QEvent::User + 0x4B32);

bool DispatchOne() {
  Posted p;
  {
    std::lock_guard<std::mutex> lock(g_queueLock);
    if (g_queue.empty()) return false;
    p = g_queue.front();
    g_queue.pop_front();
  }
  // A window destroyed after the post simply misses its message.
  if (CWnd* wnd = CWnd::FromHandle(p.hwnd)) wnd->WindowProc(p.message, p.wParam, p.lParam);
  return true;
}

int DispatchPendingNow() {
  size_t n;
  {
    std::lock_guard<std::mutex> lock(g_queueLock);
    n = g_queue.size();
  }
  int done = 0;
  while (n-- > 0 && DispatchOne()) ++done;
  return done;
}

void EnsureWake();

class Dispatcher : public QObject {
 public:
  bool event(QEvent* e) override {
    if (e->type() != kWakeEvent) return QObject::event(e);
    {
      std::lock_guard<std::mutex> lock(g_queueLock);
      g_wakePending = false;
    }
    if (g_boundedDepth == 0) DispatchPendingNow();
    EnsureWake();
    return true;
  }
};

Dispatcher* TheDispatcher() {
  static Dispatcher* d = [] {
    auto* disp = new Dispatcher;
    if (auto* app = QCoreApplication::instance()) disp->moveToThread(app->thread());
    return disp;
  }();
  return d;
}

// Posts a wake-up when messages wait and none is on its way.
void EnsureWake() {
  if (!QCoreApplication::instance()) return;
  {
    std::lock_guard<std::mutex> lock(g_queueLock);
    if (g_queue.empty() || g_wakePending || g_boundedDepth > 0) return;
    g_wakePending = true;
  }
  QCoreApplication::postEvent(TheDispatcher(), new QEvent(kWakeEvent));
}

bool IsWindowService(platform::WindowHandle h) { return IsWindow(h) != FALSE; }
bool PostCommandService(platform::WindowHandle h, unsigned command, std::intptr_t param) {
  return PostWindowMessage(h, WM_COMMAND, command, param) != FALSE;
}
}  // namespace

bool IsUiThread() {
  auto* app = QCoreApplication::instance();
  return app && QThread::currentThread() == app->thread();
}

void InstallUiPlatformServices() {
  TheDispatcher();
  platform::WindowServices services;
  services.isWindow = &IsWindowService;
  services.postCommand = &PostCommandService;
  platform::InstallWindowServices(services);
}

BOOL PostWindowMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!IsWindow(hWnd)) return FALSE;
  bool wake = false;
  {
    std::lock_guard<std::mutex> lock(g_queueLock);
    g_queue.push_back({hWnd, message, wParam, lParam});
    if (!g_wakePending) {
      g_wakePending = true;
      wake = true;
    }
  }
  if (wake) {
    if (QCoreApplication::instance()) {
      QCoreApplication::postEvent(TheDispatcher(), new QEvent(kWakeEvent));
    } else {
      std::lock_guard<std::mutex> lock(g_queueLock);
      g_wakePending = false;
    }
  }
  return TRUE;
}

int PumpMessages(int maxMessages) {
  if (!IsUiThread()) return 0;
  ++g_boundedDepth;
  int done = 0;
  while (done < maxMessages && DispatchOne()) ++done;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  --g_boundedDepth;
  EnsureWake();
  return done;
}

int PumpAllPendingMessages() {
  if (!IsUiThread()) return 0;
  ++g_boundedDepth;
  int done = DispatchPendingNow();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  --g_boundedDepth;
  EnsureWake();
  return done;
}

size_t PendingMessageCount() {
  std::lock_guard<std::mutex> lock(g_queueLock);
  return g_queue.size();
}
