#pragma once
// A scripted logger on the master side of a pseudo-terminal, for protocol
// tests and benchmarks. The program opens the slave side through CRSPort
// (DeviceName()); the peer's thread works through its script in order: it
// reads each expected command line and checks it byte for byte, and writes
// each reply after its delay. Delays go through platform::Sleep, so the time
// scale shortens them like the program's own time-outs.
//
// Steps may be added at any time; the thread waits for more when the script
// runs dry. Bytes that the program sends while no Expect step is pending stay
// in the pty and can be taken with TakeUnread().

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CMLog;
class CRSPort;

class ScriptedPeer {
 public:
  ScriptedPeer();
  ~ScriptedPeer();
  ScriptedPeer(const ScriptedPeer&) = delete;
  ScriptedPeer& operator=(const ScriptedPeer&) = delete;

  const std::string& SlavePath() const { return m_slavePath; }
  // The name to give CRSPort::Open.
  std::string DeviceName() const { return "\\\\.\\" + m_slavePath; }

  // The next command the program must send, byte for byte.
  ScriptedPeer& Expect(const std::string& command);
  // Bytes to send delayMs (scaled) after the previous step ended.
  ScriptedPeer& Reply(const std::string& bytes, uint32_t delayMs = 0);
  // Sets the time scale once the program has taken every byte sent since the
  // last command (needs SyncWith first). A test can so let a reply arrive at
  // scale 1 and still have the long wait after it run out fast, with no race
  // between a shortened read time-out and the reply.
  ScriptedPeer& ScaleWhenTaken(double scale);
  // With strict turns on, a reply may only go out while the program has sent
  // nothing further: a second command in the pty before the answer to the
  // first means two exchanges overlapped, and is recorded as an error.
  void SetStrictTurns(bool on) { m_strict = on; }

  // Waits (real milliseconds) until every step so far has run; true when the
  // script ran dry in time and without errors.
  bool Finish(uint32_t realMs = 5000);
  std::vector<std::string> Errors();
  // Whatever the program sent that no step has read, gathered for realMs.
  std::string TakeUnread(uint32_t realMs = 20);
  // Commands read so far (those of Expect steps), in order.
  std::vector<std::string> Commands();

  // Returns once the port's reader thread runs: the reader purges the port
  // when it starts, and a reply that came before that would be lost. Leaves
  // the line buffer empty. Call with the script dry. Installs a traffic log of
  // the peer's own (GetEchoLog), so the exchanges' echo goes somewhere.
  bool SyncWith(CRSPort& port);

 private:
  struct Step {
    enum Kind { kExpect, kReply, kScale } kind = kReply;
    std::string bytes;
    uint32_t delayMs = 0;
    double scale = 1.0;
  };

  void Run();
  bool ReadExactly(std::string& out, std::size_t n, int realMs);
  void Fail(const std::string& what);
  bool AllTaken();
  void CountReceived();

  int m_master = -1;
  int m_slave = -1;
  std::string m_slavePath;
  std::atomic<bool> m_strict{false};
  std::atomic<CRSPort*> m_port{nullptr};
  std::unique_ptr<CMLog> m_log;
  // Peer thread only: bytes the reader handed to the line buffer, that
  // count when the last command was read, and bytes written since.
  int64_t m_received = 0;
  int64_t m_receivedAtCommand = 0;
  int64_t m_writtenSinceCommand = 0;

  std::mutex m_mutex;
  std::condition_variable m_cv;
  std::deque<Step> m_steps;
  bool m_busy = false;
  bool m_stop = false;
  std::vector<std::string> m_errors;
  std::vector<std::string> m_commands;
  std::thread m_thread;
};
