#include "platform/Event.h"

#include <chrono>

namespace platform {

void Event::Set() {
  // Notify under the lock: a waiter that wakes may destroy the event at once
  // (a "done" event on its stack), and a notify after the unlock would then
  // touch a dead condition variable.
  std::lock_guard<std::mutex> lock(m_mutex);
  m_signaled = true;
  if (m_manual)
    m_cv.notify_all();
  else
    m_cv.notify_one();
}

void Event::Reset() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_signaled = false;
}

WaitResult Event::Wait(uint32_t ms) {
  std::unique_lock<std::mutex> lock(m_mutex);
  auto ready = [this] { return m_signaled; };
  bool ok;
  if (ms == kInfinite) {
    m_cv.wait(lock, ready);
    ok = true;
  } else if (ms == 0) {
    ok = m_signaled;
  } else {
    ok = m_cv.wait_for(lock, std::chrono::microseconds(ScaledMicros(ms)), ready);
  }
  if (!ok) return WaitResult::Timeout;
  if (!m_manual) m_signaled = false;
  return WaitResult::Signaled;
}

}  // namespace platform
