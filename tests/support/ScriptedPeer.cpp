#include "tests/support/ScriptedPeer.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <stdexcept>

#include "link/MLog.h"
#include "link/RSPort.h"
#include "link/ReadData.h"
#include "platform/Time.h"
#include "tests/support/ScopedTimeScale.h"

namespace {

// Escapes control bytes so a mismatch reads well in a test failure.
std::string Show(const std::string& s) {
  std::string out;
  for (const unsigned char c : s) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c < 0x20 || c >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

constexpr int kCommandWaitMs = 5000;

}  // namespace

ScriptedPeer::ScriptedPeer() {
  char name[256] = {};
  if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) throw std::runtime_error("openpty failed");
  m_slavePath = name;
  // Raw from the start, so nothing the peer writes before the program opens
  // the slave is echoed or translated. The helper keeps its own slave
  // descriptor open for its whole life: a master whose slave has no opener
  // reads as hung up.
  termios tio{};
  tcgetattr(m_slave, &tio);
  cfmakeraw(&tio);
  tcsetattr(m_slave, TCSANOW, &tio);
  m_thread = std::thread([this] { Run(); });
}

ScriptedPeer::~ScriptedPeer() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stop = true;
  }
  m_cv.notify_all();
  m_thread.join();
  if (m_log && GetEchoLog() == m_log.get()) SetEchoLog(nullptr);
  close(m_master);
  close(m_slave);
}

ScriptedPeer& ScriptedPeer::Expect(const std::string& command) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_steps.push_back({Step::kExpect, command, 0, 1.0});
  }
  m_cv.notify_all();
  return *this;
}

ScriptedPeer& ScriptedPeer::Reply(const std::string& bytes, uint32_t delayMs) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_steps.push_back({Step::kReply, bytes, delayMs, 1.0});
  }
  m_cv.notify_all();
  return *this;
}

ScriptedPeer& ScriptedPeer::ScaleWhenTaken(double scale) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_steps.push_back({Step::kScale, {}, 0, scale});
  }
  m_cv.notify_all();
  return *this;
}

bool ScriptedPeer::Finish(uint32_t realMs) {
  std::unique_lock<std::mutex> lock(m_mutex);
  const bool done =
      m_cv.wait_for(lock, std::chrono::milliseconds(realMs), [this] { return m_steps.empty() && !m_busy; });
  if (!done) m_errors.push_back("script not finished in time");
  return done && m_errors.empty();
}

std::vector<std::string> ScriptedPeer::Errors() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_errors;
}

std::vector<std::string> ScriptedPeer::Commands() {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_commands;
}

std::string ScriptedPeer::TakeUnread(uint32_t realMs) {
  std::string out;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(realMs);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd p{m_master, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
    char buf[512];
    const ssize_t n = read(m_master, buf, sizeof buf);
    if (n <= 0) break;
    out.append(buf, static_cast<std::size_t>(n));
  }
  return out;
}

bool ScriptedPeer::SyncWith(CRSPort& port) {
  CReadData* lines = port.GetReadData();
  if (lines == nullptr) return false;
  m_port = &port;
  if (!m_log) {
    m_log = std::make_unique<CMLog>();
    if (m_log->m_echoBuffer.Init() != 1) return false;
    SetEchoLog(m_log.get());
  }
  const ScopedTimeScale realTime(1.0);
  char buf[32];
  bool synced = false;
  for (int i = 0; i < 200 && !synced; ++i) {
    Reply("SYNC\r\n");
    Finish();
    synced = lines->ReadLine(buf, sizeof buf, 20) > 0;
  }
  // Earlier SYNC lines may still trickle in.
  while (lines->ReadLine(buf, sizeof buf, 20) > 0) {
  }
  lines->Clear();
  // Some SYNC lines went to the reader's start-up purge; count from here.
  CountReceived();
  m_receivedAtCommand = m_received;
  m_writtenSinceCommand = 0;
  return synced;
}

// Counted where the exchanges take the bytes, the line buffer: the traffic
// log sees them a moment earlier.
void ScriptedPeer::CountReceived() { m_received = m_port.load()->GetReadData()->BytesPut(); }

// The reader has received every byte written since the last command, and the
// line buffer is empty: the program has taken every line.
bool ScriptedPeer::AllTaken() {
  CountReceived();
  CReadData* lines = m_port.load()->GetReadData();
  return m_received - m_receivedAtCommand >= m_writtenSinceCommand && lines->ByteCount() == 0 &&
         lines->LineCount() == 0;
}

void ScriptedPeer::Fail(const std::string& what) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_errors.push_back(what);
}

bool ScriptedPeer::ReadExactly(std::string& out, std::size_t n, int realMs) {
  out.clear();
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(realMs);
  while (out.size() < n) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd p{m_master, POLLIN, 0};
    const int r = poll(&p, 1, static_cast<int>(left.count()));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return false;
    char buf[512];
    const ssize_t got = read(m_master, buf, std::min(sizeof buf, n - out.size()));
    if (got <= 0) return false;
    out.append(buf, static_cast<std::size_t>(got));
  }
  return true;
}

void ScriptedPeer::Run() {
  for (;;) {
    Step step;
    {
      std::unique_lock<std::mutex> lock(m_mutex);
      m_busy = false;
      m_cv.notify_all();
      m_cv.wait(lock, [this] { return m_stop || !m_steps.empty(); });
      if (m_stop) return;
      step = m_steps.front();
      m_steps.pop_front();
      m_busy = true;
    }
    if (step.kind == Step::kScale) {
      if (m_port.load() == nullptr) {
        Fail("ScaleWhenTaken needs SyncWith first");
        continue;
      }
      const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kCommandWaitMs);
      bool taken = AllTaken();
      while (!taken && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        taken = AllTaken();
      }
      if (!taken) Fail("the program did not take the reply");
      platform::SetTimeScale(step.scale);
      continue;
    }
    if (step.kind == Step::kExpect) {
      std::string got;
      const bool complete = ReadExactly(got, step.bytes.size(), kCommandWaitMs);
      {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_commands.push_back(got);
      }
      // The command purged everything before it; count afresh.
      if (m_log) {
        CountReceived();
        m_receivedAtCommand = m_received;
        m_writtenSinceCommand = 0;
      }
      if (!complete) {
        Fail("expected \"" + Show(step.bytes) + "\", got only \"" + Show(got) + "\"");
      } else if (got != step.bytes) {
        Fail("expected \"" + Show(step.bytes) + "\", got \"" + Show(got) + "\"");
      }
      continue;
    }
    platform::Sleep(step.delayMs);
    if (m_strict) {
      int waiting = 0;
      ioctl(m_master, FIONREAD, &waiting);
      if (waiting > 0) Fail("a command arrived before the reply to the previous one");
    }
    std::size_t off = 0;
    while (off < step.bytes.size()) {
      const ssize_t n = write(m_master, step.bytes.data() + off, step.bytes.size() - off);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        Fail("write to the pty failed");
        break;
      }
      off += static_cast<std::size_t>(n);
    }
    for (const char c : step.bytes) m_writtenSinceCommand += c != '\0' ? 1 : 0;
  }
}
