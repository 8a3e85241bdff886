#pragma once
// A logger date-time: six plain integers, as the logger and the pages supply
// them. The class checks no range; GetTime folds the fields into reach of the
// calendar before it converts.

#include <cstdint>

class CSdlTime {
 public:
  CSdlTime() = default;
  CSdlTime(const CSdlTime&) = default;
  CSdlTime& operator=(const CSdlTime&) = default;
  virtual ~CSdlTime();
  bool operator==(const CSdlTime&) const = default;

  // The logger's two-digit form yy/mm/dd hh:mm:ss, read by fixed positions
  // (separators are not looked at). 1 when parsed; 0, and nothing changed,
  // when the text is shorter than 17 characters.
  [[nodiscard]] int32_t SetFromString(const char* text);

  // Seconds since 1970-01-01 00:00 UTC of the local date-time.
  int64_t GetTime() const;

  int32_t m_nYear = 0;
  int32_t m_nMonth = 0;
  int32_t m_nDay = 0;
  int32_t m_nHour = 0;
  int32_t m_nMinute = 0;
  int32_t m_nSecond = 0;
};
