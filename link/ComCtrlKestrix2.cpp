#include "link/ComCtrlKestrix2.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>
#include <optional>

#include "link/RSPort.h"
#include "link/ReadData.h"
#include "link/ReplySettle.h"
#include "platform/CriticalSection.h"
#include "platform/Hooks.h"
#include "platform/Text.h"
#include "platform/Time.h"

namespace {

// The communication module registers on the network before it reports; that
// can take minutes.
constexpr uint32_t kMailInitMs = 360000;
constexpr uint32_t kImeiMs = 60000;
constexpr uint32_t kErrorLogMs = 20000;

// Query replies: data lines, then one of these markers. A data line gives
// no result.
std::optional<ComResult> EndMarker(const char* line) {
  if (platform::CompareNoCase(line, "YES END", 7) == 0) return ComResult::kOk;
  if (platform::CompareNoCase(line, "NG", 2) == 0) return ComResult::kNotEnd;
  if (platform::CompareNoCase(line, "NOT END", 7) == 0) return ComResult::kNotEnd;
  return std::nullopt;
}

// A command of any length (calibration and criteria texts come from the
// operator), so no fixed buffer can cut it short.
std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int len = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  std::string out;
  if (len > 0) {
    out.resize(static_cast<std::size_t>(len) + 1);
    std::vsnprintf(out.data(), out.size(), format, again);
    out.resize(static_cast<std::size_t>(len));
  }
  va_end(again);
  return out;
}

void AppendPiece(std::vector<std::string>& list, const char* begin, const char* end) {
  std::string piece;
  for (const char* p = begin; p < end; ++p) {
    if (*p != '\r' && *p != '\n') piece += *p;
  }
  list.push_back(std::move(piece));
}

}  // namespace

CComCtrlKestrix2::CComCtrlKestrix2() = default;

CComCtrlKestrix2::~CComCtrlKestrix2() = default;

bool CComCtrlKestrix2::IsTargetModel(const char* identification) {
  return identification != nullptr && std::strncmp(identification, "Corvanel-QZ", 11) == 0;
}

ComResult CComCtrlKestrix2::SetBatteryAlarm(CRSPort* port, int32_t millivolts) {
  if (port == nullptr) return ComResult::kFailed;
  return SendCommandExpect(port, Format("BAT %d\r\n", millivolts).c_str(), nullptr, kShortMs);
}

ComResult CComCtrlKestrix2::SetRssValue(CRSPort* port, int32_t value) {
  if (port == nullptr) return ComResult::kFailed;
  return SendCommandExpect(port, Format("ST RSS %d\r\n", value).c_str(), nullptr, kShortMs);
}

ComResult CComCtrlKestrix2::SetAverage(CRSPort* port, int32_t value) {
  if (port == nullptr) return ComResult::kFailed;
  return SendCommandExpect(port, Format("ST AVG %d\r\n", value).c_str(), nullptr, kShortMs);
}

ComResult CComCtrlKestrix2::SetCalibration(CRSPort* port, const char* text) {
  if (port == nullptr || text == nullptr) return ComResult::kFailed;
  return SendCommandExpect(port, Format("ST CAL AV %s\r\n", text).c_str(), nullptr, kShortMs);
}

ComResult CComCtrlKestrix2::ClearRain(CRSPort* port) {
  if (port == nullptr) return ComResult::kFailed;
  return SendCommandExpect(port, "RCLR\r\n", nullptr, kShortMs);
}

ComResult CComCtrlKestrix2::SetRainAlarm(CRSPort* port, int32_t number, const char* criteria) {
  if (port == nullptr || criteria == nullptr) return ComResult::kFailed;
  return SendCommandExpect(port, Format("ALM RN %d %s\r\n", number, criteria).c_str(), nullptr, kShortMs);
}

ComResult CComCtrlKestrix2::EnableRainAlarm(CRSPort* port, int32_t number, int32_t on) {
  if (port == nullptr) return ComResult::kFailed;
  const char* format = on != 0 ? "ALM RN %d ON\r\n" : "ALM RN %d OFF\r\n";
  return SendCommandExpect(port, Format(format, number).c_str(), nullptr, kShortMs);
}

ComResult CComCtrlKestrix2::QueryLines(CRSPort* port, const char* command, std::vector<std::string>* lines,
                                       uint32_t overallMs) {
  if (port == nullptr) return ComResult::kFailed;
  platform::CriticalSectionLock lock(port->PortLock());
  // Without a command nothing is purged: the lines that followed an earlier
  // exchange's "OK" are the ones to collect.
  if (command != nullptr && command[0] != '\0') {
    if (!port->IsOpen()) return ComResult::kFailed;
    if (!SendCommandLine(port, command)) return ComResult::kFailed;
  }

  char line[4096];
  uint32_t since = platform::TickCount();
  for (;;) {
    // Nothing can come any more.
    if (!port->IsOpen()) return ComResult::kFailed;
    const uint32_t paused = platform::TickCount() - since;
    // The rest of the reply may still come: the next command waits for it.
    if (paused >= overallMs) {
      port->Settle().GaveUp(overallMs);
      return ComResult::kTimedOut;
    }
    if (ReadReply(port, line, sizeof line, std::min<uint32_t>(1000, overallMs - paused)) <= 0) continue;
    if (const std::optional<ComResult> end = EndMarker(line)) return *end;
    if (lines != nullptr) {
      try {
        lines->emplace_back(line);
      } catch (const std::bad_alloc&) {
        return ComResult::kDataLine;
      }
    }
    // A long reply is fine as long as it keeps coming.
    since = platform::TickCount();
  }
}

ComResult CComCtrlKestrix2::StartReadAll(CRSPort* port, int32_t start, int32_t count) {
  if (port == nullptr) return ComResult::kFailed;
  std::string command;
  if (start < 0) {
    command = Format("%s\r\n", "RD ALL");
  } else if (count > 0) {
    command = Format("%s %d %d\r\n", "RD ALL", start, count);
  } else {
    command = Format("%s %d\r\n", "RD ALL", start);
  }
  return SendCommandExpect(port, command.c_str(), "OK", kShortMs);
}

ComResult CComCtrlKestrix2::ReadDataLine(CRSPort* port, std::string& text, ComResult* endMarker) {
  if (port == nullptr) return ComResult::kFailed;
  platform::CriticalSectionLock lock(port->PortLock());
  if (!port->IsOpen()) return ComResult::kFailed;
  char line[4096];
  if (ReadReply(port, line, sizeof line, 3000) <= 0) return ComResult::kFailed;
  if (platform::CompareNoCase(line, "YES END", 7) == 0) {
    if (endMarker != nullptr) *endMarker = ComResult::kOk;
    return ComResult::kEndOfData;
  }
  // A record may itself begin with the letters "NG"; only "NG" alone ends
  // the download.
  if (platform::CompareNoCase(line, "NOT END", 7) == 0 || platform::CompareNoCase(line, "NG", 7) == 0) {
    if (endMarker != nullptr) *endMarker = ComResult::kNotEnd;
    return ComResult::kEndOfData;
  }
  text = line;
  text += "\r\n";
  return ComResult::kDataLine;
}

ComResult CComCtrlKestrix2::ReadErrorLog(CRSPort* port, std::vector<std::string>& lines) {
  const ComResult result = SendCommandExpect(port, "RD ERR\r\n", "OK", kShortMs);
  if (result != ComResult::kOk) return result;
  // The caller's list gets the log only when it came whole.
  std::vector<std::string> collected;
  const ComResult query = QueryLines(port, nullptr, &collected, kErrorLogMs);
  if (query == ComResult::kOk) lines.insert(lines.end(), collected.begin(), collected.end());
  return query;
}

ComResult CComCtrlKestrix2::InitMail(CRSPort* port, const char* profile) {
  const std::string command = profile != nullptr && profile[0] != '\0' ? Format("%s %s\r\n", "MAIL INI", profile)
                                                                       : Format("%s\r\n", "MAIL INI");
  const ComResult result = SendCommandExpect(port, command.c_str(), "OK", kShortMs);
  if (result != ComResult::kOk) return result;
  return QueryLines(port, nullptr, nullptr, kMailInitMs);
}

ComResult CComCtrlKestrix2::ReadImei(CRSPort* port, char* digits) {
  if (digits == nullptr) return ComResult::kFailed;
  const ComResult result = SendCommandExpect(port, "MAIL IMEI\r\n", "OK", kShortMs);
  if (result != ComResult::kOk) return result;
  std::vector<std::string> collected;
  // Whatever goes wrong after the "OK" reads as an answer without a number.
  if (QueryLines(port, nullptr, &collected, kImeiMs) != ComResult::kOk || collected.empty()) {
    return ComResult::kOtherReply;
  }
  const std::string& first = collected.front();
  if (std::strncmp(first.c_str(), "IMEI", 4) != 0) return ComResult::kOk;
  // The module prints the number with separators ("IMEI: 3567-...").
  int count = 0;
  digits[0] = '\0';
  for (const char c : first) {
    if (count >= 49) break;
    if (c >= '0' && c <= '9') {
      digits[count++] = c;
      digits[count] = '\0';
    }
  }
  return ComResult::kOk;
}

ComResult CComCtrlKestrix2::SendWeep(CRSPort* port) {
  if (port == nullptr) return ComResult::kFailed;
  platform::CriticalSectionLock lock(port->PortLock());
  if (!port->IsOpen()) return ComResult::kFailed;
  if (!SendCommandLine(port, "WEEP\r\n")) return ComResult::kFailed;
  char line[256];
  if (!port->IsOpen()) return ComResult::kFailed;
  if (ReadAnswer(port, line, sizeof line, kShortMs) <= 0)
    return port->IsOpen() ? ComResult::kTimedOut : ComResult::kFailed;
  if (std::strstr(line, "writing") == nullptr) return ComResult::kFailed;
  // Writing the image to flash takes a while before the final "OK".
  if (!port->IsOpen() || ReadAnswer(port, line, sizeof line, 60000) <= 0) return ComResult::kFailed;
  return platform::CompareNoCase(line, "OK", 2) == 0 ? ComResult::kOk : ComResult::kFailed;
}

ComResult CComCtrlKestrix2::WaitSleep(CRSPort* port, int32_t n) {
  if (port == nullptr) return ComResult::kFailed;
  platform::CriticalSectionLock lock(port->PortLock());
  char line[256];
  for (int32_t i = 0; i < n; ++i) {
    if (!port->IsOpen() || ReadReply(port, line, sizeof line, 13000) <= 0) return ComResult::kFailed;
    if (platform::CompareNoCase(line, "#>RX:$SLEEP", 11) == 0) return ComResult::kOk;
  }
  return ComResult::kFailed;
}

ComResult CComCtrlKestrix2::SendAndWait(CRSPort* port, const char* command, const char* expected, int32_t n) {
  if (port == nullptr || command == nullptr) return ComResult::kFailed;
  char expect[100];
  std::snprintf(expect, sizeof expect, "%s", expected != nullptr ? expected : "YES END");
  const std::size_t expectLen = std::strlen(expect);

  platform::CriticalSectionLock lock(port->PortLock());
  // With no read to make, a command would only change the logger behind the
  // caller's back.
  if (!port->IsOpen() || n < 1) return ComResult::kFailed;
  if (!SendCommandLine(port, command)) return ComResult::kFailed;

  ComResult result = ComResult::kFailed;
  char line[256];
  for (int32_t i = 0; i < n; ++i) {
    if (!port->IsOpen()) return ComResult::kFailed;
    // A line late for an earlier read is still taken by the read after it;
    // only the last read leaves the command unanswered.
    const int32_t got =
        i + 1 < n ? ReadReply(port, line, sizeof line, kShortMs) : ReadAnswer(port, line, sizeof line, kShortMs);
    if (got <= 0) continue;
    if (platform::CompareNoCase(line, expect, expectLen) == 0) return ComResult::kOk;
    if (platform::CompareNoCase(line, "*>RX:ERROR", 99) == 0 || platform::CompareNoCase(line, "NOT END", 99) == 0) {
      return ComResult::kNotEnd;
    }
    result = ComResult::kOtherReply;
  }
  return result;
}

int32_t CComCtrlKestrix2::SplitCsvLine(std::vector<std::string>& list, const char* line) {
  if (line != nullptr) {
    const char* piece = line;
    const char* p = line;
    for (; *p != '\0'; ++p) {
      if (*p == ',') {
        AppendPiece(list, piece, p);
        piece = p + 1;
      }
    }
    if (p > piece) AppendPiece(list, piece, p);
  }
  return static_cast<int32_t>(list.size());
}
