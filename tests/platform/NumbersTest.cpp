#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/Numbers.h"

using namespace platform;

namespace {

// Switches the process to a locale whose decimal separator is a comma, as a
// Qt application in Germany does, and back to "C" afterwards.
class CommaLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) GTEST_SKIP() << "de_DE.UTF-8 not installed";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
  }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

}  // namespace

TEST(Numbers, AtoIFollowsTheRuntimeRules) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {
      {"42", 42},
      {"  7", 7},
      {"\t-13x", -13},
      {"+5", 5},
      {"05", 5},
      {" 5", 5},
      {"", 0},
      {"x1", 0},
      {"-", 0},
      {"+-1", 0},
      {"1 2", 1},
      {"12.9", 12},
      {"- 1", 0},
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"99999999999999999999", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"-99999999999999999999", -2147483647 - 1},
  };
  for (const auto& c : cases) EXPECT_EQ(AtoI(c.text), c.value) << '"' << c.text << '"';
  EXPECT_EQ(AtoI(nullptr), 0);
}

TEST(Numbers, AtoFFollowsTheRuntimeRules) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"10.5", 10.5}, {" 0.5", 0.5},  {"-2.25mm", -2.25}, {"+3", 3.0},     {".5", 0.5},  {"5.", 5.0},
      {"1e3", 1000},  {"1e", 1.0},    {"2E-2", 0.02},     {"", 0.0},       {"abc", 0.0}, {"-", 0.0},
      {"+-1", 0.0},   {"10,5", 10.0}, {"3600", 3600.0},   {"1e-400", 0.0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(AtoF(c.text), c.value) << '"' << c.text << '"';
  EXPECT_EQ(AtoF("1e400"), HUGE_VAL);
  EXPECT_EQ(AtoF("-1e400"), -HUGE_VAL);
  EXPECT_EQ(AtoF(std::string(400, '9').c_str()), HUGE_VAL);
  EXPECT_EQ(AtoF(("0." + std::string(400, '0') + "1").c_str()), 0.0);
  EXPECT_TRUE(std::isinf(AtoF("inf")));
  EXPECT_TRUE(std::isnan(AtoF("nan")));
  EXPECT_EQ(AtoF(nullptr), 0.0);
}

TEST(Numbers, TruncToInt32ClampsInsteadOfOverflowing) {
  EXPECT_EQ(TruncToInt32(3600.9), 3600);
  EXPECT_EQ(TruncToInt32(-2.7), -2);
  EXPECT_EQ(TruncToInt32(1e300), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(TruncToInt32(-1e300), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(TruncToInt32(HUGE_VAL), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(TruncToInt32(std::nan("")), 0);
}

TEST(Numbers, FormatUsesAFullStop) {
  EXPECT_EQ(FormatFixed(10.5, 2), "10.50");
  EXPECT_EQ(FormatFixed(0.125, 1), "0.1");
  EXPECT_EQ(FormatFixed(-3.0, 0), "-3");
  EXPECT_EQ(FormatFixed(2.5, -1), "2");
  EXPECT_EQ(FormatFixed(1e300, 0).size(), 301u);
  EXPECT_EQ(Format("BAT %d\r\n", 3600), "BAT 3600\r\n");
  EXPECT_EQ(Format("%.2f", 0.5), "0.50");
  EXPECT_EQ(Format("%s", ""), "");
  EXPECT_EQ(Format("%s", std::string(5000, 'a').c_str()).size(), 5000u);
}

TEST_F(CommaLocale, ConversionsIgnoreTheProcessLocale) {
  // The runtime itself now reads and writes commas...
  EXPECT_DOUBLE_EQ(std::atof("10.5"), 10.0);
  // ...the helpers do not.
  EXPECT_DOUBLE_EQ(AtoF("10.5"), 10.5);
  EXPECT_DOUBLE_EQ(AtoF("1.5e1"), 15.0);
  EXPECT_EQ(AtoI("1.500"), 1);
  EXPECT_EQ(FormatFixed(10.5, 2), "10.50");
  EXPECT_EQ(Format("%.3f %d", 0.25, 1234567), "0.250 1234567");
  // The thread's locale is back to the process locale afterwards.
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%.1f", 1.5);
  EXPECT_STREQ(buffer, "1,5");
}
