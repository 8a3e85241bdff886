#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>

#include "link/AlmRainInfo.h"
#include "link/KX2MailInfo.h"
#include "link/KX2SysInfo.h"
#include "link/SdlTime.h"

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

CSdlTime Make(int y, int mo, int d, int h, int mi, int s) {
  CSdlTime t;
  t.m_nYear = y;
  t.m_nMonth = mo;
  t.m_nDay = d;
  t.m_nHour = h;
  t.m_nMinute = mi;
  t.m_nSecond = s;
  return t;
}

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

void ExpectFields(const CSdlTime& t, int y, int mo, int d, int h, int mi, int s) {
  EXPECT_EQ(t.m_nYear, y);
  EXPECT_EQ(t.m_nMonth, mo);
  EXPECT_EQ(t.m_nDay, d);
  EXPECT_EQ(t.m_nHour, h);
  EXPECT_EQ(t.m_nMinute, mi);
  EXPECT_EQ(t.m_nSecond, s);
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
    ExpectFields(t, c.y, c.mo, c.d, c.h, c.mi, c.s);
  }
}

TEST(SdlTime, ShortTextChangesNothing) {
  CSdlTime t = Make(2020, 1, 2, 3, 4, 5);
  EXPECT_EQ(t.SetFromString("24/03/05 14:07:0"), 0);
  EXPECT_EQ(t.SetFromString(""), 0);
  EXPECT_EQ(t.SetFromString(nullptr), 0);
  ExpectFields(t, 2020, 1, 2, 3, 4, 5);
}

TEST(SdlTime, NewAndCopied) {
  CSdlTime t;
  ExpectFields(t, 0, 0, 0, 0, 0, 0);
  CSdlTime u;
  u = Make(2024, 3, 5, 14, 7, 9);
  t = u;
  ExpectFields(t, 2024, 3, 5, 14, 7, 9);
}

TEST(SdlTime, GetTimeClampsIntoTheCalendar) {
  ZoneGuard zone("UTC");
  EXPECT_EQ(CSdlTime().GetTime(), Utc(1971, 1, 1, 0, 0, 0));
  EXPECT_EQ(Make(2024, 3, 5, 14, 7, 9).GetTime(), Utc(2024, 3, 5, 14, 7, 9));
  // Day 35 keeps its low five bits (3); hour 25 and minute 61 wrap.
  EXPECT_EQ(Make(2024, 3, 35, 25, 61, 0).GetTime(), Utc(2024, 3, 3, 1, 1, 0));
  // A negative hour keeps its sign and counts back into the previous day.
  EXPECT_EQ(Make(2024, 3, 5, -1, 0, 0).GetTime(), Utc(2024, 3, 4, 23, 0, 0));
  EXPECT_EQ(Make(1900, -4, -9, 0, 0, 0).GetTime(), Utc(1971, 1, 1, 0, 0, 0));
  EXPECT_EQ(Make(5024, 3, 5, 0, 0, 0).GetTime(), Utc(2024, 3, 5, 0, 0, 0));
  // A day past the month's end rolls over, as the conversion does.
  EXPECT_EQ(Make(2023, 2, 30, 0, 0, 0).GetTime(), Utc(2023, 3, 2, 0, 0, 0));
}

TEST(SdlTime, GetTimeOutsideTheCalendarStillGivesAValue) {
  ZoneGuard zone("UTC");
  // Month 13 folds to 0, day 32 to 0: both count back one step.
  EXPECT_EQ(Make(2024, 13, 5, 0, 0, 0).GetTime(), Utc(2023, 12, 5, 0, 0, 0));
  EXPECT_EQ(Make(2024, 3, 32, 0, 0, 0).GetTime(), Utc(2024, 2, 29, 0, 0, 0));
  // Extreme fields must not end the caller's operation.
  Make(INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX).GetTime();
  Make(INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN).GetTime();
  Make(3999, 12, 31, -23, -59, -59).GetTime();
}

TEST(SdlTime, GetTimeFollowsDaylightSaving) {
  ZoneGuard zone("Europe/Berlin");
  // Summer: local 12:00 is 10:00 UTC (CEST), not 11:00.
  EXPECT_EQ(Make(2024, 7, 1, 12, 0, 0).GetTime(), Utc(2024, 7, 1, 10, 0, 0));
  EXPECT_EQ(Make(2024, 1, 15, 12, 0, 0).GetTime(), Utc(2024, 1, 15, 11, 0, 0));
  // Around the change in spring: 01:59:59 CET, 03:00 CEST one second later.
  EXPECT_EQ(Make(2024, 3, 31, 3, 0, 0).GetTime() - Make(2024, 3, 31, 1, 59, 59).GetTime(), 1);
  // A difference of local times across the change is the real elapsed time.
  EXPECT_EQ(Make(2024, 4, 1, 0, 0, 0).GetTime() - Make(2024, 3, 31, 0, 0, 0).GetTime(), 23 * 3600);
}

TEST(SdlTime, ZonesWithoutDaylightSavingAreUnchanged) {
  for (const char* name : {"Asia/Tokyo", "UTC"}) {
    ZoneGuard zone(name);
    for (const CSdlTime& t : {Make(2024, 1, 15, 12, 0, 0), Make(2024, 7, 1, 12, 0, 0), Make(1971, 1, 1, 0, 0, 0),
                              Make(2099, 12, 31, 23, 59, 59)}) {
      EXPECT_EQ(t.GetTime(), StandardTime(t)) << name;
    }
  }
  ZoneGuard zone("Asia/Tokyo");
  EXPECT_EQ(Make(2024, 3, 5, 14, 7, 9).GetTime(), Utc(2024, 3, 5, 5, 7, 9));
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
  ExpectFields(info.m_stStart, 0, 0, 0, 0, 0, 0);
  for (const CAlmRainInfo& a : info.m_alarm) {
    EXPECT_EQ(a.m_nNo, 0);
    EXPECT_EQ(a.m_dThreshold, 0.0);
    EXPECT_EQ(a.m_nPeriod, 0);
    EXPECT_EQ(a.m_nEnable, 0);
  }
  const CKX2MailInfo mail;
  EXPECT_TRUE(mail.m_strApn.empty() && mail.m_strImei.empty() && mail.m_strPost.empty());
}

TEST(Records, SysInfoAssignmentCopiesEverythingWhole) {
  CKX2SysInfo source;
  source.m_nKind = 7;
  source.m_nMeasuring = 1;
  source.m_nIdFirst = 1;
  source.m_nIdLast = 2500;
  source.m_nIdThird = 2501;
  source.m_stStart = Make(2024, 3, 5, 14, 7, 9);
  source.m_stClock = Make(2024, 3, 6, 1, 2, 3);
  source.m_stNext = Make(2024, 3, 7, 4, 5, 6);
  source.m_nSampling = 600;
  source.m_nSamplingEvent = 60;
  source.m_nSendCount = 6;
  source.m_nSendCountEvent = 1;
  source.m_nBatteryStop = 3600;
  source.m_dRainPerCount = 0.5;
  // Bytes behind the NUL travel too.
  for (int i = 0; i < CKX2SysInfo::kTextSize; ++i) {
    source.m_szBuild[i] = static_cast<char>('A' + i % 26);
    source.m_szSerial[i] = static_cast<char>('a' + i % 26);
  }
  source.m_szBuild[3] = '\0';
  source.m_szSerial[0] = '\0';
  source.m_alarm[0].m_nNo = 1;
  source.m_alarm[0].m_dThreshold = 10.0;
  source.m_alarm[0].m_nPeriod = 90;
  source.m_alarm[0].m_nEnable = 1;
  source.m_alarm[1].m_nNo = 2;
  source.m_alarm[1].m_nPeriod = -30;

  CKX2SysInfo copy;
  CKX2SysInfo& result = (copy = source);
  EXPECT_EQ(&result, &copy);
  const CKX2SysInfo constructed(source);
  for (const CKX2SysInfo* c : {static_cast<const CKX2SysInfo*>(&copy), &constructed}) {
    EXPECT_EQ(c->m_nKind, 7);
    EXPECT_EQ(c->m_nMeasuring, 1);
    EXPECT_EQ(c->m_nIdFirst, 1);
    EXPECT_EQ(c->m_nIdLast, 2500);
    EXPECT_EQ(c->m_nIdThird, 2501);
    ExpectFields(c->m_stStart, 2024, 3, 5, 14, 7, 9);
    ExpectFields(c->m_stClock, 2024, 3, 6, 1, 2, 3);
    ExpectFields(c->m_stNext, 2024, 3, 7, 4, 5, 6);
    EXPECT_EQ(c->m_nSampling, 600);
    EXPECT_EQ(c->m_nSamplingEvent, 60);
    EXPECT_EQ(c->m_nSendCount, 6);
    EXPECT_EQ(c->m_nSendCountEvent, 1);
    EXPECT_EQ(c->m_nBatteryStop, 3600);
    EXPECT_EQ(c->m_dRainPerCount, 0.5);
    EXPECT_EQ(std::memcmp(c->m_szBuild, source.m_szBuild, CKX2SysInfo::kTextSize), 0);
    EXPECT_EQ(std::memcmp(c->m_szSerial, source.m_szSerial, CKX2SysInfo::kTextSize), 0);
    EXPECT_EQ(c->m_alarm[0].m_nNo, 1);
    EXPECT_EQ(c->m_alarm[0].m_dThreshold, 10.0);
    EXPECT_EQ(c->m_alarm[0].m_nPeriod, 90);
    EXPECT_EQ(c->m_alarm[0].m_nEnable, 1);
    EXPECT_EQ(c->m_alarm[1].m_nNo, 2);
    EXPECT_EQ(c->m_alarm[1].m_nPeriod, -30);
  }

  // The copy's alarms and texts are its own.
  source.m_alarm[0].m_dThreshold = 99.0;
  source.m_szBuild[0] = 'Z';
  EXPECT_EQ(copy.m_alarm[0].m_dThreshold, 10.0);
  EXPECT_EQ(copy.m_szBuild[0], 'A');

  CKX2SysInfo& self = copy;
  copy = self;
  EXPECT_EQ(copy.m_nIdLast, 2500);
  EXPECT_EQ(copy.m_szBuild[10], 'K');
}

TEST(Records, MailInfoAssignmentCopiesTheNineTexts) {
  CKX2MailInfo source;
  source.m_strApn = " my.apn";
  source.m_strUser = "user";
  source.m_strPassword = "pass";
  source.m_strAuth = "CHAP";
  source.m_strImei = "490154203237518";
  source.m_strMyDial = "*99#";
  source.m_strHost = "example.invalid";
  source.m_strPort = "8080";
  source.m_strPost = "/rain";
  CKX2MailInfo copy;
  copy.m_strHost = "old";
  EXPECT_EQ(&(copy = source), &copy);
  EXPECT_EQ(copy.m_strApn, " my.apn");
  EXPECT_EQ(copy.m_strUser, "user");
  EXPECT_EQ(copy.m_strPassword, "pass");
  EXPECT_EQ(copy.m_strAuth, "CHAP");
  EXPECT_EQ(copy.m_strImei, "490154203237518");
  EXPECT_EQ(copy.m_strMyDial, "*99#");
  EXPECT_EQ(copy.m_strHost, "example.invalid");
  EXPECT_EQ(copy.m_strPort, "8080");
  EXPECT_EQ(copy.m_strPost, "/rain");
  const CKX2MailInfo constructed(source);
  EXPECT_EQ(constructed.m_strPost, "/rain");
}
