#pragma once
// What the logger takes for each setting that a wizard page edits and a
// settings file carries, defined once: the pages check what is typed against
// it, the settings-file reader what a file brings, so a file never offers a
// value its page refuses and a page never sends one the logger refuses.

#include <cstdint>
#include <string>
#include <string_view>

class CAlmRainInfo;
class CSdlTime;

class CSettingRules {
 public:
  // A closed range of whole numbers in the unit the logger counts in;
  // `decimals` shifts it for showing (hundredths of a millimetre show as
  // millimetres with two decimals).
  struct Range {
    int32_t min;
    int32_t max;
    int32_t decimals;
  };
  // Millivolts below which the logger stops sending: lower, it would go on
  // sending on a flat battery, which heats it up.
  static constexpr Range kBatteryStop{2400, 12000, 0};
  static constexpr Range kRainPerCount{1, 200, 2};      // hundredths of a mm per counter pulse
  static constexpr Range kThreshold{1, 99999, 2};       // hundredths of a mm, a rain criterion's amount
  static constexpr Range kPeriod{1, 240 * 60, 0};       // minutes, a rain criterion's period
  static constexpr Range kInterval{60, 10 * 86400, 0};  // seconds between two measurements
  static constexpr Range kSendCount{0, 240, 0};         // measurements between two data sends
  static constexpr Range kSwitch{0, 1, 0};              // measuring, and a criterion's on/off
  static constexpr Range kStartYear{2000, 2099, 0};     // the start is edited as "20yy"

  static bool Contains(const Range& range, int64_t value);
  // The value rounded to the range's decimals, as the logger gets it (0.004
  // mm goes out as 0.00), when that lies in the range; NaN and values beyond
  // the integers never do.
  static bool RoundInto(const Range& range, double value, int32_t* scaled);
  // "2400 - 12000", "0.01 - 2.00".
  static std::string Text(const Range& range);

  // A date and time that the calendar has, in the years of kStartYear.
  static bool IsStart(const CSdlTime& time);
  // A criterion the logger takes: amount and period in their ranges (its
  // on/off aside).
  static bool IsCriterion(const CAlmRainInfo& alarm);
  // What an access-point name, user or password may hold, as the logger's
  // command line carries it: ASCII letters and digits and the signs
  // ! " # $ % & ' * + - . / = ? @ ^ _ { | } ~; no blank, comma or other byte.
  static bool IsAddressChar(char32_t c);
  // Every byte of the text is such a character; an empty text is admitted.
  static bool IsAddressText(std::string_view text);
};
