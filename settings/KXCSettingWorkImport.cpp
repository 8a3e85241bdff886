// The settings file's reader.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Numbers.h"
#include "platform/Text.h"
#include "settings/KXCSettingWork.h"
#include "settings/SettingItems.h"
#include "settings/SettingFileKeys.h"
#include "settings/SettingSelect.h"
#include "link/SettingWorkData.h"

namespace sf = settingfile;

namespace {

// What a file may bring. Beyond these the wizard pages would show something
// other than the file holds (their conversions wrap: a period of 1000 hours
// shows as 000:00, a year as its last two digits), and the operator would
// confirm that. The limits are those of the pages' own inputs.
constexpr double kRainMin = 0.01, kRainMax = 2.00;          // mm per count
constexpr int32_t kBatteryMin = 2400, kBatteryMax = 12000;  // mV
constexpr double kThresholdMin = 0.01, kThresholdMax = 999.99;
constexpr int32_t kPeriodMin = 1, kPeriodMax = 14400;        // minutes
constexpr int32_t kIntervalMin = 60, kIntervalMax = 864000;  // seconds: 1 minute to 10 days
constexpr int32_t kCountMax = 240;
constexpr int32_t kYearMin = 2000, kYearMax = 2099;  // the start is edited as "20yy"

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value must begin with a number (after blanks and a sign); anything after
// the number is ignored, as the C conversions do. A text without a number is
// refused rather than taken for 0.
bool StartsWithNumber(std::string_view v) {
  std::size_t i = 0;
  while (i < v.size() && IsSpace(v[i])) ++i;
  if (i < v.size() && (v[i] == '+' || v[i] == '-')) ++i;
  if (i < v.size() && v[i] == '.') ++i;
  return i < v.size() && IsDigit(v[i]);
}

bool ReadInt(const std::string& v, int32_t lo, int32_t hi, int32_t& out) {
  if (!StartsWithNumber(v)) return false;
  const int32_t n = platform::AtoI(v.c_str());
  if (n < lo || n > hi) return false;
  out = n;
  return true;
}

bool ReadReal(const std::string& v, double lo, double hi, double& out) {
  if (!StartsWithNumber(v)) return false;
  const double d = platform::AtoF(v.c_str());
  if (!(d >= lo && d <= hi)) return false;  // NaN fails too
  out = d;
  return true;
}

bool IsLeapYear(int32_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool IsCalendarValid(const CSdlTime& t) {
  static constexpr int32_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (t.m_nYear < kYearMin || t.m_nYear > kYearMax || t.m_nMonth < 1 || t.m_nMonth > 12) return false;
  const int32_t days = kDays[t.m_nMonth - 1] + (t.m_nMonth == 2 && IsLeapYear(t.m_nYear) ? 1 : 0);
  return t.m_nDay >= 1 && t.m_nDay <= days && t.m_nHour >= 0 && t.m_nHour <= 23 && t.m_nMinute >= 0 &&
         t.m_nMinute <= 59 && t.m_nSecond >= 0 && t.m_nSecond <= 59;
}

// Up to three fields of a date or time part; runs of separators count as one.
void SplitDateFields(std::string_view part, std::string (&fields)[3]) {
  constexpr std::string_view kSeparators = "-/:_";
  std::size_t pos = 0;
  for (std::string& field : fields) {
    pos = part.find_first_not_of(kSeparators, pos);
    if (pos == std::string_view::npos) return;
    const std::size_t end = part.find_first_of(kSeparators, pos);
    field = part.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    pos = end;
  }
}

// "0.00,0,0" is how an alarm that holds nothing is written, the alarm this
// reader leaves when a file carries only the other one: it counts as absent,
// not as out of range, so such a file reads back as it was written.
bool IsUnsetAlarm(const std::vector<std::string>& fields) {
  for (int i = 0; i < 3; ++i) {
    if (!StartsWithNumber(fields[i])) return false;
  }
  return platform::AtoF(fields[0].c_str()) == 0.0 && platform::AtoI(fields[1].c_str()) == 0 &&
         platform::AtoI(fields[2].c_str()) == 0;
}

// Item 3: only a value counts; an empty one leaves the item out.
bool ReadRainPerCount(CSettingWorkData& work, std::string_view text) {
  std::string value;
  if (CKXCSettingWork::GetKeyValue(text, sf::kRainPerCount, value) <= 0) return false;
  return ReadReal(value, kRainMin, kRainMax, work.m_sysInfo.m_dRainPerCount);
}

// Item 6: the key alone offers the item, with the level it had before.
bool ReadBatteryStop(CSettingWorkData& work, std::string_view text) {
  std::string value;
  const int n = CKXCSettingWork::GetKeyValue(text, sf::kBatteryStop, value);
  if (n < 0) return false;
  return n == 0 || ReadInt(value, kBatteryMin, kBatteryMax, work.m_sysInfo.m_nBatteryStop);
}

// Item 22: "MES_ENABLE" offers the item; every value given must pass, else
// none is taken.
bool ReadMeasureSetting(CSettingWorkData& work, std::string_view text) {
  std::string value;
  const int n = CKXCSettingWork::GetKeyValue(text, sf::kMeasuring, value);
  if (n < 0) return false;
  CKX2SysInfo sys = work.m_sysInfo;
  if (n > 0 && !ReadInt(value, 0, 1, sys.m_nMeasuring)) return false;
  if (CKXCSettingWork::GetKeyValue(text, sf::kStart, value) > 0 &&
      CKXCSettingWork::ParseDateTime(sys.m_stStart, value) && !IsCalendarValid(sys.m_stStart)) {
    return false;
  }
  const struct {
    const char* key;
    int32_t lo, hi;
    int32_t* field;
  } numbers[] = {
      {sf::kSampling, kIntervalMin, kIntervalMax, &sys.m_nSampling},
      {sf::kSendCount, 0, kCountMax, &sys.m_nSendCount},
      {sf::kSamplingEvent, kIntervalMin, kIntervalMax, &sys.m_nSamplingEvent},
      {sf::kSendCountEvent, 0, kCountMax, &sys.m_nSendCountEvent},
  };
  for (const auto& number : numbers) {
    if (CKXCSettingWork::GetKeyValue(text, number.key, value) > 0 &&
        !ReadInt(value, number.lo, number.hi, *number.field)) {
      return false;
    }
  }
  work.m_sysInfo = sys;
  return true;
}

}  // namespace

int CKXCSettingWork::ParseFileText(std::string_view text, CSettingWorkData& work) {
  if (text.size() > kMaxFileBytes) return kReadTooLong;
  // Older tools end the text at a NUL; what follows is not read.
  text = text.substr(0, text.find('\0'));
  if (!text.starts_with(sf::kHeader)) return kReadNoHeader;

  for (uint16_t& flag : work.m_flags) flag = 0;
  work.m_flags[kItemRainCoef] = ReadRainPerCount(work, text) ? 1 : 0;
  work.m_flags[kItemBatteryAlarm] = ReadBatteryStop(work, text) ? 1 : 0;
  work.m_flags[kItemAccessPoint] = ReadAccessPoint(work, text) >= 0 ? 1 : 0;
  work.m_flags[kItemRainCriteria] = ReadAlarmRain(work, text) == 0 ? 1 : 0;
  work.m_flags[kItemMeasurement] = ReadMeasureSetting(work, text) ? 1 : 0;
  return kReadDone;
}

void CKXCSettingWork::KeepReadItems(CSettingSelect& select, const CSettingWorkData& work) {
  for (int i = 0; i < kSettingItemCount; ++i) {
    if (work.m_flags[i] != 0) continue;
    select.m_item[i].available = 0;
    select.m_item[i].checked = 0;
  }
}

// Keys count only at the start of a line: a value (a password, say) that
// holds "KEY," must not set another item. Lines end at CR LF, LF or CR, so a
// file edited on any system reads alike.
int CKXCSettingWork::GetKeyValue(std::string_view text, std::string_view key, std::string& value) {
  value.clear();
  std::size_t pos = 0;
  for (;;) {
    const std::size_t end = text.find_first_of("\r\n", pos);
    const std::string_view line = text.substr(pos, end == std::string_view::npos ? end : end - pos);
    if (line.size() > key.size() && line.starts_with(key) && line[key.size()] == ',') {
      value = line.substr(key.size() + 1);
      return static_cast<int>(value.size());
    }
    if (end == std::string_view::npos) return -1;
    pos = end + 1;
  }
}

bool CKXCSettingWork::ParseDateTime(CSdlTime& time, std::string_view value) {
  const std::size_t first = value.find_first_not_of(' ');
  if (first == std::string_view::npos) return false;
  const std::size_t blank = value.find(' ', first);
  if (blank == std::string_view::npos || blank + 1 == value.size()) return false;
  std::string date[3], clock[3];
  SplitDateFields(value.substr(first, blank - first), date);
  SplitDateFields(value.substr(blank + 1), clock);
  time.m_nYear = platform::AtoI(date[0].c_str());
  time.m_nMonth = platform::AtoI(date[1].c_str());
  time.m_nDay = platform::AtoI(date[2].c_str());
  time.m_nHour = platform::AtoI(clock[0].c_str());
  time.m_nMinute = platform::AtoI(clock[1].c_str());
  time.m_nSecond = platform::AtoI(clock[2].c_str());
  return true;
}

int CKXCSettingWork::SplitComma(std::vector<std::string>& list, std::string_view text) {
  std::size_t pos = 0;
  while (pos <= text.size()) {
    const std::size_t comma = text.find(',', pos);
    const std::size_t end = comma == std::string_view::npos ? text.size() : comma;
    if (end > pos) list.emplace_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  return static_cast<int>(list.size());
}

// Both alarms start from zero whatever the file holds: an alarm the file does
// not carry is switched off rather than kept from the logger.
int CKXCSettingWork::ReadAlarmRain(CSettingWorkData& work, std::string_view text) {
  CAlmRainInfo* alarms = work.m_sysInfo.m_alarm;
  alarms[0] = CAlmRainInfo();
  alarms[1] = CAlmRainInfo();
  CAlmRainInfo read[2];
  bool any = false;
  for (int32_t n = 1; n <= 2; ++n) {
    std::string value;
    std::vector<std::string> fields;
    if (GetKeyValue(text, platform::Format("%s,%d", sf::kRainAlarm, n), value) <= 0 || SplitComma(fields, value) < 3)
      continue;
    CAlmRainInfo& alarm = read[n - 1];
    alarm.m_nNo = n;
    if (IsUnsetAlarm(fields)) {
      alarm = CAlmRainInfo();
      continue;
    }
    if (!ReadReal(fields[0], kThresholdMin, kThresholdMax, alarm.m_dThreshold) ||
        !ReadInt(fields[1], kPeriodMin, kPeriodMax, alarm.m_nPeriod) || !ReadInt(fields[2], 0, 1, alarm.m_nEnable)) {
      return -1;
    }
    any = true;
  }
  if (!any) return -1;
  alarms[0] = read[0];
  alarms[1] = read[1];
  return 0;
}

int CKXCSettingWork::ReadAccessPoint(CSettingWorkData& work, std::string_view text) {
  CKX2MailInfo& mail = work.m_mailInfo;
  const struct {
    const char* key;
    std::string* field;
  } texts[] = {
      {sf::kApName, &mail.m_strApn},
      {sf::kApUser, &mail.m_strUser},
      {sf::kApPassword, &mail.m_strPassword},
      {sf::kApAuth, &mail.m_strAuth},
  };
  std::string values[4];
  if (GetKeyValue(text, sf::kApName, values[0]) < 0) return -1;
  // Only what the page's address fields admit, or the operator would confirm
  // a text the page cannot show or retype.
  for (int i = 0; i < 4; ++i) {
    GetKeyValue(text, texts[i].key, values[i]);
    if (!platform::IsAddressText(values[i])) return -1;
  }
  for (int i = 0; i < 4; ++i)
    if (!values[i].empty()) *texts[i].field = values[i];
  return 1;
}
