#include <gtest/gtest.h>

#include <set>

#include "settings/SettingItems.h"
#include "settings/SettingSelect.h"

namespace {

std::set<int> Offered(const CSettingSelect& select) {
  std::set<int> items;
  for (int i = 0; i < kSettingItemCount; ++i) {
    EXPECT_EQ(select.m_item[i].available, select.m_item[i].checked) << i;
    if (select.m_item[i].available == 1) items.insert(i);
    EXPECT_TRUE(select.m_item[i].available == 0 || select.m_item[i].available == 1) << i;
  }
  return items;
}

}  // namespace

TEST(SettingItems, TableRowsKeepTheirIndexes) {
  for (int i = 0; i < kSettingItemCount; ++i) {
    EXPECT_EQ(g_settingItems[i].stringId, 3000u + i);
    EXPECT_GE(g_settingItems[i].group, 1);
    EXPECT_LE(g_settingItems[i].group, 4);
  }
  EXPECT_EQ(g_settingItems[21].group, 4);
  EXPECT_EQ(g_settingItems[8].group, 2);
}

TEST(SettingSelect, NewSelectionOffersNothing) {
  const CSettingSelect select;
  EXPECT_TRUE(Offered(select).empty());
  EXPECT_EQ(select.m_nCurrent, 0xFFFF);
}

TEST(SettingSelect, AvailabilityPerDirection) {
  const std::set<int> logger{0, 1, 3, 6, 11, 19, 20, 21, 22};
  const std::set<int> file{3, 6, 11, 21, 22};
  for (int mode : {0, 1, -1, 0x7FFFFFFF}) {
    CSettingSelect select;
    select.m_nCurrent = 2;
    select.Init(mode, 0);
    EXPECT_EQ(Offered(select), logger) << mode;
    EXPECT_EQ(select.m_nMode, mode);
    EXPECT_EQ(select.m_nCurrent, 0xFFFF);
    // Init starts over: items the file direction does not offer are cleared.
    for (int fileFlag : {1, -5}) {
      select.Init(mode, fileFlag);
      EXPECT_EQ(Offered(select), file) << mode << ' ' << fileFlag;
    }
  }
}

TEST(SettingSelect, CopiesWhole) {
  CSettingSelect a;
  a.Init(3, 0);
  a.m_item[6].checked = 0;
  a.m_nCurrent = 4;
  CSettingSelect b;
  b = a;
  EXPECT_EQ(b.m_item[6].available, 1);
  EXPECT_EQ(b.m_item[6].checked, 0);
  EXPECT_EQ(b.m_item[0].checked, 1);
  EXPECT_EQ(b.m_nMode, 3);
  EXPECT_EQ(b.m_nCurrent, 4);
}
