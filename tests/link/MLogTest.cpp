#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "link/MLog.h"
#include "link/RSPort.h"
#include "platform/Hooks.h"
#include "tests/support/TestFolder.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A stand-in for the window side: one live window, 7; every post recorded.
std::mutex g_postMutex;
std::vector<std::pair<platform::WindowHandle, unsigned>> g_posts;

struct FakeWindows {
  FakeWindows() {
    g_posts.clear();
    platform::WindowServices ws;
    ws.isWindow = [](platform::WindowHandle w) { return w == 7; };
    ws.postCommand = [](platform::WindowHandle w, unsigned cmd, std::intptr_t param) {
      std::lock_guard<std::mutex> lock(g_postMutex);
      if (param == 0) g_posts.emplace_back(w, cmd);
      return true;
    };
    platform::InstallWindowServices(ws);
  }
  ~FakeWindows() { platform::InstallWindowServices(platform::WindowServices{}); }
  size_t Count() {
    std::lock_guard<std::mutex> lock(g_postMutex);
    return g_posts.size();
  }
};

}  // namespace

TEST(TrafficLog, RingKeepsTheLastMegabyteWithMarks) {
  CMLog log;
  ASSERT_EQ(log.m_echoBuffer.Init(), 1);
  std::string sent(CTLogBuffer::kEntries + 1, 'a');
  sent[0] = 'F';  // the one that falls out
  sent[1] = 'S';
  log.Write(sent.data(), static_cast<int32_t>(sent.size()));
  EXPECT_EQ(log.m_echoBuffer.Count(), CTLogBuffer::kEntries);
  log.WriteReceived("r", 1);
  ASSERT_EQ(log.m_echoBuffer.ReadOut(), CTLogBuffer::kEntries);
  const std::vector<uint16_t>& out = log.m_echoBuffer.GetReadOut();
  ASSERT_EQ(out.size(), static_cast<size_t>(CTLogBuffer::kEntries));
  EXPECT_EQ(out.front(), 0x0100 | 'a');  // "F" and "S" are gone, oldest first
  EXPECT_EQ(out[out.size() - 2], 0x0100 | 'a');
  EXPECT_EQ(out.back(), 'r');  // received: mark 0
  EXPECT_EQ(log.m_echoBuffer.ReadOut(), 0);

  // NUL bytes never enter the ring.
  log.WriteReceived("\0x\0", 3);
  EXPECT_EQ(log.m_echoBuffer.ReadOut(), 1);
  EXPECT_EQ(log.m_echoBuffer.GetReadOut().front(), 'x');
}

TEST(TrafficLog, RingBeforeInitTakesNothing) {
  CMLog log;
  log.Write("abc", 3);
  EXPECT_EQ(log.m_echoBuffer.ReadOut(), 0);
  log.Write(nullptr, 5);  // nothing given, nothing done
  EXPECT_EQ(log.m_echoBuffer.Init(), 1);
  EXPECT_EQ(log.m_echoBuffer.Init(), 1);
  log.Write("abc", 3);
  EXPECT_EQ(log.m_echoBuffer.ReadOut(), 3);
}

TEST(TrafficLog, FileGetsRawBytesAndAppends) {
  const TestFolder dir("mlog");
  const std::string first = dir.File("first.log");
  const std::string second = dir.File("second.log");
  CMLog log;
  ASSERT_EQ(log.m_echoBuffer.Init(), 1);
  log.Write("before", 6);  // no file yet: ring only
  ASSERT_EQ(log.Open(first), 1);
  EXPECT_TRUE(log.IsOpen());
  const std::string banner = "Brimlet Control[Ver. 1.00]\r\n";
  log.Write(banner.data(), static_cast<int32_t>(banner.size()));
  log.WriteReceived("A\0B\r\n", 5);
  log.WriteRaw("raw", 3);
  EXPECT_EQ(ReadFile(first), banner + std::string("A\0B\r\n", 5) + "raw");

  // The banner is in the ring as sent text; the raw write is not.
  ASSERT_EQ(log.m_echoBuffer.ReadOut(), 6 + static_cast<int32_t>(banner.size()) + 4);
  const std::vector<uint16_t>& out = log.m_echoBuffer.GetReadOut();
  EXPECT_EQ(out[6], 0x0100 | 'B');
  EXPECT_EQ(out[6 + banner.size()], 'A');

  // A second file closes the first; later bytes go only to the second.
  ASSERT_EQ(log.Open(second), 1);
  log.Write("two", 3);
  EXPECT_EQ(ReadFile(first).size(), banner.size() + 8);
  EXPECT_EQ(ReadFile(second), "two");
  // Opening the first again appends to it.
  ASSERT_EQ(log.Open(first), 1);
  log.Write("more", 4);
  log.Close();
  EXPECT_FALSE(log.IsOpen());
  log.Write("none", 4);
  EXPECT_EQ(ReadFile(first).substr(banner.size() + 8), "more");

  // A failed open leaves no file open and keeps the path.
  const std::string bad = dir.File("no/such/dir.log");
  EXPECT_EQ(log.Open(bad), 0);
  EXPECT_FALSE(log.IsOpen());
  EXPECT_EQ(log.GetPath(), bad);
}

TEST(TrafficLog, RefreshIsPostedOnlyToALiveWindow) {
  FakeWindows windows;
  CMLog log;
  ASSERT_EQ(log.m_echoBuffer.Init(), 1);
  log.Write("a", 1);
  EXPECT_EQ(windows.Count(), 0u);  // no notify window
  log.m_hNotifyWnd = 9;            // a window that is gone
  log.m_nNotifyCmd = 505;
  log.Write("a", 1);
  EXPECT_EQ(windows.Count(), 0u);
  log.m_hNotifyWnd = 7;
  log.Write("a", 1);
  log.WriteReceived("\0", 1);  // all NULs: still a refresh
  log.WriteRaw("x", 1);        // the raw append never notifies
  ASSERT_EQ(windows.Count(), 2u);
  EXPECT_EQ(g_posts[0], std::make_pair(platform::WindowHandle{7}, 505u));
  EXPECT_EQ(g_posts[1], std::make_pair(platform::WindowHandle{7}, 505u));
}

TEST(TrafficLog, WritersOnSeveralThreadsLoseNothing) {
  FakeWindows windows;
  const TestFolder dir("mlog");
  CMLog log;
  ASSERT_EQ(log.m_echoBuffer.Init(), 1);
  ASSERT_EQ(log.Open(dir.File("t.log")), 1);
  log.m_hNotifyWnd = 7;
  log.m_nNotifyCmd = 505;
  constexpr int kWrites = 2000;
  std::atomic<int> pulled{0};
  std::atomic<bool> done{false};
  std::thread reader([&] {
    for (int i = 0; i < kWrites; ++i) log.WriteReceived("rx\r\n", 4);
  });
  std::thread worker([&] {
    for (int i = 0; i < kWrites; ++i) log.Write("TX", 2);
  });
  std::thread terminal([&] {
    while (!done) pulled += log.m_echoBuffer.ReadOut();
  });
  std::thread recorder([&] {
    for (int i = 0; i < 20; ++i) {
      platform::CriticalSectionLock lock(log.FileLock());
      if (log.IsOpen()) log.Close();
    }
  });
  reader.join();
  worker.join();
  recorder.join();
  done = true;
  terminal.join();
  pulled += log.m_echoBuffer.ReadOut();
  EXPECT_EQ(pulled.load(), kWrites * 6);
  EXPECT_EQ(windows.Count(), static_cast<size_t>(kWrites * 2));
}

TEST(TrafficLog, EchoToTerminalWritesIntoTheInstalledLog) {
  CMLog log;
  ASSERT_EQ(log.m_echoBuffer.Init(), 1);
  SetEchoLog(nullptr);
  EchoToTerminal("lost", 4, 1);  // no log installed: nothing happens
  SetEchoLog(&log);
  EchoToTerminal("T", 1, 1);
  EchoToTerminal("R\0", 2, 0);
  SetEchoLog(nullptr);
  ASSERT_EQ(log.m_echoBuffer.ReadOut(), 2);
  EXPECT_EQ(log.m_echoBuffer.GetReadOut()[0], 0x0100 | 'T');
  EXPECT_EQ(log.m_echoBuffer.GetReadOut()[1], 'R');
}
