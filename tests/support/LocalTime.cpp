#include "tests/support/LocalTime.h"

#include <ctime>

CSdlTime LocalSdlTime(int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm local{};
  localtime_r(&t, &local);
  CSdlTime time;
  time.m_nYear = local.tm_year + 1900;
  time.m_nMonth = local.tm_mon + 1;
  time.m_nDay = local.tm_mday;
  time.m_nHour = local.tm_hour;
  time.m_nMinute = local.tm_min;
  time.m_nSecond = local.tm_sec;
  return time;
}
