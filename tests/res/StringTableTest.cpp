#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "Utf8.h"
#include "res/StringEntry.h"
#include "res/StringTable.h"

namespace {

int Count(const std::string& s, const std::string& what) {
  int n = 0;
  for (size_t p = s.find(what); p != std::string::npos; p = s.find(what, p + what.size())) ++n;
  return n;
}

TEST(StringTable, MissingIdsAreReportedAsMissing) {
  for (unsigned id : {0u, 1u, 101u, 2101u, 2104u, 2508u, 65535u, 4000000000u}) {
    EXPECT_EQ(res::FindString(id), nullptr) << id;
    EXPECT_EQ(res::LoadString(id), "") << id;
  }
}

TEST(StringTable, IdsAreAscendingUniqueAndEveryRowIsReachable) {
  const auto ids = res::AllStringIds();
  ASSERT_FALSE(ids.empty());
  EXPECT_TRUE(std::is_sorted(ids.begin(), ids.end()));
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
  // No id appears in two rows: a second row would be unreachable.
  EXPECT_EQ(ids.size(), res::FrameStrings().count + res::MessageStrings().count);
  for (unsigned id : ids) {
    const char* text = res::FindString(id);
    ASSERT_NE(text, nullptr) << id;
    EXPECT_STRNE(text, "") << id;
    EXPECT_TRUE(res_test::IsValidUtf8(text)) << id;
    EXPECT_EQ(res::LoadString(id), text);
  }
}

TEST(StringTable, Utf8CheckRejectsBrokenCharacters) {
  EXPECT_TRUE(res_test::IsValidUtf8("\xE3\x82\xB4 ok"));
  EXPECT_FALSE(res_test::IsValidUtf8("\xE3\x82"));      // cut short
  EXPECT_FALSE(res_test::IsValidUtf8("\xC0\xAF"));      // overlong
  EXPECT_FALSE(res_test::IsValidUtf8("\xED\xA0\x80"));  // surrogate
  EXPECT_FALSE(res_test::IsValidUtf8("\x82\xB4"));      // no lead byte
}

TEST(StringTable, DialogFaceIsFullWidthGothicByteForByte) {
  // Ｍ Ｓ (full width), an ASCII blank, ゴシック.
  EXPECT_EQ(res::LoadString(102), "\xEF\xBC\xAD\xEF\xBC\xB3\x20\xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF");
}

TEST(StringTable, LineBreaksAreRealCrLfPairs) {
  struct Case {
    unsigned id;
    int breaks;
  };
  for (const Case& c :
       {Case{2513, 2}, Case{2515, 1}, Case{2516, 2}, Case{2524, 2}, Case{2532, 1}, Case{2533, 1}, Case{3507, 1}}) {
    const std::string s = res::LoadString(c.id);
    EXPECT_EQ(Count(s, "\r\n"), c.breaks) << c.id;
    EXPECT_EQ(Count(s, "\r"), c.breaks) << c.id;
    EXPECT_EQ(Count(s, "\n"), c.breaks) << c.id;
    EXPECT_EQ(s.find('\\'), std::string::npos) << c.id;
  }
  EXPECT_EQ(res::LoadString(2532),
            "IMEI\xE3\x82\x92\xE5\x8F\x96\xE5\xBE\x97\xE3\x81\xA7\xE3\x81\x8D\xE3\x81\xBE\xE3\x81\x9B\xE3\x82\x93"
            "\xE3\x80\x82\r\nSIM\xE3\x82\xAB\xE3\x83\xBC\xE3\x83\x89\xE3\x82\x92\xE7\xA2\xBA\xE8\xAA\x8D\xE3\x81\x97"
            "\xE3\x81\xA6\xE3\x81\x8F\xE3\x81\xA0\xE3\x81\x95\xE3\x81\x84\xE3\x80\x82");
}

TEST(StringTable, FontTableGivesThePointSizePerScreenClass) {
  const int expected[5] = {9, 10, 12, 13, 16};
  for (int i = 0; i < 5; ++i) {
    const int base = std::atoi(res::LoadString(223 + i).c_str());
    const int second = std::atoi(res::LoadString(228 + 2 * i).c_str());
    const int third = std::atoi(res::LoadString(229 + 2 * i).c_str());
    EXPECT_GT(second, 0) << i;
    EXPECT_EQ(base - third, expected[i]) << i;
  }
}

TEST(StringTable, EveryDeviceCodeMessageAndSettingNameExists) {
  for (unsigned id : {2505u, 2506u, 2507u, 2509u, 2517u, 2532u, 2533u}) EXPECT_NE(res::FindString(id), nullptr) << id;
  for (unsigned id = 2000; id <= 2003; ++id) EXPECT_NE(res::FindString(id), nullptr) << id;
  for (unsigned id = 3000; id <= 3022; ++id) EXPECT_NE(res::FindString(id), nullptr) << id;
  for (unsigned id : {2100u, 2102u, 2103u, 2105u, 2106u, 400u, 401u, 402u})
    EXPECT_NE(res::FindString(id), nullptr) << id;
  // Group 4 and item 22 share a name; the item tree matches items only.
  EXPECT_EQ(res::LoadString(2003), res::LoadString(3022));
}

TEST(StringTable, FormatTextsCarryTheirArguments) {
  const std::string range = res::LoadString(3502);
  EXPECT_EQ(Count(range, "%ld"), 3);
  EXPECT_EQ(Count(range, "%"), 3);
}

}  // namespace
