#pragma once
// Scaled time in tests: the platform time scale for as long as a guard lives,
// what an operation takes in scaled milliseconds, and the real time a busy
// machine may add to it.
//
// The scale is process-wide: a test that left it shortened would run the next
// test's time-outs short too, and an assertion that fails returns before any
// hand-written reset. The guard puts back the scale it found, however its
// scope ends.

#include <cstdint>

#include "platform/Time.h"

class ScopedTimeScale {
 public:
  explicit ScopedTimeScale(double scale);
  ~ScopedTimeScale();
  ScopedTimeScale(const ScopedTimeScale&) = delete;
  ScopedTimeScale& operator=(const ScopedTimeScale&) = delete;

  // Changes the scale within the scope; the destructor still restores the
  // one found at construction.
  void Set(double scale);

 private:
  double m_previous;
};

// A thread that should wake may wait this long (real milliseconds) for a
// processor: up to 50 ms were seen with the suite and six busy loops running
// on eight cores. An upper bound on time allows it beside its scaled share,
// so a late thread is no failure; a test picks a scale at which a wait too
// many is well above it, so that one still is.
constexpr uint32_t kSchedulerSlackRealMs = 100;

// kSchedulerSlackRealMs in scaled milliseconds at the current scale.
uint32_t SchedulerSlack();

// Scaled milliseconds that fn takes, as the link layer counts its time-outs.
template <typename Fn>
uint32_t Elapsed(Fn fn) {
  const uint32_t start = platform::TickCount();
  fn();
  return platform::TickCount() - start;
}
