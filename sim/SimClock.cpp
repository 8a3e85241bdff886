#include "sim/SimClock.h"

#include <cstdio>
#include <ctime>

#include "platform/Time.h"

namespace sim {

SimClock::SimClock() : m_base(HostNow()), m_baseTick(platform::TickCount()) {}

int64_t SimClock::Now() {
  if (!m_running) return m_base;
  // Re-anchor on every read so the 32-bit tick count may wrap underneath.
  const uint32_t tick = platform::TickCount();
  const uint32_t elapsed = tick - m_baseTick + m_remainderMs;
  m_base += elapsed / 1000;
  m_remainderMs = elapsed % 1000;
  m_baseTick = tick;
  return m_base;
}

void SimClock::Set(int64_t seconds) {
  m_base = seconds;
  m_baseTick = platform::TickCount();
  m_remainderMs = 0;
}

void SimClock::SetRunning(bool running) {
  Now();
  m_running = running;
  m_baseTick = platform::TickCount();
  m_remainderMs = 0;
}

int64_t SimClock::HostNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return static_cast<int64_t>(timegm(&local));
}

std::string SimClock::Format(int64_t seconds) {
  const std::time_t t = static_cast<std::time_t>(seconds);
  std::tm tm{};
  gmtime_r(&t, &tm);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%02d %02d:%02d:%02d", tm.tm_year % 100, tm.tm_mon + 1, tm.tm_mday,
                tm.tm_hour, tm.tm_min, tm.tm_sec);
  return buf;
}

bool SimClock::FromFields(int year, int month, int day, int hour, int minute, int second, int64_t* out) {
  if (year < 1970 || year > 2099 || month < 1 || month > 12 || day < 1 || hour < 0 || hour > 23 || minute < 0 ||
      minute > 59 || second < 0 || second > 59)
    return false;
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  const std::time_t t = timegm(&tm);
  // timegm rolls 31 April over into May; the logger refuses such a date.
  std::tm back{};
  gmtime_r(&t, &back);
  if (back.tm_mday != day || back.tm_mon != month - 1) return false;
  *out = static_cast<int64_t>(t);
  return true;
}

}  // namespace sim
