#pragma once
// The wait that follows an exchange's time-out.
//
// A logger that is slower than the time-out is still working on the command:
// its answer comes late. A command sent meanwhile would take that late answer
// for its own (a refused setting read as done), and its own answer would in
// turn answer the command after it. So a timed-out exchange keeps the port
// and listens on until the line has been quiet for as long as the exchange
// waited (at most kMaxQuietMs), and never longer than twice that while bytes
// keep coming. A line that arrives meanwhile is the command's late answer and
// is judged like any answer; only a quiet line lets the next command go.

#include <cstdint>

#include "link/ComCtrlBase.h"

class CRSPort;

class CReplySettle {
 public:
  // The longest single reply wait of the protocol (a schedule change); a
  // collection that waits longer (minutes for the module) settles this long.
  static constexpr uint32_t kMaxQuietMs = CComCtrlBase::kLongMs;

  // Starts the settle of an exchange that waited timeoutMs in vain.
  CReplySettle(CRSPort* port, uint32_t timeoutMs);

  // True while the exchange should keep listening: the port is open, the line
  // has not been quiet for the settle time and the bound has not passed.
  bool Listening() const;
  // How long the next read may wait before Listening must be asked again.
  uint32_t NextWaitMs() const;

 private:
  uint32_t QuietFor(uint32_t now) const;

  CRSPort* m_port;
  uint32_t m_start;
  uint32_t m_quietMs;
  uint32_t m_boundMs;
};

// Reads one reply line and keeps the terminal alive afterwards. An empty line
// reads as 0, the same as nothing at all.
int32_t ReadReply(CRSPort* port, char* buffer, int32_t size, uint32_t timeoutMs);
// ReadReply for a command's answer: when nothing came within timeoutMs, the
// settle above, whose first line counts as the answer. An empty line still
// gives 0 at once; a closed port ends the wait at once.
int32_t ReadAnswer(CRSPort* port, char* buffer, int32_t size, uint32_t timeoutMs);
