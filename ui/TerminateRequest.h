#pragma once
// While one exists, a terminate request (SIGTERM: the desktop session ends,
// or a supervisor stops the program) closes the main window as its close box
// does, instead of killing the process with the port open and the traffic
// log unwritten. Modal dialogs stand in the main window's way, so they are
// cancelled first; a main window that refuses (a logger operation still
// runs) is asked again until it goes.

#include <memory>

class QSocketNotifier;
class QTimer;

class CTerminateRequest {
 public:
  // User-interface thread, with the message loop about to run. Without a
  // shown main window there is nothing to close: the default action stays.
  CTerminateRequest();
  // The default action again.
  ~CTerminateRequest();
  CTerminateRequest(const CTerminateRequest&) = delete;
  CTerminateRequest& operator=(const CTerminateRequest&) = delete;

 private:
  void OnRequest();
  // One try: cancel the modal dialogs, or else post the close to the main window.
  void Attempt();

  int m_fds[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> m_notifier;
  std::unique_ptr<QTimer> m_retry;
};
