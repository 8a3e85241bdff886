#pragma once
// The logger's own clock. It knows no time zone: its seconds count a plain
// calendar (handled as UTC internally), set to the PC's local time when the
// simulator starts and by the server time synchronisation. It runs on
// platform::TickCount, so a test's time scale speeds it up like every other
// logger delay; tests may also stop it to get replies that never change.

#include <cstdint>
#include <string>

namespace sim {

class SimClock {
 public:
  SimClock();

  int64_t Now();
  void Set(int64_t seconds);
  void SetRunning(bool running);
  bool IsRunning() const { return m_running; }

  // The PC's local wall time as logger seconds.
  static int64_t HostNow();
  // "yy/mm/dd hh:mm:ss", the logger's two-digit form.
  static std::string Format(int64_t seconds);
  // Calendar fields (full year) to logger seconds; false when a field is out of range.
  static bool FromFields(int year, int month, int day, int hour, int minute, int second, int64_t* out);

 private:
  int64_t m_base;       // logger seconds at m_baseTick
  uint32_t m_baseTick;  // TickCount at m_base
  uint32_t m_remainderMs = 0;
  bool m_running = true;
};

}  // namespace sim
