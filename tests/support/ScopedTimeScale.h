#pragma once
// Scaled time in tests: the platform time scale for as long as a guard lives,
// and what an operation takes in scaled milliseconds.
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

// Scaled milliseconds that fn takes, as the link layer counts its time-outs.
template <typename Fn>
uint32_t Elapsed(Fn fn) {
  const uint32_t start = platform::TickCount();
  fn();
  return platform::TickCount() - start;
}
