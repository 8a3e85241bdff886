// Freed memory goes back to the system: a downloaded text is built on a
// worker thread and freed on the window thread.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/Memory.h"
#include "tests/support/ProcessStats.h"

TEST(Memory, ATextBuiltOnAWorkerAndFreedOnAnotherThreadLeavesNothingResident) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizer's allocator keeps freed memory on purpose";
#endif
  platform::LimitRetainedMemory();
  const long before = ResidentKiB();
  std::string text;
  // Twice: glibc's own limits would grow after the first and keep the second.
  for (int round = 0; round < 2; ++round) {
    std::thread([&text] {
      for (int i = 0; i < 200000; ++i) text += std::string(40, 'x');
    }).join();
    std::string().swap(text);
    platform::ReturnFreeMemory();
  }
  EXPECT_LT(ResidentKiB() - before, 2048);
}
