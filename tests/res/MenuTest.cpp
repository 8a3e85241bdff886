#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "Utf8.h"
#include "res/Menu.h"

namespace {

TEST(MainMenu, ThreePopupsWithTheFrameCommandsInOrder) {
  const auto& menu = res::MainMenu();
  ASSERT_EQ(menu.size(), 3u);
  const char* titles[] = {"通信(&T)", "設定ファイル(&F)", "ヘルプ(&H)"};
  const std::vector<unsigned> commands[] = {{32771, 32772, 32773, 32776, 57665}, {32791, 32794}, {32823}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_STREQ(menu[i].text, titles[i]);
    EXPECT_EQ(menu[i].command, 0u);
    EXPECT_FALSE(menu[i].separator);
    std::vector<unsigned> got;
    for (const auto& item : menu[i].children) {
      EXPECT_FALSE(item.separator);
      EXPECT_TRUE(item.children.empty());
      EXPECT_TRUE(res_test::IsValidUtf8(item.text));
      EXPECT_STRNE(item.text, "");
      got.push_back(item.command);
    }
    EXPECT_EQ(got, commands[i]) << titles[i];
  }
  EXPECT_STREQ(menu[0].children[3].text, "ログ記録");
}

TEST(MainMenu, CommandsOnlyCodePostsHaveNoItem) {
  std::set<unsigned> all;
  for (const auto& popup : res::MainMenu()) {
    for (const auto& item : popup.children) all.insert(item.command);
  }
  for (unsigned hidden : {32781u, 32782u, 32783u, 32785u, 32786u, 32792u, 32821u, 126u}) {
    EXPECT_EQ(all.count(hidden), 0u) << hidden;
  }
  for (const auto& a : res::MainAccelerators()) EXPECT_NE(a.command, 32821u);
}

TEST(MainAccelerators, StandardChordsEachBoundOnce) {
  const auto& table = res::MainAccelerators();
  EXPECT_EQ(table.size(), 14u);
  std::set<std::tuple<int, bool, bool, bool>> chords;
  for (const auto& a : table) {
    EXPECT_TRUE(chords.insert({a.key, a.ctrl, a.shift, a.alt}).second) << a.key;
  }
  auto find = [&](int key, bool ctrl, bool shift, bool alt) -> unsigned {
    for (const auto& a : table) {
      if (a.key == key && a.ctrl == ctrl && a.shift == shift && a.alt == alt) return a.command;
    }
    return 0;
  };
  EXPECT_EQ(find('N', true, false, false), 57600u);
  EXPECT_EQ(find('O', true, false, false), 57601u);
  EXPECT_EQ(find(0x08, false, false, true), 57643u);  // Alt+Backspace
  EXPECT_EQ(find(0x2E, false, true, false), 57635u);  // Shift+Delete
  EXPECT_EQ(find(0x2D, true, false, false), 57634u);  // Ctrl+Insert
  EXPECT_EQ(find(0x2D, false, true, false), 57637u);  // Shift+Insert
  EXPECT_EQ(find(0x75, false, false, false), 57680u);
  EXPECT_EQ(find(0x75, false, true, false), 57681u);
  EXPECT_EQ(find('N', false, false, false), 0u);
}

TEST(DocumentString, SevenFieldsNamingTheDocument) {
  const std::string doc = res::DocumentString();
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t p; (p = doc.find('\n', start)) != std::string::npos; start = p + 1)
    fields.push_back(doc.substr(start, p - start));
  fields.push_back(doc.substr(start));
  ASSERT_EQ(fields.size(), 7u);
  EXPECT_EQ(fields[0], "Kestrix2Comm");
  EXPECT_EQ(fields[1], "");
  EXPECT_EQ(fields[2], "Kestrix2Comm");
  EXPECT_EQ(fields[3], "");
  EXPECT_EQ(fields[4], "");
  EXPECT_EQ(fields[5], "Kestrix2Comm.Document");
  EXPECT_EQ(fields[6], "Kestrix2Comm.Document");
}

}  // namespace
