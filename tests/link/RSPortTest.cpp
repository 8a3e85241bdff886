#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "PortFixture.h"
#include "platform/Hooks.h"
#include "tests/support/ProcessStats.h"
#include "tests/support/ScopedTimeScale.h"
#include "tests/support/SerialSettings.h"

namespace {

std::atomic<int> g_pumps{0};

}  // namespace

TEST_F(PortTest, AbsentPortKeepsNameAndSettings) {
  platform::DCB dcb = LoggerLineSettings();
  dcb.BaudRate = 19200;
  const std::string absent = "\\\\.\\/nonexistent/kx2-no-port";
  EXPECT_EQ(m_port.Open(absent, dcb), PortOpenResult::kCannotCreate);
  EXPECT_FALSE(m_port.IsOpen());
  EXPECT_EQ(m_port.GetName(), absent);
  EXPECT_EQ(m_port.GetSettings().BaudRate, 19200u);
  EXPECT_EQ(m_port.Close(), 1);
  EXPECT_EQ(m_port.Close(), 1);
  char buf[8] = "x";
  EXPECT_EQ(m_port.Write(buf, 1, 1), 0);
}

// The sanitizers reserve address space of their own, so the child's limit
// would fail them first.
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// A line buffer that cannot have its storage would lose every answer: the
// open fails as when the buffer cannot be made, and with memory back the
// next open succeeds.
TEST_F(PortTest, ALineBufferWithoutItsStorageFailsTheOpen) {
  EXPECT_EXIT(
      {
        long pages = 0;
        if (FILE* f = std::fopen("/proc/self/statm", "r")) {
          if (std::fscanf(f, "%ld", &pages) != 1) pages = 0;
          std::fclose(f);
        }
        rlimit limit{};
        ::getrlimit(RLIMIT_AS, &limit);
        const rlim_t unlimited = limit.rlim_cur;
        limit.rlim_cur = static_cast<rlim_t>(pages * ::sysconf(_SC_PAGESIZE)) + (16u << 20);
        ::setrlimit(RLIMIT_AS, &limit);
        const bool refused = m_port.Open(m_name, LoggerLineSettings()) == PortOpenResult::kCannotCreate &&
                             !m_port.IsOpen() && m_port.GetReadData() == nullptr;
        limit.rlim_cur = unlimited;
        ::setrlimit(RLIMIT_AS, &limit);
        std::_Exit(refused && m_port.Open(m_name, LoggerLineSettings()) == PortOpenResult::kOpened ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}
#endif

TEST_F(PortTest, RejectedSetUpLeavesThePortClosed) {
  platform::DCB dcb = LoggerLineSettings();
  dcb.BaudRate = 0xFFFFFFF0u;  // above any port's maximum
  EXPECT_EQ(m_port.Open(m_name, dcb), PortOpenResult::kSetupRejected);
  EXPECT_FALSE(m_port.IsOpen());
  // Closed means closed: the device can be opened again at once.
  EXPECT_EQ(m_port.Open(m_name, LoggerLineSettings()), PortOpenResult::kOpened);
  EXPECT_TRUE(m_port.IsOpen());
}

TEST_F(PortTest, ReopenOnlyWhenNameOrLineSettingsDiffer) {
  platform::DCB dcb = LoggerLineSettings();
  ASSERT_EQ(m_port.Open(m_name, dcb), PortOpenResult::kOpened);
  ASSERT_TRUE(m_port.IsOpen());
  MasterWrite("KEEP\r\n");
  WaitForLines(1);

  // Same settings, a different DTR control, or no name: the port, its reader
  // and the held line stay.
  EXPECT_EQ(m_port.Open(m_name, dcb), PortOpenResult::kOpened);
  dcb.fDtrControl = platform::DTR_CONTROL_ENABLE;
  EXPECT_EQ(m_port.Open(m_name, dcb), PortOpenResult::kOpened);
  EXPECT_EQ(m_port.Open("", LoggerLineSettings()), PortOpenResult::kOpened);
  EXPECT_EQ(m_port.GetName(), m_name);
  EXPECT_EQ(m_port.GetReadData()->LineCount(), 1);

  // Flow control takes part in the comparison: the port is opened anew and
  // the line buffer emptied.
  dcb.fOutX = 1;
  EXPECT_EQ(m_port.Open(m_name, dcb), PortOpenResult::kOpened);
  EXPECT_TRUE(m_port.IsOpen());
  EXPECT_EQ(m_port.GetReadData()->LineCount(), 0);
  EXPECT_EQ(m_port.GetSettings().fOutX, 1u);
  // And the new reader reads.
  MasterWrite("AGAIN\r\n");
  EXPECT_EQ(ReadLine(), "AGAIN");
}

// The reader purges the port when it starts; a logger that answers at once
// after the open must not lose its reply to that purge.
TEST_F(PortTest, OpenReturnsOnlyOnceTheReaderReads) {
  for (int i = 0; i < 20; ++i) {
    m_timeScale.Set(0.0001);
    ASSERT_EQ(m_port.Open(m_name, LoggerLineSettings()), PortOpenResult::kOpened);
    // The line itself gets the usual ten seconds to come through.
    m_timeScale.Set(0.01);
    const std::string line = std::string("R").append(std::to_string(i));
    MasterWrite(line + "\r\n");
    ASSERT_EQ(ReadLine(), line);
    m_port.Close();
  }
}

TEST_F(PortTest, ReaderFeedsLinesAndTheEchoRing) {
  ASSERT_EQ(m_port.Open(m_name, LoggerLineSettings()), PortOpenResult::kOpened);
  const std::string text = "#>RX:$SLE";
  MasterWrite(text);
  MasterWrite("EP\r\nRD SYS YES\r");
  MasterWrite("\nYES END\r\n");
  EXPECT_EQ(ReadLine(), "RD SYS YES");
  EXPECT_EQ(ReadLine(), "YES END");

  // Every received byte reaches the echo ring, '#' line included, marked 0.
  const std::string all = "#>RX:$SLEEP\r\nRD SYS YES\r\nYES END\r\n";
  const auto t0 = Clock::now();
  while (m_log.m_echoBuffer.Count() < static_cast<int32_t>(all.size()) && MsSince(t0) < 5000) std::this_thread::yield();
  ASSERT_EQ(m_log.m_echoBuffer.ReadOut(), static_cast<int32_t>(all.size()));
  std::string echoed;
  for (uint16_t e : m_log.m_echoBuffer.GetReadOut()) {
    EXPECT_EQ(e >> 8, 0);
    echoed += static_cast<char>(e & 0xFF);
  }
  EXPECT_EQ(echoed, all);

  // A chunk larger than one read arrives whole.
  std::string big;
  for (int i = 0; i < 300; ++i) big += "LINE" + std::to_string(i) + "\r\n";
  MasterWrite(big);
  for (int i = 0; i < 300; ++i) ASSERT_EQ(ReadLine(), "LINE" + std::to_string(i));
}

TEST_F(PortTest, WriteSendsAndPurgesOnRequest) {
  ASSERT_EQ(m_port.Open(m_name, LoggerLineSettings()), PortOpenResult::kOpened);
  platform::InstallPumpHook([] {
    ++g_pumps;
    return true;
  });
  g_pumps = 0;
  EXPECT_EQ(m_port.Write("RD SYS\r\n", 0, 1), 1);  // length 0: up to the NUL
  EXPECT_EQ(MasterRead(8), "RD SYS\r\n");
  EXPECT_EQ(g_pumps.load(), 1);

  MasterWrite("STALE\r\n");
  WaitForLines(1);
  EXPECT_EQ(m_port.Write("\r\nhello\r\n", 9, 0), 1);  // the terminal's write keeps it
  EXPECT_EQ(m_port.GetReadData()->LineCount(), 1);
  // Taken off the line first: the next write's purge drops unsent output too.
  EXPECT_EQ(MasterRead(9), "\r\nhello\r\n");
  EXPECT_EQ(m_port.Write("ST STP\r\nXX", 8, 1), 1);  // a command's write purges
  EXPECT_EQ(m_port.GetReadData()->LineCount(), 0);
  EXPECT_EQ(MasterRead(8), "ST STP\r\n");
  // Write records nothing itself (its callers echo first): the ring holds
  // received bytes only.
  m_log.m_echoBuffer.ReadOut();
  for (uint16_t e : m_log.m_echoBuffer.GetReadOut()) EXPECT_EQ(e >> 8, 0);
}

TEST_F(PortTest, CloseWakesAndJoinsTheReader) {
  ASSERT_EQ(m_port.Open(m_name, LoggerLineSettings()), PortOpenResult::kOpened);
  MasterWrite("X\r\n");
  WaitForLines(1);
  // The reader sits in a read that would wait 10 s for its next byte.
  const auto t0 = Clock::now();
  EXPECT_EQ(m_port.Close(), 1);
  EXPECT_LT(MsSince(t0), 5000);
  EXPECT_FALSE(m_port.IsOpen());
  EXPECT_EQ(m_port.GetReadData()->LineCount(), 0);  // emptied, but kept
  EXPECT_EQ(m_port.Write("RD SYS\r\n", 0, 1), 0);
  EXPECT_EQ(m_port.Close(), 1);
}

// Shutting down closes the port while a worker may still be writing.
TEST_F(PortTest, CloseWhileAWorkerWrites) {
  ASSERT_EQ(m_port.Open(m_name, LoggerLineSettings()), PortOpenResult::kOpened);
  std::atomic<int> writes{0};
  std::atomic<bool> stop{false};
  std::thread worker([&] {
    while (!stop) {
      m_port.Write("RD SYS\r\n", 0, 1);
      ++writes;
    }
  });
  while (writes < 10) std::this_thread::yield();
  EXPECT_EQ(m_port.Close(), 1);
  stop = true;
  worker.join();
  EXPECT_FALSE(m_port.IsOpen());
  EXPECT_EQ(m_port.Write("RD SYS\r\n", 0, 1), 0);
}

// A pulled adapter closes the link at once: a read waiting for a line ends,
// the port reports itself closed, and the reader idles until Close.
TEST_F(PortTest, VanishedDeviceClosesTheLinkAndLeavesTheReaderIdle) {
  ASSERT_EQ(m_port.Open(m_name, LoggerLineSettings()), PortOpenResult::kOpened);
  m_timeScale.Set(1.0);  // the reader's pauses at their real length
  std::atomic<int64_t> waited{-1};
  std::thread exchange([&] {
    const auto t0 = Clock::now();
    char buf[16];
    m_port.GetReadData()->ReadLine(buf, sizeof buf, 60000);
    waited = MsSince(t0);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  CloseMaster();  // the adapter is pulled
  exchange.join();
  EXPECT_LT(waited.load(), 5000) << "the wait ran to its time-out";
  EXPECT_FALSE(m_port.IsOpen());
  const double cpu0 = ProcessCpuMs();
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  const double cpu = ProcessCpuMs() - cpu0;
  EXPECT_LT(cpu, 200.0) << "the reader spins on a vanished device";
  EXPECT_EQ(m_port.Write("RD SYS\r\n", 0, 1), 0);
  m_timeScale.Set(0.01);
  EXPECT_EQ(m_port.Close(), 1);
  EXPECT_FALSE(m_port.IsOpen());
}

// A worker runs exchanges under the port lock while the reader feeds the
// buffer and the log, and the user-interface thread types lines and pulls the
// echo ring (run under the thread sanitizer).
TEST_F(PortTest, WorkerReaderAndInterfaceShareThePort) {
  ASSERT_EQ(m_port.Open(m_name, LoggerLineSettings()), PortOpenResult::kOpened);
  std::atomic<bool> done{false};
  std::thread logger([&] {
    std::string pending;
    while (!done) {
      pollfd p{m_master, POLLIN, 0};
      if (::poll(&p, 1, 10) <= 0) continue;
      char buf[256];
      const ssize_t r = ::read(m_master, buf, sizeof buf);
      if (r <= 0) continue;
      pending.append(buf, static_cast<size_t>(r));
      for (size_t eol; (eol = pending.find('\n')) != std::string::npos;) {
        const std::string line = pending.substr(0, eol + 1);
        pending.erase(0, eol + 1);
        // A purge may cut a typed line short, so the command is looked for
        // anywhere in the line.
        const size_t at = line.find("RD ");
        if (at != std::string::npos) {
          const std::string number = line.substr(at + 3, line.find('\r', at) - at - 3);
          const std::string reply = "#>RX:echo\r\n" + number + " YES END\r\n";
          ASSERT_EQ(::write(m_master, reply.data(), reply.size()), static_cast<ssize_t>(reply.size()));
        }
      }
    }
  });
  constexpr int kExchanges = 40;
  int matched = 0;
  std::thread worker([&] {
    for (int i = 0; i < kExchanges; ++i) {
      platform::CriticalSectionLock lock(m_port.PortLock());
      const std::string cmd = "RD " + std::to_string(i) + "\r\n";
      EchoToTerminal(cmd.data(), static_cast<int32_t>(cmd.size()), 1);
      if (m_port.Write(cmd.data(), static_cast<int32_t>(cmd.size()), 1) != 1) continue;
      char buf[64] = {};
      if (m_port.GetReadData()->ReadLine(buf, sizeof buf, 1000000) > 0 && std::to_string(i) + " YES END" == buf)
        ++matched;
    }
  });
  int pulled = 0;
  for (int i = 0; i < 20; ++i) {
    EchoToTerminal("\r\nhello\r\n", 9, 1);
    m_port.Write("\r\nhello\r\n", 0, 0);
    pulled += m_log.m_echoBuffer.ReadOut();
  }
  worker.join();
  done = true;
  logger.join();
  EXPECT_EQ(matched, kExchanges);
  EXPECT_GT(pulled + m_log.m_echoBuffer.ReadOut(), 0);
}
