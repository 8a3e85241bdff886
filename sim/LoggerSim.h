#pragma once
// A stand-in rain-gauge logger behind a pseudo-terminal. The simulator keeps
// the master side; the program opens SlavePath() like any serial port. One
// thread of its own reads commands and writes replies; every public member is
// thread-safe, so tests drive the program's worker threads against it
// in-process. Delays go through platform::Sleep, so a test's time scale
// shortens them.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "sim/CommandHandler.h"
#include "sim/FaultPlan.h"
#include "sim/SimState.h"

namespace sim {

class LoggerSim {
 public:
  LoggerSim();
  ~LoggerSim();
  LoggerSim(const LoggerSim&) = delete;
  LoggerSim& operator=(const LoggerSim&) = delete;

  // Creates the pseudo-terminal and starts answering. False when no terminal
  // could be made or the simulator already runs.
  bool Start();
  void Stop();
  std::string SlavePath() const;
  bool IsRunning() const { return m_thread.joinable() && !m_vanished.load(); }
  // True after a Vanish fault closed the terminal.
  bool Vanished() const { return m_vanished.load(); }

  // State, under the simulator's lock.
  SimState State() const;
  void Update(const std::function<void(SimState&)>& change);
  // The record memory: `count` records numbered from `first`, one per
  // measurement interval up to now; the logger measures.
  void SetRecords(int first, int count);
  int FirstRecord() const;
  int LastRecord() const;
  std::string RecordLine(int number) const;
  // The logger clock in logger seconds (see SimClock); a stopped clock keeps
  // every reply the same from run to run. Records, schedule and error log are
  // made afresh to match it.
  void SetClock(int64_t seconds, bool running);
  int64_t Clock() const;

  void InjectFault(const Fault& fault);
  void ClearFaults();

  // Every command line received, without its line end, in order; an ESC byte
  // is logged as a command of its own ("\x1b").
  std::vector<std::string> ReceivedCommands() const;
  void ClearReceivedCommands();
  // Waits up to `ms` real milliseconds until at least `n` commands were
  // received and answered; a test's guard, never a pacing device.
  bool WaitForCommands(size_t n, uint32_t ms) const;

 private:
  void Run();
  void ProcessLine(const std::string& line);
  void SendReply(const SimReply& reply, const Fault* fault);
  void Download(const SimReply& reply, int* budget, const Fault* fault);
  // False when the simulator stops, the terminal vanished or the line was cut by a stall.
  bool SendLine(const std::string& text, uint32_t delayMs, int* budget, const Fault* fault);
  // records: whole lines of a download, of which an ESC noticed meanwhile
  // lets only the line on its way finish.
  bool WriteAll(const std::string& data, bool records = false);
  // Reads what is waiting without blocking; an ESC during a download asks it to stop.
  void DrainInput();
  bool Pause(uint32_t ms);
  void CloseTerminal();
  void LogCommand(const std::string& command);

  // m_lock guards the handler, the fault plan and the command log; the I/O
  // thread holds it only while it asks the handler, never while it writes.
  mutable std::mutex m_lock;
  mutable std::condition_variable m_logChanged;
  mutable CommandHandler m_handler;  // mutable: reading the clock re-anchors it
  FaultPlan m_faults;
  std::vector<std::string> m_received;
  size_t m_answered = 0;

  // Owned by the I/O thread while it runs.
  int m_master = -1;
  int m_slaveHold = -1;  // keeps the terminal alive between the program's opens
  int m_wake[2] = {-1, -1};
  std::string m_input;
  bool m_inDownload = false;
  bool m_abort = false;
  bool m_ignoreEsc = false;  // this reply's download runs on whatever ESC comes

  std::string m_slavePath;
  std::thread m_thread;
  std::atomic<bool> m_stop{false};
  std::atomic<bool> m_vanished{false};
};

}  // namespace sim
