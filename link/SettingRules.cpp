#include "link/SettingRules.h"

#include <cmath>

#include "link/AlmRainInfo.h"
#include "link/SdlTime.h"
#include "platform/Numbers.h"

bool CSettingRules::Contains(const Range& range, int64_t value) { return value >= range.min && value <= range.max; }

bool CSettingRules::RoundInto(const Range& range, double value, int32_t* scaled) {
  // Judged as a double before any conversion to an integer, so NaN and
  // values beyond the integers are refused, not cut.
  const double rounded = std::floor(value * std::pow(10.0, range.decimals) + 0.5);
  if (!(rounded >= range.min && rounded <= range.max)) return false;
  *scaled = static_cast<int32_t>(rounded);
  return true;
}

std::string CSettingRules::Text(const Range& range) {
  if (range.decimals == 0) return platform::Format("%d - %d", range.min, range.max);
  const double unit = std::pow(10.0, range.decimals);
  return platform::FormatFixed(range.min / unit, range.decimals) + " - " +
         platform::FormatFixed(range.max / unit, range.decimals);
}

bool CSettingRules::IsStart(const CSdlTime& t) {
  static constexpr int32_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (!Contains(kStartYear, t.m_nYear) || t.m_nMonth < 1 || t.m_nMonth > 12) return false;
  const bool leap = (t.m_nYear % 4 == 0 && t.m_nYear % 100 != 0) || t.m_nYear % 400 == 0;
  const int32_t days = kDays[t.m_nMonth - 1] + (t.m_nMonth == 2 && leap ? 1 : 0);
  return t.m_nDay >= 1 && t.m_nDay <= days && t.m_nHour >= 0 && t.m_nHour <= 23 && t.m_nMinute >= 0 &&
         t.m_nMinute <= 59 && t.m_nSecond >= 0 && t.m_nSecond <= 59;
}

bool CSettingRules::IsCriterion(const CAlmRainInfo& alarm) {
  int32_t hundredths = 0;
  return RoundInto(kThreshold, alarm.m_dThreshold, &hundredths) && Contains(kPeriod, alarm.m_nPeriod);
}

bool CSettingRules::IsAddressChar(char32_t c) {
  static constexpr std::string_view kSigns = "!\"#$%&'*+-./=?@^_{|}~";
  const bool letterOrDigit = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
  return letterOrDigit || (c < 0x80 && kSigns.find(static_cast<char>(c)) != std::string_view::npos);
}

bool CSettingRules::IsAddressText(std::string_view text) {
  for (const char c : text)
    if (!IsAddressChar(static_cast<unsigned char>(c))) return false;
  return true;
}
