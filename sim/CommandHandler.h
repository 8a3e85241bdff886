#pragma once
// The logger's command interpreter: one received line in, the reply out.
// It owns the logger's state, clock and record memory; it does no I/O and
// takes no lock (LoggerSim serialises the calls), so the protocol logic can
// be tested without a terminal.

#include <cstdint>
#include <string>
#include <vector>

#include "sim/RecordRing.h"
#include "sim/SimClock.h"
#include "sim/SimState.h"

namespace sim {

struct SimLine {
  std::string text;      // without the line end
  uint32_t delayMs = 0;  // logger milliseconds before the line goes out
};

struct SimReply {
  std::vector<SimLine> head;
  bool download = false;     // the record lines follow the head
  std::vector<int> records;  // record numbers to send, in order
  std::vector<SimLine> tail;
};

class CommandHandler {
 public:
  // Delays of the slow operations, in logger milliseconds.
  static constexpr uint32_t kModuleMs = 1000;
  static constexpr uint32_t kFlashWriteMs = 3000;

  CommandHandler();

  SimReply Handle(const std::string& line);
  // A logger found in the field: `count` records numbered from `first`, taken
  // every measurement interval up to the clock's present, still measuring.
  void Populate(int first, int count);
  // Takes the measurements that fell due on the running clock.
  void Advance();
  std::string RecordLine(int number) const { return m_records.Line(number); }

  SimState& State() { return m_state; }
  SimClock& Clock() { return m_clock; }
  RecordRing& Records() { return m_records; }

 private:
  SimReply Read(const std::string& what, const std::vector<std::string>& tok);
  SimReply ReadAll(const std::vector<std::string>& tok);
  SimReply ReadSys();
  SimReply Set(const std::string& what, const std::vector<std::string>& tok);
  SimReply SetStart(const std::vector<std::string>& tok);
  SimReply Alarm(const std::vector<std::string>& tok);
  SimReply Mail(const std::string& line, const std::vector<std::string>& tok);
  SimReply MailValue(const std::string& key, const std::string& line);
  SimReply Inspect(const std::string& upper, const std::string& line);
  void StartMeasuring(int64_t start);
  void FactoryReset();

  SimState m_state;
  SimClock m_clock;
  RecordRing m_records;
};

}  // namespace sim
