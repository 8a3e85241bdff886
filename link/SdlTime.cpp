#include "link/SdlTime.h"

#include <cstring>
#include <ctime>

#include "platform/Numbers.h"

CSdlTime::~CSdlTime() = default;

int32_t CSdlTime::SetFromString(const char* text) {
  if (text == nullptr || std::strlen(text) < 17) return 0;
  // Each field is two characters of its own; a blank in place of a leading
  // zero reads like the zero ("24/ 3/ 5" is the 5th of March).
  const auto field = [text](int position) {
    const char two[3] = {text[position], text[position + 1], '\0'};
    return platform::AtoI(two);
  };
  m_nYear = field(0) + 2000;
  m_nMonth = field(3);
  m_nDay = field(6);
  m_nHour = field(9);
  m_nMinute = field(12);
  m_nSecond = field(15);
  return 1;
}

int64_t CSdlTime::GetTime() const {
  int32_t year = m_nYear < 1971 ? 1971 : m_nYear;
  year %= 3000;
  int32_t month = m_nMonth < 1 ? 1 : m_nMonth;
  month %= 13;
  int32_t day = m_nDay < 1 ? 1 : m_nDay;
  day &= 31;

  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  // C's remainder keeps the sign, so a negative field stays negative and
  // mktime counts it backwards.
  tm.tm_hour = m_nHour % 24;
  tm.tm_min = m_nMinute % 60;
  tm.tm_sec = m_nSecond % 60;
  // The pages show and compute local wall-clock time, so let the C library
  // decide whether daylight saving applies to that date; forcing standard
  // time would put the logger an hour off in summer.
  tm.tm_isdst = -1;
  // Fields still outside the calendar (month 13 gives 0 here, day 32 or 0)
  // are normalised by mktime; if it cannot represent the result it gives -1,
  // which the callers receive as a value like any other.
  return static_cast<int64_t>(std::mktime(&tm));
}
