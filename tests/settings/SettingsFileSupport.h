#pragma once
// A work record with a distinct value in every field the settings file
// carries, and a clock, for the file tests.

#include <cstdint>
#include <ctime>
#include <set>

#include "link/SettingWorkData.h"
#include "settings/SettingSelect.h"
#include "tests/link/RecordSupport.h"

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
  sys.m_alarm[0] = MakeAlarm(7, 10.0, 90, 1);  // the file names alarms by position, not by number
  sys.m_alarm[1] = MakeAlarm(0, 5.25, 14400, 0);
  sys.m_stStart = MakeTime(2027, 3, 5, 7, 8, 9);
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

// Copies the fields that one settings-file item carries.
inline void CopyItem(int item, CSettingWorkData& to, const CSettingWorkData& from) {
  CKX2SysInfo& t = to.m_sysInfo;
  const CKX2SysInfo& f = from.m_sysInfo;
  switch (item) {
    case 3:
      t.m_dRainPerCount = f.m_dRainPerCount;
      break;
    case 6:
      t.m_nBatteryStop = f.m_nBatteryStop;
      break;
    case 11:
      to.m_mailInfo.m_strApn = from.m_mailInfo.m_strApn;
      to.m_mailInfo.m_strUser = from.m_mailInfo.m_strUser;
      to.m_mailInfo.m_strPassword = from.m_mailInfo.m_strPassword;
      to.m_mailInfo.m_strAuth = from.m_mailInfo.m_strAuth;
      break;
    case 21:
      t.m_alarm[0] = f.m_alarm[0];
      t.m_alarm[1] = f.m_alarm[1];
      break;
    case 22:
      t.m_nMeasuring = f.m_nMeasuring;
      t.m_stStart = f.m_stStart;
      t.m_nSampling = f.m_nSampling;
      t.m_nSendCount = f.m_nSendCount;
      t.m_nSamplingEvent = f.m_nSamplingEvent;
      t.m_nSendCountEvent = f.m_nSendCountEvent;
      break;
  }
}
