#include <gtest/gtest.h>

#include <limits>

#include "link/SettingRules.h"

using R = CSettingRules;

TEST(SettingRules, ValuesRoundedAsTheLoggerGetsThem) {
  const struct {
    R::Range range;
    double value;
    int32_t scaled;  // -1 refused
  } rows[] = {
      {R::kRainPerCount, 0.005, 1},
      {R::kRainPerCount, 0.004, -1},
      {R::kRainPerCount, 2.004, 200},
      {R::kRainPerCount, 2.005, -1},
      {R::kThreshold, 999.99, 99999},
      {R::kThreshold, 1e300, -1},
      {R::kThreshold, -1e300, -1},
      {R::kPeriod, 14400.4, 14400},
      {R::kThreshold, std::numeric_limits<double>::quiet_NaN(), -1},
  };
  for (const auto& r : rows) {
    int32_t scaled = -1;
    EXPECT_EQ(R::RoundInto(r.range, r.value, &scaled), r.scaled >= 0) << r.value;
    EXPECT_EQ(scaled, r.scaled) << r.value;
  }
  EXPECT_EQ(R::Text(R::kBatteryStop), "2400 - 12000");
  EXPECT_EQ(R::Text(R::kRainPerCount), "0.01 - 2.00");
  EXPECT_EQ(R::Text(R::kThreshold), "0.01 - 999.99");
}

TEST(SettingRules, AddressCharactersAreThoseTheCommandLineCarries) {
  EXPECT_TRUE(R::IsAddressText(""));
  EXPECT_TRUE(R::IsAddressText("soracom.io"));
  EXPECT_TRUE(R::IsAddressText("!\"#$%&'*+-./=?@^_{|}~azAZ09"));
  for (const char* bad : {"a b", "a,b", "a\tb", "(x)", "[x]", "a;b", "a:b", "a<b", "\\", "`", "é", "ｓ", "ア", "漢",
                          "ｱｲｳ", "\xFF", "a\x7F"}) {
    EXPECT_FALSE(R::IsAddressText(bad)) << bad;
  }
  EXPECT_FALSE(R::IsAddressText(std::string_view("a\0b", 3)));
}
