// The parsers of the logger's system and network replies: one reply line is
// a key, a blank and a value, and each key fills one part of a record.
#include <cstring>
#include <string>
#include <vector>

#include "link/ComCtrlKestrix2.h"
#include "link/KX2MailInfo.h"
#include "link/KX2SysInfo.h"
#include "link/ReplyParse.h"
#include "platform/Numbers.h"

namespace {

// "BLD" and "SN" may be longer than the record's text; keep the start and
// always leave a terminating NUL.
void CopyText(char (&target)[CKX2SysInfo::kTextSize], const char* value) {
  std::strncpy(target, value, sizeof target - 1);
  target[sizeof target - 1] = '\0';
}

// "ALM RN <no> <threshold> <H:MM> ON|OFF". Number 1 is the first alarm; any
// other number lands in the second, so a logger with more alarms than the
// record holds still shows its last one there.
void ParseAlarm(CKX2SysInfo& info, const char* value) {
  std::vector<std::string> tokens;
  if (SplitString(tokens, value) < 5 || tokens[0] != "RN") return;
  const int32_t number = platform::AtoI(tokens[1].c_str());
  CAlmRainInfo& alarm = info.m_alarm[number == 1 ? 0 : 1];
  alarm.m_nNo = number;
  alarm.m_dThreshold = platform::AtoF(tokens[2].c_str());
  alarm.m_nPeriod = ParseOffsetMinutes(tokens[3].c_str());
  alarm.m_nEnable = tokens[4] == "ON" ? 1 : 0;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What atoi and atof read a number from: blanks, a sign, then a digit (or a
// point and a digit).
bool StartsWithNumber(const char* text) {
  while (*text == ' ') ++text;
  if (*text == '+' || *text == '-') ++text;
  if (*text == '.') ++text;
  return IsDigit(*text);
}

// yy/mm/dd hh:mm:ss; a blank may stand for a leading zero.
bool IsDateTime(const std::string& value) {
  if (value.size() < 17) return false;
  for (size_t field = 0; field < 17; field += 3) {
    if ((value[field] != ' ' && !IsDigit(value[field])) || !IsDigit(value[field + 1])) return false;
  }
  return true;
}

bool AllNumbers(const std::vector<std::string>& tokens, size_t first, size_t count) {
  if (tokens.size() < first + count) return false;
  for (size_t i = first; i < first + count; ++i) {
    if (!StartsWithNumber(tokens[i].c_str())) return false;
  }
  return true;
}

}  // namespace

bool CComCtrlKestrix2::SysValueUsable(const char* key, const char* value) {
  if (key == nullptr) return true;
  const std::string v = value != nullptr ? value : "";
  const auto is = [key](const char* name) { return std::strcmp(key, name) == 0; };
  std::vector<std::string> tokens;
  if (is("STM") || is("TIM") || is("NEX")) return IsDateTime(v);
  if (is("SMP") || is("SMP2")) return v.find_first_of("0123456789") != std::string::npos;
  if (is("ITV") || is("ITV2")) return StartsWithNumber(v.c_str());
  if (is("BAT")) return v.size() > 4 && StartsWithNumber(v.c_str() + 4);
  if (is("ID")) {
    SplitString(tokens, v.c_str(), " -()");
    return AllNumbers(tokens, 0, 3);
  }
  // Alarms and calibrations of other kinds than rain are not read.
  if (is("ALM") || is("CAL")) {
    SplitString(tokens, v.c_str());
    if (tokens.empty()) return false;
    if (tokens[0] != "RN") return true;
    return is("CAL") ? AllNumbers(tokens, 1, 1) : AllNumbers(tokens, 1, 3) && tokens.size() >= 5;
  }
  return true;
}

ComResult CComCtrlKestrix2::ReadSysInfo(CRSPort* port, CKX2SysInfo& info) {
  std::vector<std::string> lines;
  const ComResult result = QueryLines(port, "RD SYS\r\n", &lines, 3000);
  // Only a complete answer is applied: half an answer would mix this
  // reading's values with the record's old ones.
  if (result != ComResult::kOk) return result;
  std::string key;
  std::string value;
  // A number that lost its value on the line would read as 0 and pass for
  // the logger's setting: the whole reply is unusable then.
  for (const std::string& line : lines) {
    SplitKeyValue(line, key, value);
    if (!SysValueUsable(key.c_str(), value.c_str())) return ComResult::kOtherReply;
  }
  // A key the parser does not read is a setting this program does not show.
  for (const std::string& line : lines) {
    SplitKeyValue(line, key, value);
    static_cast<void>(ParseSysItem(info, key.c_str(), value.c_str()));
  }
  return ComResult::kOk;
}

KeyParse CComCtrlKestrix2::ParseSysItem(CKX2SysInfo& info, const char* key, const char* value) {
  if (key == nullptr) return KeyParse::kUnknown;
  if (value == nullptr) value = "";
  const auto is = [key](const char* name) { return std::strcmp(key, name) == 0; };

  // A date-time too short to read leaves the time as it was.
  if (is("STM")) {
    if (info.m_stStart.SetFromString(value) != 1) return KeyParse::kUnknown;
  } else if (is("TIM")) {
    if (info.m_stClock.SetFromString(value) != 1) return KeyParse::kUnknown;
  } else if (is("NEX")) {
    if (info.m_stNext.SetFromString(value) != 1) return KeyParse::kUnknown;
  } else if (is("SMP")) {
    info.m_nSampling = ParseDuration(value);
  } else if (is("SMP2")) {
    info.m_nSamplingEvent = ParseDuration(value);
  } else if (is("ITV")) {
    info.m_nSendCount = platform::AtoI(value);
  } else if (is("ITV2")) {
    info.m_nSendCountEvent = platform::AtoI(value);
  } else if (is("BAT")) {
    // The logger writes a four-character label before the level ("ALM 3600").
    const char* level = std::strlen(value) >= 4 ? value + 4 : "";
    info.m_nBatteryStop = platform::TruncToInt32(platform::AtoF(level));
  } else if (is("ID")) {
    // "1-2500 (2500)": first, last and a third number.
    std::vector<std::string> tokens;
    if (SplitString(tokens, value, " -()") >= 3) {
      info.m_nIdFirst = platform::AtoI(tokens[0].c_str());
      info.m_nIdLast = platform::AtoI(tokens[1].c_str());
      info.m_nIdThird = platform::AtoI(tokens[2].c_str());
    }
  } else if (is("ALM")) {
    ParseAlarm(info, value);
  } else if (is("CAL")) {
    std::vector<std::string> tokens;
    if (SplitString(tokens, value) >= 2 && tokens[0] == "RN") info.m_dRainPerCount = platform::AtoF(tokens[1].c_str());
  } else if (is("BLD")) {
    CopyText(info.m_szBuild, value);
  } else if (is("STOP")) {
    info.m_nMeasuring = 0;
  } else if (is("MEASURING")) {
    info.m_nMeasuring = 1;
  } else if (is("SN")) {
    CopyText(info.m_szSerial, value);
  } else {
    return KeyParse::kUnknown;
  }
  return KeyParse::kTaken;
}

KeyParse CComCtrlKestrix2::ParseMailItem(CKX2MailInfo& info, const char* key, const char* value) {
  if (key == nullptr) return KeyParse::kUnknown;
  if (value == nullptr) value = "";
  struct Entry {
    const char* key;
    std::string CKX2MailInfo::*member;
  };
  static constexpr Entry kEntries[] = {
      {"MYDIAL", &CKX2MailInfo::m_strMyDial}, {"APN", &CKX2MailInfo::m_strApn},   {"APU", &CKX2MailInfo::m_strUser},
      {"APP", &CKX2MailInfo::m_strPassword},  {"APA", &CKX2MailInfo::m_strAuth},  {"IMEI", &CKX2MailInfo::m_strImei},
      {"HOST", &CKX2MailInfo::m_strHost},     {"PORT", &CKX2MailInfo::m_strPort}, {"POST", &CKX2MailInfo::m_strPost},
  };
  for (const Entry& entry : kEntries) {
    if (std::strcmp(key, entry.key) == 0) {
      info.*entry.member = value;
      return KeyParse::kTaken;
    }
  }
  return KeyParse::kUnknown;
}
