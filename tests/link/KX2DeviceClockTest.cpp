// The device object's logger clock: offset arithmetic and what the pages'
// timer sees while a worker rewrites the clock.

#include <gtest/gtest.h>

#include <atomic>
#include <ctime>
#include <thread>

#include "link/KX2Device.h"
#include "link/SdlTime.h"
#include "tests/support/LocalTime.h"

namespace {

int64_t Now() { return static_cast<int64_t>(std::time(nullptr)); }

TEST(KX2DeviceClock, InvalidUntilSetAndAgainAfterClose) {
  CKX2Device device;
  int64_t now = 12345;
  EXPECT_EQ(device.GetDeviceNow(&now), ReadResult::kFailed);
  EXPECT_EQ(now, 12345);

  device.SetDeviceClock(LocalSdlTime(Now() + 600));
  ASSERT_EQ(device.GetDeviceNow(&now), ReadResult::kDone);
  // Ten minutes ahead of the PC, give or take the second that may tick over
  // between the calls.
  EXPECT_NEAR(static_cast<double>(now - Now()), 600.0, 1.0);

  device.ClosePort();
  now = 777;
  EXPECT_EQ(device.GetDeviceNow(&now), ReadResult::kFailed);
  EXPECT_EQ(now, 777);
  EXPECT_EQ(device.m_bClockValid, 0);
  EXPECT_EQ(device.m_tLoggerAtRead, 0);
  EXPECT_EQ(device.m_tPcAtRead, 0);
}

TEST(KX2DeviceClock, LoggerBehindThePc) {
  CKX2Device device;
  device.SetDeviceClock(LocalSdlTime(Now() - 3 * 3600));
  int64_t now = 0;
  ASSERT_EQ(device.GetDeviceNow(&now), ReadResult::kDone);
  EXPECT_NEAR(static_cast<double>(now - Now()), -3 * 3600.0, 1.0);
}

// A worker alternately reads a clock a day ahead and closes the port while
// the user-interface timer keeps asking. A reader must see either no clock or
// the whole of it: a valid flag with times still zero would show the PC time,
// a logger time without its PC time a date decades off. The thread sanitizer
// build checks the same loop for data races.
TEST(KX2DeviceClock, ReaderNeverSeesAHalfWrittenClock) {
  CKX2Device device;
  constexpr int64_t kAhead = 86400;
  const CSdlTime ahead = LocalSdlTime(Now() + kAhead);
  std::atomic<bool> stop{false};
  std::thread writer([&] {
    for (int i = 0; i < 20000; ++i) {
      device.SetDeviceClock(ahead);
      if (i % 2 == 0) device.ClosePort();
    }
    stop = true;
  });
  int bad = 0;
  while (!stop) {
    int64_t now = 0;
    if (device.GetDeviceNow(&now) == ReadResult::kDone) {
      const int64_t offset = now - Now();
      // The logger clock was set once at the start; it lags the PC by the
      // test's own run time at most.
      if (offset > kAhead + 2 || offset < kAhead - 60) ++bad;
    }
  }
  writer.join();
  EXPECT_EQ(bad, 0);
  // The last write leaves a clock in place.
  int64_t now = 0;
  EXPECT_EQ(device.GetDeviceNow(&now), ReadResult::kDone);
}

}  // namespace
