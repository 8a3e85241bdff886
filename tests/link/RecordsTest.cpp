#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <optional>
#include <string>

#include "RecordSupport.h"
#include "link/AlmRainInfo.h"
#include "link/KX2MailInfo.h"
#include "link/KX2SysInfo.h"
#include "link/SdlTime.h"
#include "link/SettingWorkData.h"

namespace {

// Sets TZ for one test and puts the previous zone back afterwards.
class ZoneGuard {
 public:
  explicit ZoneGuard(const char* zone) {
    if (const char* old = std::getenv("TZ")) m_old = old;
    setenv("TZ", zone, 1);
    tzset();
  }
  ~ZoneGuard() {
    if (m_old) {
      setenv("TZ", m_old->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

 private:
  std::optional<std::string> m_old;
};

int64_t Utc(int y, int mo, int d, int h, int mi, int s) {
  std::tm tm{};
  tm.tm_year = y - 1900;
  tm.tm_mon = mo - 1;
  tm.tm_mday = d;
  tm.tm_hour = h;
  tm.tm_min = mi;
  tm.tm_sec = s;
  return static_cast<int64_t>(timegm(&tm));
}

// What the conversion gave when it always asked for standard time.
int64_t StandardTime(const CSdlTime& t) {
  std::tm tm{};
  tm.tm_year = t.m_nYear - 1900;
  tm.tm_mon = t.m_nMonth - 1;
  tm.tm_mday = t.m_nDay;
  tm.tm_hour = t.m_nHour;
  tm.tm_min = t.m_nMinute;
  tm.tm_sec = t.m_nSecond;
  tm.tm_isdst = 0;
  return static_cast<int64_t>(std::mktime(&tm));
}

}  // namespace

TEST(SdlTime, SetFromStringReadsFixedPositions) {
  struct Case {
    const char* text;
    int y, mo, d, h, mi, s;
  };
  const Case cases[] = {
      {"24/03/05 14:07:09", 2024, 3, 5, 14, 7, 9},
      {"24-03-05T14.07.09", 2024, 3, 5, 14, 7, 9},  // separators are not looked at
      {" 5/ 3/ 5  4: 7: 9", 2005, 3, 5, 4, 7, 9},   // blanks for leading zeros
      {"24/03/05 14:07:09 extra", 2024, 3, 5, 14, 7, 9},
      {"99/12/31 23:59:59", 2099, 12, 31, 23, 59, 59},
      {"xx/1x/-1 +2:5 :  ", 2000, 1, -1, 2, 5, 0},  // atoi rules per field, no range check
  };
  for (const auto& c : cases) {
    CSdlTime t;
    EXPECT_EQ(t.SetFromString(c.text), 1) << c.text;
    EXPECT_EQ(t, MakeTime(c.y, c.mo, c.d, c.h, c.mi, c.s)) << c.text;
  }
}

TEST(SdlTime, ShortTextChangesNothing) {
  CSdlTime t = MakeTime(2020, 1, 2, 3, 4, 5);
  EXPECT_EQ(t.SetFromString("24/03/05 14:07:0"), 0);
  EXPECT_EQ(t.SetFromString(""), 0);
  EXPECT_EQ(t.SetFromString(nullptr), 0);
  EXPECT_EQ(t, MakeTime(2020, 1, 2, 3, 4, 5));
}

TEST(SdlTime, NewAndCopied) {
  CSdlTime t;
  EXPECT_EQ(t, MakeTime(0, 0, 0, 0, 0, 0));
  CSdlTime u;
  u = MakeTime(2024, 3, 5, 14, 7, 9);
  t = u;
  EXPECT_EQ(t, MakeTime(2024, 3, 5, 14, 7, 9));
}

TEST(SdlTime, GetTimeClampsIntoTheCalendar) {
  ZoneGuard zone("UTC");
  EXPECT_EQ(CSdlTime().GetTime(), Utc(1971, 1, 1, 0, 0, 0));
  EXPECT_EQ(MakeTime(2024, 3, 5, 14, 7, 9).GetTime(), Utc(2024, 3, 5, 14, 7, 9));
  // Day 35 keeps its low five bits (3); hour 25 and minute 61 wrap.
  EXPECT_EQ(MakeTime(2024, 3, 35, 25, 61, 0).GetTime(), Utc(2024, 3, 3, 1, 1, 0));
  // A negative hour keeps its sign and counts back into the previous day.
  EXPECT_EQ(MakeTime(2024, 3, 5, -1, 0, 0).GetTime(), Utc(2024, 3, 4, 23, 0, 0));
  EXPECT_EQ(MakeTime(1900, -4, -9, 0, 0, 0).GetTime(), Utc(1971, 1, 1, 0, 0, 0));
  EXPECT_EQ(MakeTime(5024, 3, 5, 0, 0, 0).GetTime(), Utc(2024, 3, 5, 0, 0, 0));
  // A day past the month's end rolls over, as the conversion does.
  EXPECT_EQ(MakeTime(2023, 2, 30, 0, 0, 0).GetTime(), Utc(2023, 3, 2, 0, 0, 0));
}

TEST(SdlTime, GetTimeOutsideTheCalendarStillGivesAValue) {
  ZoneGuard zone("UTC");
  // Month 13 folds to 0, day 32 to 0: both count back one step.
  EXPECT_EQ(MakeTime(2024, 13, 5, 0, 0, 0).GetTime(), Utc(2023, 12, 5, 0, 0, 0));
  EXPECT_EQ(MakeTime(2024, 3, 32, 0, 0, 0).GetTime(), Utc(2024, 2, 29, 0, 0, 0));
  // Extreme fields must not end the caller's operation.
  MakeTime(INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX).GetTime();
  MakeTime(INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN).GetTime();
  MakeTime(3999, 12, 31, -23, -59, -59).GetTime();
}

TEST(SdlTime, GetTimeFollowsDaylightSaving) {
  ZoneGuard zone("Europe/Berlin");
  // Summer: local 12:00 is 10:00 UTC (CEST), not 11:00.
  EXPECT_EQ(MakeTime(2024, 7, 1, 12, 0, 0).GetTime(), Utc(2024, 7, 1, 10, 0, 0));
  EXPECT_EQ(MakeTime(2024, 1, 15, 12, 0, 0).GetTime(), Utc(2024, 1, 15, 11, 0, 0));
  // Around the change in spring: 01:59:59 CET, 03:00 CEST one second later.
  EXPECT_EQ(MakeTime(2024, 3, 31, 3, 0, 0).GetTime() - MakeTime(2024, 3, 31, 1, 59, 59).GetTime(), 1);
  // A difference of local times across the change is the real elapsed time.
  EXPECT_EQ(MakeTime(2024, 4, 1, 0, 0, 0).GetTime() - MakeTime(2024, 3, 31, 0, 0, 0).GetTime(), 23 * 3600);
}

TEST(SdlTime, ZonesWithoutDaylightSavingAreUnchanged) {
  for (const char* name : {"Asia/Tokyo", "UTC"}) {
    ZoneGuard zone(name);
    for (const CSdlTime& t : {MakeTime(2024, 1, 15, 12, 0, 0), MakeTime(2024, 7, 1, 12, 0, 0),
                              MakeTime(1971, 1, 1, 0, 0, 0), MakeTime(2099, 12, 31, 23, 59, 59)}) {
      EXPECT_EQ(t.GetTime(), StandardTime(t)) << name;
    }
  }
  ZoneGuard zone("Asia/Tokyo");
  EXPECT_EQ(MakeTime(2024, 3, 5, 14, 7, 9).GetTime(), Utc(2024, 3, 5, 5, 7, 9));
}

TEST(Records, NewRecordsAreEmpty) {
  const CKX2SysInfo info;
  EXPECT_EQ(info.m_nKind, 0);
  EXPECT_EQ(info.m_nMeasuring, 0);
  EXPECT_EQ(info.m_nIdFirst + info.m_nIdLast + info.m_nIdThird, 0);
  EXPECT_EQ(info.m_nSampling + info.m_nSamplingEvent + info.m_nSendCount + info.m_nSendCountEvent, 0);
  EXPECT_EQ(info.m_nBatteryStop, 0);
  EXPECT_EQ(info.m_dRainPerCount, 0.0);
  const char zeros[CKX2SysInfo::kTextSize] = {};
  EXPECT_EQ(std::memcmp(info.m_szBuild, zeros, sizeof zeros), 0);
  EXPECT_EQ(std::memcmp(info.m_szSerial, zeros, sizeof zeros), 0);
  EXPECT_EQ(info.m_stStart, MakeTime(0, 0, 0, 0, 0, 0));
  for (const CAlmRainInfo& a : info.m_alarm) {
    EXPECT_EQ(a.m_nNo, 0);
    EXPECT_EQ(a.m_dThreshold, 0.0);
    EXPECT_EQ(a.m_nPeriod, 0);
    EXPECT_EQ(a.m_nEnable, 0);
  }
  const CKX2MailInfo mail;
  EXPECT_TRUE(mail.m_strApn.empty() && mail.m_strImei.empty() && mail.m_strPost.empty());
}

namespace {

// A system record with every member set and both texts filled to their last
// byte, with the NUL early, so there are bytes behind it to copy. Built anew
// on every call, so the expected record owes nothing to the copy under test.
CKX2SysInfo FilledSysInfo() {
  CKX2SysInfo info;
  info.m_nKind = 7;
  info.m_nMeasuring = 1;
  info.m_nIdFirst = 1;
  info.m_nIdLast = 2500;
  info.m_nIdThird = 2501;
  info.m_stStart = MakeTime(2024, 3, 5, 14, 7, 9);
  info.m_stClock = MakeTime(2024, 3, 6, 1, 2, 3);
  info.m_stNext = MakeTime(2024, 3, 7, 4, 5, 6);
  info.m_nSampling = 600;
  info.m_nSamplingEvent = 60;
  info.m_nSendCount = 6;
  info.m_nSendCountEvent = 1;
  info.m_nBatteryStop = 3600;
  info.m_dRainPerCount = 0.5;
  for (int i = 0; i < CKX2SysInfo::kTextSize; ++i) {
    info.m_szBuild[i] = static_cast<char>('A' + i % 26);
    info.m_szSerial[i] = static_cast<char>('a' + i % 26);
  }
  info.m_szBuild[3] = '\0';
  info.m_szSerial[0] = '\0';
  info.m_alarm[0] = MakeAlarm(1, 10.0, 90, 1);
  info.m_alarm[1] = MakeAlarm(2, 0.0, -30, 0);
  return info;
}

CKX2MailInfo FilledMailInfo() {
  CKX2MailInfo mail;
  mail.m_strApn = " my.apn";
  mail.m_strUser = "user";
  mail.m_strPassword = "pass";
  mail.m_strAuth = "CHAP";
  mail.m_strImei = "490154203237518";
  mail.m_strMyDial = "*99#";
  mail.m_strHost = "example.invalid";
  mail.m_strPort = "8080";
  mail.m_strPost = "/rain";
  return mail;
}

CSettingWorkData FilledWorkData() {
  CSettingWorkData work;
  work.m_flags[3] = 1;
  work.m_flags[22] = 0xFFFF;
  work.m_sysInfo = FilledSysInfo();
  work.m_mailInfo = FilledMailInfo();
  return work;
}

}  // namespace

TEST(Records, SysInfoAssignmentCopiesEverythingWhole) {
  CKX2SysInfo source = FilledSysInfo();
  const CKX2SysInfo expected = FilledSysInfo();
  CKX2SysInfo copy;
  CKX2SysInfo& result = (copy = source);
  EXPECT_EQ(&result, &copy);
  EXPECT_EQ(copy, expected);
  EXPECT_EQ(CKX2SysInfo(source), expected);

  // The copy's alarms and texts are its own.
  source.m_alarm[0].m_dThreshold = 99.0;
  source.m_szBuild[0] = 'Z';
  EXPECT_EQ(copy, expected);

  CKX2SysInfo& self = copy;
  copy = self;
  EXPECT_EQ(copy, expected);
}

TEST(Records, MailInfoAssignmentCopiesTheNineTexts) {
  const CKX2MailInfo source = FilledMailInfo();
  CKX2MailInfo copy;
  copy.m_strHost = "old";
  EXPECT_EQ(&(copy = source), &copy);
  EXPECT_EQ(copy, FilledMailInfo());
  EXPECT_EQ(CKX2MailInfo(source), FilledMailInfo());
}

TEST(Records, WorkDataAssignmentCopiesFlagsAndBothRecords) {
  for (const uint16_t flag : CSettingWorkData().m_flags) EXPECT_EQ(flag, 0);
  CSettingWorkData source = FilledWorkData();
  CSettingWorkData copy;
  copy.m_flags[0] = 1;
  EXPECT_EQ(&(copy = source), &copy);
  EXPECT_EQ(copy, FilledWorkData());
  EXPECT_EQ(CSettingWorkData(source), FilledWorkData());

  source.m_mailInfo.m_strApn = "other";
  source.m_sysInfo.m_szSerial[63] = 'x';
  EXPECT_EQ(copy, FilledWorkData());

  CSettingWorkData& self = copy;
  copy = self;
  EXPECT_EQ(copy, FilledWorkData());
}

// The tests compare whole records, so the comparison itself must see every
// member, bytes behind a text's NUL included.
TEST(Records, ComparisonSeesEveryMemberAndEveryTextByte) {
  const std::function<void(CSettingWorkData&)> changes[] = {
      [](CSettingWorkData& w) { w.m_flags[22] = 1; },
      [](CSettingWorkData& w) { w.m_sysInfo.m_nKind = 8; },
      [](CSettingWorkData& w) { w.m_sysInfo.m_nIdThird = 0; },
      [](CSettingWorkData& w) { w.m_sysInfo.m_stNext.m_nSecond = 7; },
      [](CSettingWorkData& w) { w.m_sysInfo.m_nSendCountEvent = 2; },
      [](CSettingWorkData& w) { w.m_sysInfo.m_szBuild[63] = '\0'; },  // behind the NUL
      [](CSettingWorkData& w) { w.m_sysInfo.m_szSerial[1] = '?'; },   // behind the NUL
      [](CSettingWorkData& w) { w.m_sysInfo.m_dRainPerCount = 0.25; },
      [](CSettingWorkData& w) { w.m_sysInfo.m_alarm[1].m_nEnable = 1; },
      [](CSettingWorkData& w) { w.m_sysInfo.m_alarm[0].m_dThreshold = 10.5; },
      [](CSettingWorkData& w) { w.m_mailInfo.m_strPost += " "; },
      [](CSettingWorkData& w) { w.m_mailInfo.m_strMyDial.clear(); },
  };
  int n = 0;
  for (const auto& change : changes) {
    CSettingWorkData changed = FilledWorkData();
    change(changed);
    EXPECT_NE(changed, FilledWorkData()) << "change " << n++;
  }
}
