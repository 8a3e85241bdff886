#pragma once
// Misbehaviour on demand: each fault applies to the commands that begin with
// its command text (any command when empty), for its next `count` matches or
// for ever (count < 0). The first fault in the plan that matches wins.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sim {

enum class FaultKind {
  NoAnswer,   // the command is ignored
  Delay,      // the reply comes after `delayMs` logger milliseconds
  Ng,         // "NG" instead of the reply, nothing changed
  NotEnd,     // "NOT END" instead of the reply, nothing changed
  Garbage,    // a line of noise instead of the reply
  Split,      // the reply written a few bytes at a time
  HashLines,  // a module echo line before every reply line
  LongLine,   // a line longer than 4096 bytes before the reply
  Stall,      // the reply stops for good after `lines` lines (mid-download)
  Vanish,     // the logger disappears: the pseudo-terminal is closed
  NoValue,    // the reply's data lines keep their key and lose the value ("IMEI:", "ANT")
  IgnoreEsc,  // a download runs to its end whatever ESC comes
  GiveUp,     // a download ends with "NOT END" after `lines` records, no ESC needed
  GiveUpNg,   // the same, ending with "NG"
  Pace,       // download records one every `delayMs`, as a slow line carries them
};

struct Fault {
  FaultKind kind = FaultKind::NoAnswer;
  std::string command;  // prefix, compared without regard to case
  int count = 1;
  uint32_t delayMs = 0;
  int lines = 0;
};

class FaultPlan {
 public:
  void Add(const Fault& fault);
  void Clear();
  bool Empty() const { return m_faults.empty(); }
  // The fault for this command, if any; uses up one of its count.
  std::optional<Fault> Take(const std::string& command);

  // "KIND[=N][*COUNT][@COMMAND]", e.g. "ng@RD SYS", "delay=3000*2", "stall=5@RD ALL".
  // KIND: noanswer, delay=MS, ng, notend, garbage, split, hash, long, stall=LINES, vanish,
  // novalue, ignoreesc, giveup=RECORDS, giveupng=RECORDS, pace=MS.
  // Without *COUNT the fault stays for good.
  static std::optional<Fault> Parse(const std::string& scenario, std::string* error);

 private:
  std::vector<Fault> m_faults;
};

}  // namespace sim
