#pragma once
// The simulator's fault kinds, each once: the name a scenario gives it, what
// its number means and what it does. The scenario parser and kx2sim's help
// text both read this table, so a new kind needs one row here and its effect
// in LoggerSim.

#include <string>
#include <string_view>

namespace sim {

enum class FaultKind {
  NoAnswer,
  Delay,
  Ng,
  NotEnd,
  Garbage,
  Split,
  HashLines,
  LongLine,
  Stall,
  Vanish,
  NoValue,
  IgnoreEsc,
  GiveUp,
  GiveUpNg,
  Pace,
};

struct FaultKindInfo {
  FaultKind kind;
  std::string_view name;     // in a scenario
  std::string_view number;   // what =N gives; empty for a kind that takes none
  std::string_view meaning;  // one line of the help text
};

inline constexpr FaultKindInfo kFaultKinds[] = {
    {FaultKind::NoAnswer, "noanswer", "", "the command is ignored"},
    {FaultKind::Delay, "delay", "MS", "the reply comes MS milliseconds late"},
    {FaultKind::Ng, "ng", "", "\"NG\" instead of the reply; nothing changes"},
    {FaultKind::NotEnd, "notend", "", "\"NOT END\" instead of the reply; nothing changes"},
    {FaultKind::Garbage, "garbage", "", "a line of noise instead of the reply"},
    {FaultKind::Split, "split", "", "the reply goes out a few bytes at a time"},
    {FaultKind::HashLines, "hash", "", "a module echo line (#...) before every reply line"},
    {FaultKind::LongLine, "long", "", "a line over 4096 bytes before the reply"},
    {FaultKind::Stall, "stall", "LINES", "the reply falls silent for good after LINES lines"},
    {FaultKind::Vanish, "vanish", "", "the logger disappears: its terminal closes"},
    {FaultKind::NoValue, "novalue", "", "data lines keep their key and lose the value (\"IMEI:\", \"ANT\")"},
    {FaultKind::IgnoreEsc, "ignoreesc", "", "a record download runs to its end whatever ESC comes"},
    {FaultKind::GiveUp, "giveup", "RECORDS", "a record download ends with \"NOT END\" after RECORDS records"},
    {FaultKind::GiveUpNg, "giveupng", "RECORDS", "the same, ending with \"NG\""},
    {FaultKind::Pace, "pace", "MS", "a record download sends one record every MS milliseconds"},
};

// The table as help lines, one a kind: the indent, "name[=NUMBER]" in a
// column, the meaning.
std::string FaultKindHelp(std::string_view indent);

}  // namespace sim
