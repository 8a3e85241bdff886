#pragma once
// Helpers of the window-framework tests.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

// Lets the event loop run until the condition holds or five seconds pass.
inline bool RunUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
  }
  return true;
}
