#pragma once
// A work record with a distinct value in every field the settings file
// carries, and a clock, for the file tests.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <ctime>
#include <set>
#include <string>

#include "settings/SettingSelect.h"
#include "settings/SettingWorkData.h"

inline void SetAlarm(CAlmRainInfo& alarm, int32_t no, double threshold, int32_t period, int32_t enable) {
  alarm.m_nNo = no;
  alarm.m_dThreshold = threshold;
  alarm.m_nPeriod = period;
  alarm.m_nEnable = enable;
}

inline void SetTime(CSdlTime& t, int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute, int32_t second) {
  t.m_nYear = year;
  t.m_nMonth = month;
  t.m_nDay = day;
  t.m_nHour = hour;
  t.m_nMinute = minute;
  t.m_nSecond = second;
}

// The measurement schedule: measuring, sampling, send count, event sampling, event send count.
inline void SetSchedule(CKX2SysInfo& sys, int32_t measuring, int32_t sampling, int32_t count, int32_t samplingEvent,
                        int32_t countEvent) {
  sys.m_nMeasuring = measuring;
  sys.m_nSampling = sampling;
  sys.m_nSendCount = count;
  sys.m_nSamplingEvent = samplingEvent;
  sys.m_nSendCountEvent = countEvent;
}

inline void SetAccessPoint(CKX2MailInfo& mail, const char* apn, const char* user, const char* password,
                           const char* auth, const char* imei) {
  mail.m_strApn = apn;
  mail.m_strUser = user;
  mail.m_strPassword = password;
  mail.m_strAuth = auth;
  mail.m_strImei = imei;
}

inline CSettingWorkData FullRecord() {
  CSettingWorkData work;
  CKX2SysInfo& sys = work.m_sysInfo;
  sys.m_dRainPerCount = 0.5;
  sys.m_nBatteryStop = 3600;
  SetAlarm(sys.m_alarm[0], 7, 10.0, 90, 1);  // the file names alarms by position, not by number
  SetAlarm(sys.m_alarm[1], 0, 5.25, 14400, 0);
  SetTime(sys.m_stStart, 2027, 3, 5, 7, 8, 9);
  SetSchedule(sys, 1, 600, 6, 60, 240);
  SetAccessPoint(work.m_mailInfo, "soracom.io", "sora", "p@ss-w0rd!", "CHAP", "356938035643809");
  return work;
}

inline std::tm FixedClock() {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 12 - 1;
  t.tm_mday = 8;
  t.tm_hour = 9;
  t.tm_min = 30;
  t.tm_sec = 11;
  return t;
}

inline CSettingSelect FileSelection() {
  CSettingSelect select;
  select.Init(0, 1);
  return select;
}

inline std::set<int> Flagged(const CSettingWorkData& work) {
  std::set<int> items;
  for (int i = 0; i < kSettingItemCount; ++i)
    if (work.m_flags[i] != 0) items.insert(i);
  return items;
}

// The fields one settings-file item carries are equal in both records.
inline void ExpectItemFields(int item, const CSettingWorkData& got, const CSettingWorkData& want) {
  SCOPED_TRACE("item " + std::to_string(item));
  const CKX2SysInfo& g = got.m_sysInfo;
  const CKX2SysInfo& w = want.m_sysInfo;
  switch (item) {
    case 3:
      EXPECT_EQ(g.m_dRainPerCount, w.m_dRainPerCount);
      break;
    case 6:
      EXPECT_EQ(g.m_nBatteryStop, w.m_nBatteryStop);
      break;
    case 11:
      EXPECT_EQ(got.m_mailInfo.m_strApn, want.m_mailInfo.m_strApn);
      EXPECT_EQ(got.m_mailInfo.m_strUser, want.m_mailInfo.m_strUser);
      EXPECT_EQ(got.m_mailInfo.m_strPassword, want.m_mailInfo.m_strPassword);
      EXPECT_EQ(got.m_mailInfo.m_strAuth, want.m_mailInfo.m_strAuth);
      break;
    case 21:
      for (int n = 0; n < 2; ++n) {
        EXPECT_EQ(g.m_alarm[n].m_nNo, w.m_alarm[n].m_nNo) << n;
        EXPECT_EQ(g.m_alarm[n].m_dThreshold, w.m_alarm[n].m_dThreshold) << n;
        EXPECT_EQ(g.m_alarm[n].m_nPeriod, w.m_alarm[n].m_nPeriod) << n;
        EXPECT_EQ(g.m_alarm[n].m_nEnable, w.m_alarm[n].m_nEnable) << n;
      }
      break;
    case 22: {
      const CSdlTime& gs = g.m_stStart;
      const CSdlTime& ws = w.m_stStart;
      EXPECT_EQ(g.m_nMeasuring, w.m_nMeasuring);
      EXPECT_EQ((std::array{gs.m_nYear, gs.m_nMonth, gs.m_nDay, gs.m_nHour, gs.m_nMinute, gs.m_nSecond}),
                (std::array{ws.m_nYear, ws.m_nMonth, ws.m_nDay, ws.m_nHour, ws.m_nMinute, ws.m_nSecond}));
      EXPECT_EQ(g.m_nSampling, w.m_nSampling);
      EXPECT_EQ(g.m_nSendCount, w.m_nSendCount);
      EXPECT_EQ(g.m_nSamplingEvent, w.m_nSamplingEvent);
      EXPECT_EQ(g.m_nSendCountEvent, w.m_nSendCountEvent);
      break;
    }
    default:
      ADD_FAILURE() << "no file lines";
  }
}

constexpr int kFileItems[] = {3, 6, 11, 21, 22};
