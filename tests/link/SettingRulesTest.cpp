#include <gtest/gtest.h>

#include "link/SettingRules.h"

using R = CSettingRules;

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
