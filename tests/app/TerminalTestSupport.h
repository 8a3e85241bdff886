#pragma once
// Shared by the terminal tests: the text of a terminal line, and a
// pseudo-terminal that stands in for the logger.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>
#include <string>

#include "app/LogData.h"
#include "tests/support/qt/QtApplication.h"

inline std::string TextOf(const CLogData& line) {
  std::string s;
  for (int32_t i = 0; i < line.GetSize(); ++i) s += static_cast<char>(CLogData::Char(line[i]));
  return s;
}

inline std::vector<uint16_t> Received(const std::string& text) {
  std::vector<uint16_t> entries;
  for (char c : text) entries.push_back(CLogData::Entry(static_cast<uint8_t>(c), CLogData::kReceived));
  return entries;
}

// Lets the event loop run until the condition holds or five seconds pass.
inline bool RunUntil(const std::function<bool()>& done, int timeoutMs = 5000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// The logger's end of a pseudo-terminal: the port opens the slave by path.
class PtyPeer {
 public:
  PtyPeer() {
    int slave = -1;
    char name[256] = {};
    if (::openpty(&m_master, &slave, name, nullptr, nullptr) == 0) {
      ::close(slave);
      m_path = name;
    }
  }
  ~PtyPeer() {
    if (m_master >= 0) ::close(m_master);
  }
  PtyPeer(const PtyPeer&) = delete;
  PtyPeer& operator=(const PtyPeer&) = delete;

  std::string DeviceName() const { return "\\\\.\\" + m_path; }
  void Send(const std::string& bytes) const {
    if (::write(m_master, bytes.data(), bytes.size()) < 0) return;
  }
  // Everything that arrives within the wait (real milliseconds); the wait
  // ends early once `expected` bytes came.
  std::string Receive(size_t expected, int waitMs = 2000) const {
    std::string got;
    QElapsedTimer t;
    t.start();
    while (got.size() < expected && t.elapsed() < waitMs) {
      pollfd pfd{m_master, POLLIN, 0};
      if (::poll(&pfd, 1, 20) > 0 && (pfd.revents & POLLIN)) {
        char buf[256];
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n > 0) got.append(buf, static_cast<size_t>(n));
      }
    }
    return got;
  }

 private:
  int m_master = -1;
  std::string m_path;
};
