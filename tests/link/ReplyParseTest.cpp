#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "link/ReplyParse.h"

TEST(ReplyParse, SplitKeyValue) {
  struct Case {
    std::string line, key, value;
  };
  const Case cases[] = {
      {"STM 24/03/05 14:07:09", "STM", "24/03/05 14:07:09"},
      {"APN  my.apn", "APN", " my.apn"},  // the second blank belongs to the value
      {"  ID 1-2500 (2500)", "ID", "1-2500 (2500)"},
      {"MEASURING", "MEASURING", ""},
      {"STOP ", "STOP", ""},
      {"", "", ""},
      {"    ", "", ""},
      {"BLD a b  c ", "BLD", "a b  c "},
      {"K\tV W", "K\tV", "W"},
  };
  std::string key = "stale", value = "stale";
  for (const auto& c : cases) {
    SplitKeyValue(c.line, key, value);
    EXPECT_EQ(key, c.key) << '"' << c.line << '"';
    EXPECT_EQ(value, c.value) << '"' << c.line << '"';
  }
}

TEST(ReplyParse, SplitString) {
  struct Case {
    const char* source;
    const char* delimiters;
    std::vector<std::string> tokens;
  };
  const Case cases[] = {
      {"RN 1 10.00 1:30 ON", nullptr, {"RN", "1", "10.00", "1:30", "ON"}},
      {"  a   b  ", nullptr, {"a", "b"}},
      {"", nullptr, {}},
      {"   ", nullptr, {}},
      {"1-2500 (2500)", " -()", {"1", "2500", "2500"}},
      {"((1))--2", " -()", {"1", "2"}},
      {"-0:30", ":", {"-0", "30"}},
      {"abc", "", {"abc"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> list;
    EXPECT_EQ(SplitString(list, c.source, c.delimiters), static_cast<int32_t>(c.tokens.size())) << c.source;
    EXPECT_EQ(list, c.tokens) << c.source;
  }
  // The count is of the whole list, earlier entries included.
  std::vector<std::string> list{"x"};
  EXPECT_EQ(SplitString(list, "a b"), 3);
  EXPECT_EQ(SplitString(list, nullptr), 3);
}

TEST(ReplyParse, ParseDuration) {
  struct Case {
    const char* text;
    int32_t seconds;
  };
  const Case cases[] = {
      {"D01H02M03S04", 93784},
      {"D00H10M00S00", 36000},
      {"D00H00M10S00", 600},
      {"30", 0},       // no unit: worth nothing
      {"M5M5", 3300},  // a repeated unit keeps building the same number
      {"S1M1", 61},
      {"12M3", 180},     // digits before the first unit are dropped
      {"H1 M30", 5400},  // other characters are passed over
      {"h1m30", 0},      // capitals only
      {"D0H1x2", 43200},
      {"", 0},
      {"D99999999999999999999", INT_MAX},  // saturates instead of wrapping
      {"D30000H1", INT_MAX},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseDuration(c.text), c.seconds) << c.text;
  EXPECT_EQ(ParseDuration(nullptr), 0);
}

TEST(ReplyParse, ParseOffsetMinutes) {
  struct Case {
    const char* text;
    int32_t minutes;
  };
  const Case cases[] = {
      {"1:30", 90},
      {"-1:30", -90},
      {"-0:30", -30},
      {"0:30", 30},
      {"5", 300},
      {"", 0},
      {":30", 1800},
      {"0:", 0},
      {"-0", 0},
      {"2:5:9", 125},
      {"x:y", 0},
      {"-2:-10", -110},
      {"99999999999:0", INT_MAX},
      {"-99999999999:59", INT_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseOffsetMinutes(c.text), c.minutes) << c.text;
  EXPECT_EQ(ParseOffsetMinutes(nullptr), 0);
}
