#include "ui/TerminateRequest.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>
#include <atomic>
#include <cerrno>
#include <csignal>

#include "ui/MessagePump.h"
#include "ui/WinAppEx.h"
#include "ui/Wnd.h"

namespace {
// The write end of the request pipe; the signal handler may only write to it.
std::atomic<int> g_requestFd{-1};

// How often a refused close is asked again (ms): an operation's end is
// noticed soon enough, and nothing wakes while no request stands.
constexpr int kRetryMs = 100;

void OnTerminateSignal(int) {
  const int saved = errno;
  const int fd = g_requestFd.load(std::memory_order_relaxed);
  const char b = 1;
  if (fd >= 0) (void)!::write(fd, &b, 1);
  errno = saved;
}

// Cancels every shown modal window, as its close box would; a dialog that
// refuses (its cancel does nothing) is ended all the same, past its own
// handlers. Returns whether any was shown.
bool EndModalWindows() {
  bool any = false;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    QPointer<QWidget> w = top;  // closing one may destroy others
    if (!w || !w->isVisible() || !w->isModal()) continue;
    any = true;
    w->close();
    if (w && w->isVisible()) {
      if (auto* dialog = qobject_cast<QDialog*>(w.data())) dialog->done(QDialog::Rejected);
    }
  }
  return any;
}
}  // namespace

CTerminateRequest::CTerminateRequest() {
  CWinAppEx* app = AfxGetApp();
  if (!app || !app->m_pMainWnd || !app->m_pMainWnd->IsWindowVisible()) return;
  if (::pipe2(m_fds, O_NONBLOCK | O_CLOEXEC) != 0) {
    m_fds[0] = m_fds[1] = -1;
    return;
  }
  m_notifier = std::make_unique<QSocketNotifier>(m_fds[0], QSocketNotifier::Read);
  QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { OnRequest(); });
  m_retry = std::make_unique<QTimer>();
  m_retry->setInterval(kRetryMs);
  QObject::connect(m_retry.get(), &QTimer::timeout, [this] { Attempt(); });
  g_requestFd.store(m_fds[1]);
  struct sigaction sa {};
  sa.sa_handler = &OnTerminateSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &sa, nullptr);
}

CTerminateRequest::~CTerminateRequest() {
  if (m_fds[1] < 0) return;
  ::signal(SIGTERM, SIG_DFL);
  g_requestFd.store(-1);
  m_retry.reset();
  m_notifier.reset();
  ::close(m_fds[0]);
  ::close(m_fds[1]);
}

void CTerminateRequest::OnRequest() {
  char buf[16];
  while (::read(m_fds[0], buf, sizeof buf) > 0) {
  }
  m_retry->start();
  Attempt();
}

void CTerminateRequest::Attempt() {
  CWinAppEx* app = AfxGetApp();
  CWnd* main = app ? app->m_pMainWnd : nullptr;
  if (!main || main->GetSafeHwnd() == 0) {
    m_retry->stop();
    return;
  }
  // The dialogs' own loops end first; the close follows at the next try,
  // once nothing modal is left above the main window.
  if (EndModalWindows()) return;
  PostWindowMessage(main->GetSafeHwnd(), WM_CLOSE, 0, 0);
}
