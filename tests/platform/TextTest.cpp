#include <gtest/gtest.h>

#include <string>

#include "platform/Text.h"

using namespace platform;

TEST(Text, CompareNoCaseLooksAtNCharacters) {
  EXPECT_EQ(CompareNoCase("COM3", "com3", 4), 0);
  EXPECT_EQ(CompareNoCase("WAKE UP", "wake", 4), 0);
  EXPECT_LT(CompareNoCase("abc", "ABD", 3), 0);
  EXPECT_NE(CompareNoCase("ttyS1", "ttyS10", 6), 0);
}

TEST(Utf8, ValidTextIsKeptAsItIs) {
  const std::string text = "通信中 ( 17 / 500 ) \xEF\xBF\xBD \xF0\x9F\x98\x80";
  EXPECT_TRUE(IsValidUtf8(text));
  EXPECT_EQ(ToValidUtf8(text), text);
  EXPECT_TRUE(IsValidUtf8(""));
}

TEST(Utf8, EveryIllFormedSequenceBecomesOneReplacement) {
  const std::string fffd = "\xEF\xBF\xBD";
  struct Case {
    std::string in, out;
  } cases[] = {
      {"A\x80"
       "B",
       "A" + fffd + "B"},         // stray continuation byte
      {"\xC0\xAF", fffd + fffd},  // overlong '/'
      {"\xE3\x81", fffd},         // cut at the end
      {"\xE3\x81"
       "A",
       fffd + "A"},                                     // cut in the middle: the A survives
      {"\xED\xA0\x80", fffd + fffd + fffd},             // a surrogate
      {"\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},  // above U+10FFFF
      {"\xFF"
       "OK",
       fffd + "OK"},
      {"\x82\xA0\x82\xA2", fffd + fffd + fffd + fffd},  // Shift_JIS "あい": shown, not dropped
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_FALSE(IsValidUtf8(c.in));
    EXPECT_EQ(ToValidUtf8(c.in), c.out);
    EXPECT_TRUE(IsValidUtf8(ToValidUtf8(c.in)));
  }
}

TEST(Utf16, RoundTripsIncludingSurrogatePairs) {
  const std::string text = "Ver. 1.00 状態 \xF0\x9F\x98\x80";
  const std::u16string wide = Utf8ToUtf16(text);
  EXPECT_EQ(wide, u"Ver. 1.00 状態 \U0001F600");
  EXPECT_EQ(wide.size(), 15u);  // the emoji takes a surrogate pair
  EXPECT_EQ(Utf16ToUtf8(wide), text);

  std::u16string lone = u"a";
  lone.push_back(0xD800);
  lone += u"b";
  lone.push_back(0xDC00);
  EXPECT_EQ(Utf16ToUtf8(lone),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
  EXPECT_EQ(Utf8ToUtf16("x\x80"), u"x\uFFFD");
}

TEST(HalfWidth, FullWidthCharactersAreRecognised) {
  for (char32_t c : {U'１', U'Ａ', U'　', U'ア', U'あ', U'漢', U'ー', U'￥', U'é', U'\U0001F600'}) {
    EXPECT_TRUE(IsFullWidthChar(c)) << static_cast<uint32_t>(c);
  }
  for (char32_t c : {U'1', U'A', U' ', U'@', U'\b', U'\x7F', U'ｱ', U'ﾞ', U'｡'}) {
    EXPECT_FALSE(IsFullWidthChar(c)) << static_cast<uint32_t>(c);
  }
}

TEST(HalfWidth, TableOfConversions) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"ＡＢＣｘｙｚ０１２！＠～", "ABCxyz012!@~"},
      {"ｉｎｔｅｒｎｅｔ．ｊｐ", "internet.jp"},
      {"Ａ　Ｂ", "A B"},
      {"アイウエオ", "ｱｲｳｴｵ"},
      {"ガギグゲゴ", "ｶﾞｷﾞｸﾞｹﾞｺﾞ"},
      {"パピプペポ", "ﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"},
      {"ヴ", "ｳﾞ"},
      {"ァッャュョ", "ｧｯｬｭｮ"},
      {"ヲン", "ｦﾝ"},
      {"データー", "ﾃﾞｰﾀｰ"},
      {"「。、・」", "｢｡､･｣"},
      {"゛゜", "ﾞﾟ"},
      {"￠￡￢￣￤￥￦", "¢£¬¯¦¥₩"},
      {"ヮヵヶヰヱ", "ヮヵヶヰヱ"},  // no half-width form
      {"あいう漢字", "あいう漢字"},  // hiragana and ideographs stay
      {"already half 123 ｱｲ", "already half 123 ｱｲ"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(ToHalfWidth(std::string_view(c.in)), c.out);
    EXPECT_EQ(ToHalfWidth(Utf8ToUtf16(c.in)), Utf8ToUtf16(c.out));
  }
}

TEST(Text, APastedValueLosesBlanksAtEitherEndAndOneLineEnd) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"12\r\n", "12"},
      {"12\n", "12"},
      {"12\r", "12"},
      {" 12 \r\n", "12"},
      {"\u3000\uff15\uff0e\uff15\n", "\uff15\uff0e\uff15"},
      {"5.5\u3000\n", "5.5"},
      {"\u3000 3.6 \u3000\r\n", "3.6"},
      {"12\n\n", "12\n"},  // one line end only
      {"1 2\u30003", "1 2\u30003"},
      {"\u3000", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(TrimPastedText(c.in), c.out) << c.in;
}

TEST(Text, LetterAndDigitTestsIgnoreTheProcessLocale) {
  for (char32_t c : {U'a', U'Z', U'é', U'Ａ', U'ア', U'ｱ', U'漢'}) {
    EXPECT_TRUE(IsCharAlpha(c)) << static_cast<uint32_t>(c);
    EXPECT_TRUE(IsCharAlphaNumeric(c)) << static_cast<uint32_t>(c);
  }
  for (char32_t c : {U'0', U'9', U'１'}) {
    EXPECT_FALSE(IsCharAlpha(c)) << static_cast<uint32_t>(c);
    EXPECT_TRUE(IsCharAlphaNumeric(c)) << static_cast<uint32_t>(c);
  }
  for (char32_t c : {U' ', U'.', U'-', U'@', U'\b', U'　', U'。'}) {
    EXPECT_FALSE(IsCharAlpha(c)) << static_cast<uint32_t>(c);
    EXPECT_FALSE(IsCharAlphaNumeric(c)) << static_cast<uint32_t>(c);
  }
}
