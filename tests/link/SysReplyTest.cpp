#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "RecordSupport.h"
#include "link/ComCtrlKestrix2.h"
#include "link/KX2MailInfo.h"
#include "link/KX2SysInfo.h"
#include "link/ReplyParse.h"

namespace {

// Feeds one reply line through the key/value split into the system parser,
// as the system read does.
KeyParse SysLine(CKX2SysInfo& info, const std::string& line) {
  std::string key, value;
  SplitKeyValue(line, key, value);
  return CComCtrlKestrix2::ParseSysItem(info, key.c_str(), value.c_str());
}

KeyParse MailLine(CKX2MailInfo& info, const std::string& line) {
  std::string key, value;
  SplitKeyValue(line, key, value);
  return CComCtrlKestrix2::ParseMailItem(info, key.c_str(), value.c_str());
}

// A record whose every member holds a marker, to see what a line leaves alone.
CKX2SysInfo Marked() {
  CKX2SysInfo info;
  info.m_nMeasuring = 7;
  info.m_nIdFirst = info.m_nIdLast = info.m_nIdThird = 7;
  info.m_stStart.m_nYear = info.m_stClock.m_nYear = info.m_stNext.m_nYear = 7;
  info.m_nSampling = info.m_nSamplingEvent = info.m_nSendCount = info.m_nSendCountEvent = 7;
  info.m_nBatteryStop = 7;
  info.m_dRainPerCount = 7.0;
  std::strcpy(info.m_szBuild, "7");
  std::strcpy(info.m_szSerial, "7");
  info.m_alarm[0].m_nNo = info.m_alarm[1].m_nNo = 7;
  return info;
}

}  // namespace

TEST(SysReply, DateTimesAndCounts) {
  CKX2SysInfo info = Marked();
  EXPECT_EQ(SysLine(info, "STM 24/03/05 14:07:09"), KeyParse::kTaken);
  EXPECT_EQ(SysLine(info, "TIM 24/03/06 01:02:03"), KeyParse::kTaken);
  EXPECT_EQ(SysLine(info, "NEX  4/ 3/ 7 04:05:06"), KeyParse::kTaken);
  EXPECT_EQ(info.m_stStart.m_nYear, 2024);
  EXPECT_EQ(info.m_stStart.m_nSecond, 9);
  EXPECT_EQ(info.m_stClock.m_nDay, 6);
  EXPECT_EQ(info.m_stNext.m_nYear, 2004);
  // A 16-character value leaves the date-time as it was, and says so.
  for (const char* line : {"STM 25/01/01 00:00:0", "TIM 25/01/01 00:00:0", "NEX 25/01/01 00:00:0"})
    EXPECT_EQ(SysLine(info, line), KeyParse::kUnknown) << line;
  EXPECT_EQ(info.m_stStart.m_nYear, 2024);
  EXPECT_EQ(info.m_stClock.m_nDay, 6);
  EXPECT_EQ(info.m_stNext.m_nYear, 2004);

  EXPECT_EQ(SysLine(info, "SMP D01H02M03S04"), KeyParse::kTaken);
  EXPECT_EQ(info.m_nSampling, 93784);
  EXPECT_EQ(SysLine(info, "SMP2 D00H00M01S00"), KeyParse::kTaken);
  EXPECT_EQ(info.m_nSamplingEvent, 60);
  EXPECT_EQ(SysLine(info, "SMP 30"), KeyParse::kTaken);
  EXPECT_EQ(info.m_nSampling, 0);
  EXPECT_EQ(SysLine(info, "ITV 6"), KeyParse::kTaken);
  EXPECT_EQ(SysLine(info, "ITV2 x"), KeyParse::kTaken);
  EXPECT_EQ(info.m_nSendCount, 6);
  EXPECT_EQ(info.m_nSendCountEvent, 0);
}

TEST(SysReply, BatteryDropsItsLabel) {
  struct Case {
    const char* line;
    int32_t millivolts;
    KeyParse parse = KeyParse::kTaken;
  };
  const Case cases[] = {
      {"BAT ALM 3600", 3600},
      {"BAT ALM 3600.9", 3600},
      {"BAT 12", 0},
      {"BAT", 0},
      {"BATX3600", 7, KeyParse::kUnknown},
      {"BAT ALM -5", -5},
      {"BAT ALM 1e300", INT_MAX},
      {"BAT ALM nan", 0},
  };
  for (const auto& c : cases) {
    CKX2SysInfo info = Marked();
    EXPECT_EQ(SysLine(info, c.line), c.parse) << c.line;
    EXPECT_EQ(info.m_nBatteryStop, c.millivolts) << c.line;
  }
}

TEST(SysReply, RecordNumbers) {
  CKX2SysInfo info = Marked();
  EXPECT_EQ(SysLine(info, "ID 1-2500 (2500)"), KeyParse::kTaken);
  EXPECT_EQ(info.m_nIdFirst, 1);
  EXPECT_EQ(info.m_nIdLast, 2500);
  EXPECT_EQ(info.m_nIdThird, 2500);
  CKX2SysInfo before = info;
  EXPECT_EQ(SysLine(info, "ID 1-2500"), KeyParse::kTaken);
  EXPECT_EQ(info, before);
  EXPECT_EQ(SysLine(info, "ID 99990-5 (15) trailing"), KeyParse::kTaken);
  EXPECT_EQ(info.m_nIdFirst, 99990);
  EXPECT_EQ(info.m_nIdLast, 5);
  EXPECT_EQ(info.m_nIdThird, 15);
}

TEST(SysReply, RainAlarms) {
  CKX2SysInfo info;
  EXPECT_EQ(SysLine(info, "ALM RN 1 10.00 1:30 ON"), KeyParse::kTaken);
  EXPECT_EQ(info.m_alarm[0].m_nNo, 1);
  EXPECT_DOUBLE_EQ(info.m_alarm[0].m_dThreshold, 10.0);
  EXPECT_EQ(info.m_alarm[0].m_nPeriod, 90);
  EXPECT_EQ(info.m_alarm[0].m_nEnable, 1);

  EXPECT_EQ(SysLine(info, "ALM RN 2 5.5 -0:30 OFF"), KeyParse::kTaken);
  EXPECT_EQ(info.m_alarm[1].m_nNo, 2);
  EXPECT_DOUBLE_EQ(info.m_alarm[1].m_dThreshold, 5.5);
  EXPECT_EQ(info.m_alarm[1].m_nPeriod, -30);
  EXPECT_EQ(info.m_alarm[1].m_nEnable, 0);

  // Any number but 1 lands in the second alarm; "on" only when exactly "ON".
  EXPECT_EQ(SysLine(info, "ALM RN 3 1 1:00 on extra"), KeyParse::kTaken);
  EXPECT_EQ(info.m_alarm[1].m_nNo, 3);
  EXPECT_EQ(info.m_alarm[1].m_nPeriod, 60);
  EXPECT_EQ(info.m_alarm[1].m_nEnable, 0);
  EXPECT_EQ(info.m_alarm[0].m_nNo, 1);

  const CKX2SysInfo before = info;
  for (const char* line : {"ALM RN 1 10.00 1:30", "ALM rn 1 10.00 1:30 ON", "ALM XX 1 2 3 ON", "ALM"}) {
    EXPECT_EQ(SysLine(info, line), KeyParse::kTaken);
    EXPECT_EQ(info, before) << line;
  }
}

TEST(SysReply, CalibrationTextsAndState) {
  CKX2SysInfo info = Marked();
  EXPECT_EQ(SysLine(info, "CAL RN 0.5"), KeyParse::kTaken);
  EXPECT_DOUBLE_EQ(info.m_dRainPerCount, 0.5);
  EXPECT_EQ(SysLine(info, "CAL XX 0.25"), KeyParse::kTaken);
  EXPECT_EQ(SysLine(info, "CAL RN"), KeyParse::kTaken);
  EXPECT_DOUBLE_EQ(info.m_dRainPerCount, 0.5);

  EXPECT_EQ(SysLine(info, "MEASURING"), KeyParse::kTaken);
  EXPECT_EQ(info.m_nMeasuring, 1);
  EXPECT_EQ(SysLine(info, "STOP"), KeyParse::kTaken);
  EXPECT_EQ(info.m_nMeasuring, 0);

  EXPECT_EQ(SysLine(info, "BLD 2024-03-05 v1.2"), KeyParse::kTaken);
  EXPECT_STREQ(info.m_szBuild, "2024-03-05 v1.2");
  EXPECT_EQ(SysLine(info, "SN " + std::string(100, 'S')), KeyParse::kTaken);
  EXPECT_EQ(std::strlen(info.m_szSerial), 63u);
  EXPECT_EQ(SysLine(info, "SN 12"), KeyParse::kTaken);
  EXPECT_STREQ(info.m_szSerial, "12");
  // A shorter text leaves nothing of the longer one behind the NUL.
  EXPECT_EQ(info.m_szSerial[10], '\0');
}

TEST(SysReply, UnknownKeysChangeNothing) {
  CKX2SysInfo info = Marked();
  const CKX2SysInfo before = info;
  for (const char* line : {"stm 24/03/05 14:07:09", "Stop", "measuring", "", "   ", "SMP3 D01", "NG", "BLDX y"}) {
    EXPECT_EQ(SysLine(info, line), KeyParse::kUnknown) << line;
    EXPECT_EQ(info, before) << line;
  }
  EXPECT_EQ(CComCtrlKestrix2::ParseSysItem(info, nullptr, "x"), KeyParse::kUnknown);
  EXPECT_EQ(CComCtrlKestrix2::ParseSysItem(info, "BLD", nullptr), KeyParse::kTaken);
  EXPECT_STREQ(info.m_szBuild, "");
}

// A line read as a number that came without one makes the reply unusable;
// text values, other kinds of alarm or calibration and unknown keys do not.
TEST(SysReply, LinesThatLostTheirNumbers) {
  const auto usable = [](const char* line) {
    std::string key, value;
    SplitKeyValue(line, key, value);
    return CComCtrlKestrix2::SysValueUsable(key.c_str(), value.c_str());
  };
  for (const char* line :
       {"STM 24/ 3/ 5 14:07:09", "SMP D00H00M10S00", "ITV 5", "BAT ALM 3600", "ID 1-2500 (2500)",
        "ALM RN 2 5.5 -0:30 OFF", "ALM XX 1", "CAL RN 0.5", "CAL AV 3", "BLD", "SN", "MEASURING", "FOO"}) {
    EXPECT_TRUE(usable(line)) << line;
  }
  for (const char* line : {"STM", "TIM 24/03/05 14:07", "NEX 24/03/05 14:xx:09", "SMP2", "ITV2 x", "BAT ALM", "BAT 12",
                           "ID 1-2500", "ALM RN 1 10.00 1:30", "ALM RN 1 x 1:30 ON", "ALM", "CAL RN"}) {
    EXPECT_FALSE(usable(line)) << line;
  }
}

TEST(MailReply, KeysStoreTheValueUnchanged) {
  CKX2MailInfo info;
  EXPECT_EQ(MailLine(info, "APN  my.apn"), KeyParse::kTaken);
  EXPECT_EQ(info.m_strApn, " my.apn");
  EXPECT_EQ(MailLine(info, "APU user name "), KeyParse::kTaken);
  EXPECT_EQ(MailLine(info, "APP p@ss"), KeyParse::kTaken);
  EXPECT_EQ(MailLine(info, "APA CHAP"), KeyParse::kTaken);
  EXPECT_EQ(MailLine(info, "IMEI 490154203237518"), KeyParse::kTaken);
  EXPECT_EQ(MailLine(info, "MYDIAL *99#"), KeyParse::kTaken);
  EXPECT_EQ(MailLine(info, "HOST example.invalid"), KeyParse::kTaken);
  EXPECT_EQ(MailLine(info, "PORT 8080"), KeyParse::kTaken);
  info.m_strPost = "stale";
  EXPECT_EQ(MailLine(info, "POST"), KeyParse::kTaken);
  CKX2MailInfo expected;
  expected.m_strApn = " my.apn";
  expected.m_strUser = "user name ";
  expected.m_strPassword = "p@ss";
  expected.m_strAuth = "CHAP";
  expected.m_strImei = "490154203237518";
  expected.m_strMyDial = "*99#";
  expected.m_strHost = "example.invalid";
  expected.m_strPort = "8080";
  EXPECT_EQ(info, expected);

  for (const char* line : {"apn x", "APNX y", "", "YES END"})
    EXPECT_EQ(MailLine(info, line), KeyParse::kUnknown) << line;
  EXPECT_EQ(info, expected);
  EXPECT_EQ(CComCtrlKestrix2::ParseMailItem(info, nullptr, "x"), KeyParse::kUnknown);
}
