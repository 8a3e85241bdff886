#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "link/ReadData.h"
#include "platform/Hooks.h"
#include "tests/support/ProcessStats.h"
#include "tests/support/ScopedTimeScale.h"

namespace {

void PutText(CReadData& rd, const std::string& s) { rd.Put(s.data(), static_cast<int32_t>(s.size())); }

// Reads one line that is already there (a short time-out is plenty).
std::string Line(CReadData& rd, int32_t size = 512, int32_t* result = nullptr) {
  std::vector<char> buf(static_cast<size_t>(size), 'x');
  const int32_t n = rd.ReadLine(buf.data(), size, 0);
  if (result) *result = n;
  EXPECT_EQ(buf[static_cast<size_t>(n)], '\0');
  if (n > 0) {
    EXPECT_EQ(buf[static_cast<size_t>(size) - 1], '\0');
  }
  return std::string(buf.data());
}

#if defined(__SANITIZE_THREAD__)
constexpr bool kTsan = true;
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
constexpr bool kTsan = true;
#else
constexpr bool kTsan = false;
#endif
#else
constexpr bool kTsan = false;
#endif

std::atomic<int> g_pumps{0};
CReadData* g_pumpTarget = nullptr;
std::atomic<int> g_readerLockFree{-1};

}  // namespace

TEST(ReadData, LineFramingDropsCrAndNul) {
  CReadData rd;
  ASSERT_EQ(rd.Init(), 1);
  PutText(rd, "OK\r\n");
  int32_t n = -1;
  EXPECT_EQ(Line(rd, 512, &n), "OK");
  EXPECT_EQ(n, 2);

  // NUL inside a line and CR anywhere vanish; an empty line is taken at once
  // with result 0.
  const char mixed[] = "A\0B\rC\r\n\r\nYES END\n";
  PutText(rd, std::string(mixed, sizeof mixed - 1));
  EXPECT_EQ(rd.LineCount(), 3);
  EXPECT_EQ(Line(rd, 512, &n), "ABC");
  EXPECT_EQ(n, 3);
  EXPECT_EQ(Line(rd, 512, &n), "");
  EXPECT_EQ(n, 0);
  EXPECT_EQ(Line(rd), "YES END");
  EXPECT_EQ(rd.LineCount(), 0);
  EXPECT_EQ(rd.ByteCount(), 0);
}

TEST(ReadData, HashLinesAreFilteredAcrossChunks) {
  CReadData rd;
  ASSERT_EQ(rd.Init(), 1);
  PutText(rd, "#>RX:$SLEEP\r\nOK\r\n");
  EXPECT_EQ(rd.LineCount(), 1);
  EXPECT_EQ(Line(rd), "OK");

  // A '#' line split over chunks is dropped whole; the column survives
  // between chunks, so a '#' that is not first in its line is kept.
  PutText(rd, "#>RX:");
  PutText(rd, "$SL");
  PutText(rd, "EEP\r");
  PutText(rd, "\nA#B\r\n");
  EXPECT_EQ(rd.LineCount(), 1);
  EXPECT_EQ(Line(rd), "A#B");
  PutText(rd, "X");
  PutText(rd, "#Y\n");
  EXPECT_EQ(Line(rd), "X#Y");

  // Switching the filter off ends a skip in progress and lets '#' lines in.
  PutText(rd, "#half");
  rd.SetOption(0);
  EXPECT_EQ(rd.GetOption(), 0);
  PutText(rd, "-tail\n#>RX:$SLEEP\n");
  EXPECT_EQ(Line(rd), "-tail");
  EXPECT_EQ(Line(rd), "#>RX:$SLEEP");
  rd.SetOption(1);
  PutText(rd, "#gone\nkept\n");
  EXPECT_EQ(Line(rd), "kept");
}

TEST(ReadData, LongLineIsCutAndTheRestStays) {
  CReadData rd;
  ASSERT_EQ(rd.Init(), 1);
  std::string line;
  for (int i = 0; i < 300; ++i) line += static_cast<char>('a' + i % 26);
  PutText(rd, line + "\r\n");
  int32_t n = 0;
  EXPECT_EQ(Line(rd, 257, &n), line.substr(0, 256));
  EXPECT_EQ(n, 256);
  EXPECT_EQ(rd.LineCount(), 1);
  EXPECT_EQ(Line(rd, 257, &n), line.substr(256));
  EXPECT_EQ(n, 44);
  EXPECT_EQ(rd.LineCount(), 0);

  // size 1 holds the terminator alone and takes nothing.
  PutText(rd, "Z\n");
  char one = 'x';
  EXPECT_EQ(rd.ReadLine(&one, 1, 0), 0);
  EXPECT_EQ(one, '\0');
  EXPECT_EQ(Line(rd), "Z");
}

TEST(ReadData, TimeOutLeavesAnEmptyText) {
  const ScopedTimeScale scale(0.01);
  CReadData rd;
  ASSERT_EQ(rd.Init(), 1);
  char buf[32];
  std::strcpy(buf, "YES END");
  EXPECT_EQ(rd.ReadLine(buf, sizeof buf, 0), 0);
  EXPECT_STREQ(buf, "");
  std::strcpy(buf, "YES END");
  EXPECT_EQ(rd.ReadLine(buf, sizeof buf, 200), 0);
  EXPECT_STREQ(buf, "");

  // A partial line is no line: the wait ends by its time-out, and the bytes
  // stay for the line's end.
  PutText(rd, "PART");
  EXPECT_EQ(rd.ReadLine(buf, sizeof buf, 50), 0);
  PutText(rd, "IAL\n");
  EXPECT_EQ(Line(rd), "PARTIAL");
}

TEST(ReadData, WaitingReaderWakesOnALineAndPumpsMeanwhile) {
  CReadData rd;
  ASSERT_EQ(rd.Init(), 1);
  g_pumps = 0;
  g_pumpTarget = &rd;
  g_readerLockFree = -1;
  // The pump runs on the waiting thread with the reader lock held; a writer on
  // another thread must find it taken, and the line arrives from there.
  platform::InstallPumpHook([] {
    if (g_pumps++ == 0) {
      std::thread other([] {
        const bool free = g_pumpTarget->ReaderLock().TryEnter();
        if (free) g_pumpTarget->ReaderLock().Leave();
        g_readerLockFree = free ? 1 : 0;
        g_pumpTarget->Put("LATE\r\n", 6);
      });
      other.join();
    }
    return true;
  });
  char buf[32] = {};
  const int32_t n = rd.ReadLine(buf, sizeof buf, 60000);
  platform::InstallPumpHook(nullptr);
  EXPECT_EQ(n, 4);
  EXPECT_STREQ(buf, "LATE");
  EXPECT_GE(g_pumps.load(), 1);
  EXPECT_EQ(g_readerLockFree.load(), 0);
  EXPECT_TRUE(rd.ReaderLock().TryEnter());
  rd.ReaderLock().Leave();

  // A line already held is taken without pumping.
  g_pumps = 0;
  platform::InstallPumpHook([] {
    ++g_pumps;
    return true;
  });
  PutText(rd, "NOW\n");
  EXPECT_EQ(rd.ReadLine(buf, sizeof buf, 1000), 3);
  platform::InstallPumpHook(nullptr);
  EXPECT_EQ(g_pumps.load(), 0);
}

TEST(ReadData, OverflowDropsTheOldestBytesAndTheirLines) {
  CReadData rd;
  ASSERT_EQ(rd.InitCapacity(16), 1);
  PutText(rd, "AAAA\nBBBB\nCCCC\n");  // 15 bytes, 3 lines
  EXPECT_EQ(rd.LineCount(), 3);
  PutText(rd, "DD");  // pushes out 'A'
  EXPECT_EQ(rd.ByteCount(), 16);
  EXPECT_EQ(rd.LineCount(), 3);
  PutText(rd, "DDDD");  // pushes out "AAA\n": that line is gone
  EXPECT_EQ(rd.LineCount(), 2);
  PutText(rd, "\n");  // and one 'B'
  EXPECT_EQ(Line(rd), "BBB");
  EXPECT_EQ(Line(rd), "CCCC");
  EXPECT_EQ(Line(rd), "DDDDDD");
  EXPECT_EQ(rd.ByteCount(), 0);

  // Lines keep their order across many wraps of the ring.
  for (int i = 0; i < 50; ++i) {
    const std::string s = std::to_string(i * 37);
    PutText(rd, s + "\r\n");
    EXPECT_EQ(Line(rd), s);
  }
}

TEST(ReadData, ClearEmptiesAndFreeStopsEverything) {
  const ScopedTimeScale scale(0.01);
  CReadData rd;
  ASSERT_EQ(rd.Init(), 1);
  PutText(rd, "OLD\r\n#skip");
  rd.Clear();
  EXPECT_EQ(rd.ByteCount(), 0);
  EXPECT_EQ(rd.LineCount(), 0);
  char buf[16];
  EXPECT_EQ(rd.ReadLine(buf, sizeof buf, 20), 0);
  // The skip state went with the clear: the next line is kept.
  PutText(rd, "new\n");
  EXPECT_EQ(Line(rd), "new");

  // Without storage every byte is dropped and reads end by their time-out.
  rd.Free();
  PutText(rd, "lost\n");
  EXPECT_EQ(rd.ByteCount(), 0);
  EXPECT_EQ(rd.ReadLine(buf, sizeof buf, 20), 0);
  CReadData none;
  EXPECT_EQ(none.InitCapacity(0), 0);
  PutText(none, "lost\n");
  EXPECT_EQ(none.ReadLine(buf, sizeof buf, 20), 0);
}

// The 100 MB ring must cost resident memory only as far as it is used, and a
// Clear per command must not touch it.
TEST(ReadData, IdleRingStaysOutOfResidentMemory) {
  if (kTsan) GTEST_SKIP() << "the thread sanitizer zero-fills every calloc";
  const long before = ResidentKiB();
  ASSERT_GT(before, 0);
  CReadData rd;
  ASSERT_EQ(rd.Init(), 1);
  for (int i = 0; i < 1000; ++i) {
    PutText(rd, "RD SYS YES END\r\n");
    rd.Clear();
  }
  EXPECT_LT(ResidentKiB() - before, 20 * 1024);
}

// A spinning wait would burn a whole core for the whole time-out; waiting on
// the event between pump calls costs next to nothing.
TEST(ReadData, EmptyWaitDoesNotSpin) {
  CReadData rd;
  ASSERT_EQ(rd.Init(), 1);
  platform::InstallPumpHook([] {
    ++g_pumps;
    return true;
  });
  const double cpu0 = ThreadCpuMs();
  char buf[8];
  EXPECT_EQ(rd.ReadLine(buf, sizeof buf, 300), 0);
  const double cpu = ThreadCpuMs() - cpu0;
  platform::InstallPumpHook(nullptr);
  EXPECT_LT(cpu, 100.0);
}

TEST(ReadData, ConcurrentPutAndReadKeepEveryLineInOrder) {
  CReadData rd;
  ASSERT_EQ(rd.InitCapacity(1 << 20), 1);
  constexpr int kLines = 20000;
  std::atomic<bool> done{false};
  std::thread producer([&] {
    for (int i = 0; i < kLines; ++i) {
      std::string s(1, 'L');
      s.append(std::to_string(i)).append("\r\n#echo ").append(std::to_string(i)).append("\r\n");
      rd.Put(s.data(), static_cast<int32_t>(s.size()));
      if (i % 64 == 0) std::this_thread::yield();
    }
    done = true;
  });
  std::thread toggler([&] {
    while (!done) {
      rd.ReaderLock().Enter();
      rd.ReaderLock().Leave();
      std::this_thread::yield();
    }
  });
  int last = -1;
  int count = 0;
  char buf[64];
  for (;;) {
    const int32_t n = rd.ReadLine(buf, sizeof buf, 20);
    if (n == 0) {
      if (done && rd.LineCount() == 0) break;
      continue;
    }
    ASSERT_EQ(buf[0], 'L') << buf;
    const int v = std::atoi(buf + 1);
    ASSERT_EQ(v, last + 1);
    last = v;
    ++count;
  }
  producer.join();
  toggler.join();
  EXPECT_EQ(count, kLines);
}
