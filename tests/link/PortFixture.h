#pragma once
// A port on one side of a pseudo-terminal and the logger's side in the test's
// hands: the port under test opens the slave by its path; the test reads and
// writes the master. The open and close pauses of the port are scaled down.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>

#include "link/MLog.h"
#include "link/RSPort.h"
#include "platform/Hooks.h"
#include "tests/support/ScopedTimeScale.h"

using Clock = std::chrono::steady_clock;

inline int64_t MsSince(Clock::time_point t0) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t0).count();
}

class PortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    int slave = -1;
    char name[256] = {};
    ASSERT_EQ(::openpty(&m_master, &slave, name, nullptr, nullptr), 0);
    ::close(slave);
    m_name = std::string("\\\\.\\") + name;
    ASSERT_EQ(m_log.m_echoBuffer.Init(), 1);
    SetEchoLog(&m_log);
  }
  void TearDown() override {
    m_port.Close();
    SetEchoLog(nullptr);
    platform::InstallPumpHook(nullptr);
    CloseMaster();
  }

  void CloseMaster() {
    if (m_master >= 0) ::close(m_master);
    m_master = -1;
  }

  void MasterWrite(const std::string& s) {
    ASSERT_EQ(::write(m_master, s.data(), s.size()), static_cast<ssize_t>(s.size()));
  }

  // What the port sent, waiting up to a second for n bytes.
  std::string MasterRead(size_t n) {
    std::string out;
    const auto t0 = Clock::now();
    while (out.size() < n && MsSince(t0) < 1000) {
      pollfd p{m_master, POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0) continue;
      char buf[4096];
      const ssize_t r = ::read(m_master, buf, sizeof buf);
      if (r > 0) out.append(buf, static_cast<size_t>(r));
    }
    return out;
  }

  // A line through the reader thread; the wait is long in scaled time (10 s
  // real at most) and ends as soon as the line is there.
  std::string ReadLine() {
    char buf[512] = {};
    m_port.GetReadData()->ReadLine(buf, sizeof buf, 1000000);
    return buf;
  }

  void WaitForLines(int32_t n) {
    const auto t0 = Clock::now();
    while (m_port.GetReadData()->LineCount() < n && MsSince(t0) < 5000) std::this_thread::yield();
    ASSERT_EQ(m_port.GetReadData()->LineCount(), n);
  }

  // Declared first: restores once the port is gone.
  ScopedTimeScale m_timeScale{0.01};
  int m_master = -1;
  std::string m_name;
  CMLog m_log;
  CRSPort m_port;
};
