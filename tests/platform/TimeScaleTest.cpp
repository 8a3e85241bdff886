// The tests' time-scale guard: whatever a test sets, the next one starts at
// the scale the guard found.
#include <gtest/gtest.h>

#include "platform/Time.h"
#include "tests/support/ScopedTimeScale.h"

TEST(ScopedTimeScale, PutsBackTheScaleItFoundNotOne) {
  const double before = platform::TimeScale();
  {
    const ScopedTimeScale outer(0.5);
    {
      ScopedTimeScale inner(0.01);
      EXPECT_DOUBLE_EQ(platform::TimeScale(), 0.01);
      inner.Set(0.2);
      EXPECT_DOUBLE_EQ(platform::TimeScale(), 0.2);
    }
    EXPECT_DOUBLE_EQ(platform::TimeScale(), 0.5);
  }
  EXPECT_DOUBLE_EQ(platform::TimeScale(), before);
}

TEST(ScopedTimeScale, ElapsedCountsScaledMilliseconds) {
  const ScopedTimeScale fast(0.01);
  const uint32_t ms = Elapsed([] { platform::Sleep(5000); });  // 50 ms of real time
  EXPECT_GE(ms, 5000u);
  EXPECT_LT(ms, 60000u);  // 600 ms of real time: room for a loaded machine
}
