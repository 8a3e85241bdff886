#include "ui/MessagePump.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>
#include <algorithm>
#include <atomic>
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

// How far back from the queue's end a latest value finds its message: far
// enough to pass the terminal's refresh posted between two counts.
constexpr size_t kLatestScan = 8;

// Bounded pumps running on the user-interface thread; while one runs, the
// dispatcher leaves the queue to it so that its count stays true.
int g_boundedDepth = 0;

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

// The user-interface thread is woken through a pipe: a worker writes one
// byte, the thread's event loop sees the read end ready. (A Qt event posted
// from a worker would do as well, but its hand-over is invisible to the
// thread sanitizer.)
class Dispatcher : public QObject {
 public:
  Dispatcher() {
    if (::pipe2(m_fds, O_NONBLOCK | O_CLOEXEC) != 0) {
      m_fds[0] = m_fds[1] = -1;
      return;
    }
    m_notifier = new QSocketNotifier(m_fds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { Woken(); });
  }
  ~Dispatcher() override {
    if (m_fds[0] >= 0) ::close(m_fds[0]);
    if (m_fds[1] >= 0) ::close(m_fds[1]);
  }
  void Wake() {
    char b = 1;
    if (m_fds[1] >= 0) (void)!::write(m_fds[1], &b, 1);
  }

 private:
  void Woken();
  int m_fds[2];
  QSocketNotifier* m_notifier = nullptr;
};

std::atomic<Dispatcher*> g_dispatcher{nullptr};

// Posts a wake-up when messages wait and none is on its way.
void EnsureWake() {
  Dispatcher* d = g_dispatcher.load();
  if (!d) return;
  {
    std::lock_guard<std::mutex> lock(g_queueLock);
    if (g_queue.empty() || g_wakePending || g_boundedDepth > 0) return;
    g_wakePending = true;
  }
  d->Wake();
}

void Dispatcher::Woken() {
  char buf[64];
  while (::read(m_fds[0], buf, sizeof buf) > 0) {
  }
  {
    std::lock_guard<std::mutex> lock(g_queueLock);
    g_wakePending = false;
  }
  if (g_boundedDepth == 0) DispatchPendingNow();
  EnsureWake();
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

bool IsModalLoopRunning() { return QApplication::activeModalWidget() != nullptr; }

void EnsureMessageDispatcher() {
  if (g_dispatcher.load() || !IsUiThread()) return;
  g_dispatcher = new Dispatcher;
}

void InstallUiPlatformServices() {
  EnsureMessageDispatcher();
  platform::WindowServices services;
  services.isWindow = &IsWindowService;
  services.postCommand = &PostCommandService;
  platform::InstallWindowServices(services);
}

namespace {
BOOL Post(const Posted& posted, bool latest) {
  if (!IsWindow(posted.hwnd)) return FALSE;
  Dispatcher* d = g_dispatcher.load();
  bool wake = false;
  {
    std::lock_guard<std::mutex> lock(g_queueLock);
    if (latest) {
      const size_t scan = std::min(g_queue.size(), kLatestScan);
      for (auto it = g_queue.rbegin(); it != g_queue.rbegin() + static_cast<std::ptrdiff_t>(scan); ++it) {
        if (it->hwnd == posted.hwnd && it->message == posted.message && it->wParam == posted.wParam) {
          it->lParam = posted.lParam;
          return TRUE;  // a wake-up is on its way for the waiting message
        }
      }
    }
    g_queue.push_back(posted);
    if (d && !g_wakePending) {
      g_wakePending = true;
      wake = true;
    }
  }
  // The dispatcher is made on the user-interface thread before the first
  // window exists, so a worker that found a window finds it too.
  if (wake) d->Wake();
  return TRUE;
}
}  // namespace

BOOL PostWindowMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Post({hWnd, message, wParam, lParam}, false);
}

BOOL PostLatestWindowMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  return Post({hWnd, message, wParam, lParam}, true);
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

void WaitForWindowEvents() {
  if (!IsUiThread()) return;
  // Outside the bounded pumps the dispatcher hands posted messages out as
  // they arrive, so the wait dispatches them too.
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void WakeUiThread() {
  if (Dispatcher* d = g_dispatcher.load()) d->Wake();
}

size_t PendingMessageCount() {
  std::lock_guard<std::mutex> lock(g_queueLock);
  return g_queue.size();
}
