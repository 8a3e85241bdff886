#include <gtest/gtest.h>

#include <string>

#include "SettingsFileSupport.h"
#include "settings/KXCSettingWork.h"

namespace {

constexpr char kEveryItem[] =
    "[XEV_RAIN_GAUGE]\r\n"
    "DATE,2026-12-08 09:30:11\r\n"
    "IMEI,356938035643809\r\n"
    "//1\r\n"
    "//3\r\n"
    "KXI_RAIN_MMPS,0.50\r\n"
    "//6\r\n"
    "BATTERY_ALART,3600\r\n"
    "//11\r\n"
    "AP_NAME,soracom.io\r\n"
    "AP_USER,sora\r\n"
    "AP_PASS,p@ss-w0rd!\r\n"
    "AP_AUTH,CHAP\r\n"
    "//21\r\n"
    "ALM_RAIN,1,10.00,90,1\r\n"
    "ALM_RAIN,2,5.25,14400,0\r\n"
    "//22\r\n"
    "MES_ENABLE,1\r\n"
    "MES_START_TIME,2027-03-05 07:08:09\r\n"
    "MES_INTERVAL_TIME,600\r\n"
    "MES_INTERVAL_NUM,6\r\n"
    "MES_INTERVAL_EVENT_TIME,60\r\n"
    "MES_INTERVAL_EVENT_NUM,240\r\n";

}  // namespace

TEST(SettingsFileWrite, EveryItemGivesTheExactBytes) {
  CSettingSelect select = FileSelection();
  select.m_item[1].checked = 1;  // an item without lines gets its marker alone
  std::string file;
  ASSERT_EQ(CKXCSettingWork::WriteFileText(FullRecord(), select, FixedClock(), file), CKXCSettingWork::kWriteDone);
  EXPECT_EQ(file, kEveryItem);
  EXPECT_EQ(CKXCSettingWork::DefaultFileName(FixedClock()), "DWL_20261208_093011.rai");
}

TEST(SettingsFileWrite, OnlyTickedItemsAndAlwaysTheImeiLine) {
  CSettingWorkData work = FullRecord();
  work.m_mailInfo.m_strImei.clear();
  work.m_mailInfo.m_strApn = "a,b";  // written raw; not ticked here anyway
  CSettingSelect select;
  select.m_item[6].checked = 1;
  select.m_item[3].checked = 1;
  std::string file;
  ASSERT_EQ(CKXCSettingWork::WriteFileText(work, select, FixedClock(), file), CKXCSettingWork::kWriteDone);
  EXPECT_EQ(file,
            "[XEV_RAIN_GAUGE]\r\nDATE,2026-12-08 09:30:11\r\nIMEI,\r\n"
            "//3\r\nKXI_RAIN_MMPS,0.50\r\n//6\r\nBATTERY_ALART,3600\r\n");
}

TEST(SettingsFileWrite, RefusesWhatWouldBreakTheLines) {
  std::string file = "stale";
  EXPECT_EQ(CKXCSettingWork::WriteFileText(FullRecord(), CSettingSelect(), FixedClock(), file),
            CKXCSettingWork::kWriteNothingTicked);
  EXPECT_TRUE(file.empty());

  using Field = std::string CKX2MailInfo::*;
  for (Field field : {&CKX2MailInfo::m_strApn, &CKX2MailInfo::m_strUser, &CKX2MailInfo::m_strPassword,
                      &CKX2MailInfo::m_strAuth, &CKX2MailInfo::m_strImei}) {
    for (const std::string& bad : {std::string("x\r"), std::string("\nBATTERY_ALART,0"), std::string("a\0b", 3)}) {
      CSettingWorkData work = FullRecord();
      work.m_mailInfo.*field = bad;
      file = "stale";
      EXPECT_EQ(CKXCSettingWork::WriteFileText(work, FileSelection(), FixedClock(), file),
                CKXCSettingWork::kWriteBadText);
      EXPECT_TRUE(file.empty());
      // Without the access point ticked only the IMEI is written.
      CSettingSelect noAccessPoint = FileSelection();
      noAccessPoint.m_item[11].checked = 0;
      EXPECT_EQ(CKXCSettingWork::WriteFileText(work, noAccessPoint, FixedClock(), file) == CKXCSettingWork::kWriteDone,
                field != &CKX2MailInfo::m_strImei);
    }
  }
}
