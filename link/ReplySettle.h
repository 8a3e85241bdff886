#pragma once
// The quiet line before a new command, after a command that went unanswered.
//
// A logger slower than an exchange's time-out is still working on the
// command: its answer comes late. The exchange reports its failure at once,
// and a further try of the same command goes out at once too, since a late
// answer to an earlier try answers the same command. A different command
// must not go out yet: it would take that late answer for its own (a refused
// setting read as done). So before it goes out the port waits until every
// try of the unanswered command has had its answer, or else until the line
// has been quiet, counted from the last byte received or sent, for as long
// as the exchange waited (at most kMaxQuietMs). A logger that has shown
// itself slow (bytes came after a try ran out) owes an answer to each later
// try as well, each as late as the first, so the quiet it needs is twice
// that. The wait never lasts longer than twice the time the exchange waited
// (at most 2 x kMaxQuietMs) while bytes keep coming, and a closing port ends
// it at once.
//
// A logger silent all along costs no wait: its last try went out as long
// ago as that try waited. The time the operator spends reading a failure
// counts as quiet too.
//
// The port owns one; every member runs under the port lock.

#include <cstdint>
#include <string>

class CRSPort;

class CReplySettle {
 public:
  // The longest single reply wait of the protocol (a schedule change); a
  // collection that waits longer (minutes for the module) needs no more.
  static constexpr uint32_t kMaxQuietMs = 45000;

  explicit CReplySettle(CRSPort& port) : m_port(port) {}

  // A new link owes nothing.
  void Reset();
  // Before command (its bytes as they go out) is written: the wait above
  // when it is not the command that went unanswered.
  void BeforeSend(const std::string& command);
  // The exchange of the last command sent waited timeoutMs in vain.
  void GaveUp(uint32_t timeoutMs);
  // A line that an exchange (or the wait) read: an end marker closes one
  // answer.
  void LineRead(const char* line);

 private:
  void WaitForQuiet();
  uint32_t QuietFor(uint32_t now) const;

  CRSPort& m_port;
  std::string m_command;  // the last command sent
  int32_t m_nSends = 0;   // its tries since a different command went out
  int32_t m_nAnswers = 0;
  bool m_bUnanswered = false;
  uint32_t m_nQuietMs = 0;
  uint32_t m_nRxAtGiveUp = 0;
};

// Reads one reply line and keeps the terminal alive afterwards. An empty line
// reads as 0, the same as nothing at all.
int32_t ReadReply(CRSPort* port, char* buffer, int32_t size, uint32_t timeoutMs);
// ReadReply for a command's answer: when nothing came within timeoutMs, the
// command is noted as unanswered (above). An empty line still gives 0 at
// once; a closed port ends the wait at once.
int32_t ReadAnswer(CRSPort* port, char* buffer, int32_t size, uint32_t timeoutMs);
// Sends one command line under the port lock the caller holds: the quiet
// wait where one is due, the traffic log, then the port's write, which
// discards everything queued first. Together, no reply of an earlier command
// can be taken for this one's answer. length 0 means up to the NUL.
bool SendCommandLine(CRSPort* port, const char* command, int32_t length = 0);
