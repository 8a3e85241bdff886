#pragma once
// A signalling event: manual-reset (stays signalled until Reset) or
// auto-reset (a successful Wait takes the signal).

#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "platform/Time.h"

namespace platform {

// clang-format 14 takes an attributed enum for a braced list and mangles it.
// clang-format off
enum class [[nodiscard]] WaitResult { Signaled, Timeout };
// clang-format on

class Event {
 public:
  Event(bool manualReset, bool initialState) : m_manual(manualReset), m_signaled(initialState) {}
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  void Set();
  void Reset();
  // Waits up to ms scaled milliseconds (kInfinite: no limit; 0: a poll).
  WaitResult Wait(uint32_t ms);

 private:
  const bool m_manual;
  bool m_signaled;
  std::mutex m_mutex;
  std::condition_variable m_cv;
};

}  // namespace platform
