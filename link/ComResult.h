#pragma once
// Results of the protocol exchanges (CComCtrlBase, CComCtrlKestrix2): the
// small positive codes of the logger protocol.

#include <cstdint>

// clang-format 14 takes an attributed enum for a braced list and mangles it.
// clang-format off
enum class [[nodiscard]] ComResult : int32_t {
  kOk = 0,           // the expected reply came (ReadAll, ReadAllNext: a line without "END")
  kFailed = 1,       // no port, port closed, write failed, or no line in time (an empty line counts as none)
  kOtherReply = 2,   // another line came (wake-up: one that does not begin "WAKE")
  kNoWakeUp = 3,     // the wake-up got no line in time, or the port closed after the hello
  kTimedOut = 4,     // the overall time of a multi-line exchange ran out
  kDataLine = 5,     // a download data line was taken (QueryLines: a line could not be stored)
  kEndOfData = 6,    // the download's end marker came
  kNotEnd = 240,     // the reply began "NOT END" or "NG" (module monitor: also "*>RX:ERROR")
  kCancelled = 241,  // the cancel event was raised while no line had come
  kEnd = 243,        // ReadAllNext: the line holds "END" but not "NOT END"
};
// clang-format on
