// The settings file's reader.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "link/SettingRules.h"
#include "link/SettingWorkData.h"
#include "platform/Numbers.h"
#include "platform/Text.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "settings/KXCSettingWork.h"
#include "settings/SettingFileKeys.h"
#include "settings/SettingItems.h"
#include "settings/SettingSelect.h"

namespace sf = settingfile;

namespace {

using Refusals = std::vector<CKXCSettingWork::Refusal>*;
using R = CSettingRules;
using ItemRead = CKXCSettingWork::ItemRead;

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

std::string RangeRule(const R::Range& range) {
  return platform::Format(res::LoadString(res::kStrRangeRule).c_str(), R::Text(range).c_str());
}

bool Refuse(Refusals out, std::string key, std::string_view value, std::string rule) {
  if (out != nullptr) out->push_back({std::move(key), std::string(value), std::move(rule)});
  return false;
}

// A whole number in the range.
bool IntIn(const std::string& v, const R::Range& range, int32_t* out) {
  const int32_t n = platform::AtoI(v.c_str());
  if (!StartsWithNumber(v) || !R::Contains(range, n)) return false;
  *out = n;
  return true;
}

// A number that rounds into the range as the logger gets it; it is kept as
// written.
bool RealIn(const std::string& v, const R::Range& range, double* out) {
  const double d = platform::AtoF(v.c_str());
  int32_t scaled = 0;
  if (!StartsWithNumber(v) || !R::RoundInto(range, d, &scaled)) return false;
  *out = d;
  return true;
}

bool ReadInt(const char* key, const std::string& v, const R::Range& range, int32_t& out, Refusals refused) {
  return IntIn(v, range, &out) || Refuse(refused, key, v, RangeRule(range));
}

bool ReadReal(const char* key, const std::string& v, const R::Range& range, double& out, Refusals refused) {
  return RealIn(v, range, &out) || Refuse(refused, key, v, RangeRule(range));
}

// Item 3: only a value counts; without one the item is left out.
bool ReadRainPerCount(CSettingWorkData& work, std::string_view text, Refusals refused) {
  std::string value;
  if (CKXCSettingWork::GetKeyValue(text, sf::kRainPerCount, value) < 0) return false;
  return ReadReal(sf::kRainPerCount, value, R::kRainPerCount, work.m_sysInfo.m_dRainPerCount, refused);
}

// Item 6: the key alone offers the item, with the level it had before.
bool ReadBatteryStop(CSettingWorkData& work, std::string_view text, Refusals refused) {
  std::string value;
  const int n = CKXCSettingWork::GetKeyValue(text, sf::kBatteryStop, value);
  if (n < 0) return false;
  return n == 0 || ReadInt(sf::kBatteryStop, value, R::kBatteryStop, work.m_sysInfo.m_nBatteryStop, refused);
}

// Item 22: "MES_ENABLE" offers the item; every value given must pass, else
// none is taken.
bool ReadMeasureSetting(CSettingWorkData& work, std::string_view text, Refusals refused) {
  std::string value;
  const int n = CKXCSettingWork::GetKeyValue(text, sf::kMeasuring, value);
  if (n < 0) return false;
  CKX2SysInfo sys = work.m_sysInfo;
  bool ok = n == 0 || ReadInt(sf::kMeasuring, value, R::kSwitch, sys.m_nMeasuring, refused);
  if (CKXCSettingWork::GetKeyValue(text, sf::kStart, value) > 0 &&
      CKXCSettingWork::ParseDateTime(sys.m_stStart, value) && !R::IsStart(sys.m_stStart)) {
    ok = Refuse(refused, sf::kStart, value, res::LoadString(res::kStrStartRule));
  }
  const struct {
    const char* key;
    const R::Range& range;
    int32_t* field;
  } numbers[] = {
      {sf::kSampling, R::kInterval, &sys.m_nSampling},
      {sf::kSendCount, R::kSendCount, &sys.m_nSendCount},
      {sf::kSamplingEvent, R::kInterval, &sys.m_nSamplingEvent},
      {sf::kSendCountEvent, R::kSendCount, &sys.m_nSendCountEvent},
  };
  for (const auto& number : numbers) {
    if (CKXCSettingWork::GetKeyValue(text, number.key, value) > 0 &&
        !ReadInt(number.key, value, number.range, *number.field, refused)) {
      ok = false;
    }
  }
  if (ok) work.m_sysInfo = sys;
  return ok;
}

// One "ALM_RAIN,n" line's fields: amount, period, on/off. An alarm that is
// off is kept as written, as the logger reported it: its amount and period
// have no effect there, and a logger whose alarm was never set reports 0.00.
bool ReadAlarm(const std::string& key, const std::string& value, CAlmRainInfo& alarm, Refusals refused) {
  std::vector<std::string> fields;
  if (CKXCSettingWork::SplitComma(fields, value) < 3) {
    return Refuse(refused, key, value, res::LoadString(res::kStrAlarmRule));
  }
  const auto broke = [&](const R::Range& range) { return Refuse(refused, key, value, RangeRule(range)); };
  if (!IntIn(fields[2], R::kSwitch, &alarm.m_nEnable)) return broke(R::kSwitch);
  if (alarm.m_nEnable == 0) {
    alarm.m_dThreshold = platform::AtoF(fields[0].c_str());
    alarm.m_nPeriod = platform::AtoI(fields[1].c_str());
    return true;
  }
  if (!RealIn(fields[0], R::kThreshold, &alarm.m_dThreshold)) return broke(R::kThreshold);
  return IntIn(fields[1], R::kPeriod, &alarm.m_nPeriod) || broke(R::kPeriod);
}

}  // namespace

CKXCSettingWork::ParseResult CKXCSettingWork::ParseFileText(std::string_view text, CSettingWorkData& work,
                                                            std::vector<Refusal>* refusals) {
  if (text.size() > kMaxFileBytes) return kReadTooLong;
  // Older tools end the text at a NUL; what follows is not read.
  text = text.substr(0, text.find('\0'));
  if (!text.starts_with(sf::kHeader)) return kReadNoHeader;

  for (uint16_t& flag : work.m_flags) flag = 0;
  work.m_flags[kItemRainCoef] = ReadRainPerCount(work, text, refusals) ? 1 : 0;
  work.m_flags[kItemBatteryAlarm] = ReadBatteryStop(work, text, refusals) ? 1 : 0;
  work.m_flags[kItemAccessPoint] = ReadAccessPoint(work, text, refusals) == ItemRead::kTaken ? 1 : 0;
  work.m_flags[kItemRainCriteria] = ReadAlarmRain(work, text, refusals) == ItemRead::kTaken ? 1 : 0;
  work.m_flags[kItemMeasurement] = ReadMeasureSetting(work, text, refusals) ? 1 : 0;
  return kReadDone;
}

std::string CKXCSettingWork::RefusalText(const std::vector<Refusal>& refusals) {
  constexpr std::size_t kShownChars = 40;
  std::string text = res::LoadString(res::kStrRefusedValues);
  for (const Refusal& refusal : refusals) {
    // File text is 8-bit; a value may be any length.
    std::string shown;
    const std::string value = platform::ToValidUtf8(refusal.value);
    std::size_t pos = 0, count = 0;
    char32_t c;
    while (platform::NextCodePoint(value, pos, c) && count++ < kShownChars) platform::AppendUtf8(shown, c);
    if (count > kShownChars) shown += "…";
    text += "\r\n" + refusal.key + "," + shown + "  (" + refusal.rule + ")";
  }
  return text;
}

void CKXCSettingWork::KeepReadItems(CSettingSelect& select, const CSettingWorkData& work) {
  for (int i = 0; i < kSettingItemCount; ++i) {
    if (work.m_flags[i] != 0) continue;
    select.m_item[i].available = 0;
    select.m_item[i].checked = 0;
  }
}

// Both alarms start from zero whatever the file holds: an alarm the file does
// not carry is switched off rather than kept from the logger.
CKXCSettingWork::ItemRead CKXCSettingWork::ReadAlarmRain(CSettingWorkData& work, std::string_view text,
                                                         std::vector<Refusal>* refusals) {
  CAlmRainInfo* alarms = work.m_sysInfo.m_alarm;
  alarms[0] = CAlmRainInfo();
  alarms[1] = CAlmRainInfo();
  CAlmRainInfo read[2];
  bool any = false, refused = false;
  for (int32_t n = 1; n <= 2; ++n) {
    const std::string key = platform::Format("%s,%d", sf::kRainAlarm, n);
    std::string value;
    if (GetKeyValue(text, key, value) < 0) continue;
    read[n - 1].m_nNo = n;
    if (ReadAlarm(key, value, read[n - 1], refusals)) {
      any = true;
    } else {
      refused = true;
    }
  }
  if (refused) return ItemRead::kRefused;
  if (!any) return ItemRead::kAbsent;
  alarms[0] = read[0];
  alarms[1] = read[1];
  return ItemRead::kTaken;
}

CKXCSettingWork::ItemRead CKXCSettingWork::ReadAccessPoint(CSettingWorkData& work, std::string_view text,
                                                           std::vector<Refusal>* refusals) {
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
  if (GetKeyValue(text, sf::kApName, values[0]) < 0) return ItemRead::kAbsent;
  // Only what the page's address fields admit and the logger takes.
  bool ok = true;
  for (int i = 0; i < 4; ++i) {
    GetKeyValue(text, texts[i].key, values[i]);
    if (!CSettingRules::IsAddressText(values[i])) {
      ok = Refuse(refusals, texts[i].key, values[i], res::LoadString(res::kStrAddressRule));
    }
  }
  if (!ok) return ItemRead::kRefused;
  for (int i = 0; i < 4; ++i)
    if (!values[i].empty()) *texts[i].field = values[i];
  return ItemRead::kTaken;
}
