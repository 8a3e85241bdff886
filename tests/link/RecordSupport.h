#pragma once
// Building and printing logger records in tests. The printers give gtest
// readable output, so a failed whole-record comparison shows the members
// instead of a dump of bytes.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>

#include "link/AlmRainInfo.h"
#include "link/KX2MailInfo.h"
#include "link/KX2SysInfo.h"
#include "link/SdlTime.h"
#include "link/SettingWorkData.h"

inline CSdlTime MakeTime(int y, int mo, int d, int h, int mi, int s) {
  CSdlTime t;
  t.m_nYear = y;
  t.m_nMonth = mo;
  t.m_nDay = d;
  t.m_nHour = h;
  t.m_nMinute = mi;
  t.m_nSecond = s;
  return t;
}

inline CAlmRainInfo MakeAlarm(int32_t no, double threshold, int32_t period, int32_t enable) {
  CAlmRainInfo alarm;
  alarm.m_nNo = no;
  alarm.m_dThreshold = threshold;
  alarm.m_nPeriod = period;
  alarm.m_nEnable = enable;
  return alarm;
}

inline void PrintTo(const CSdlTime& t, std::ostream* os) {
  char text[96];
  std::snprintf(text, sizeof text, "%d-%02d-%02d %02d:%02d:%02d", t.m_nYear, t.m_nMonth, t.m_nDay, t.m_nHour,
                t.m_nMinute, t.m_nSecond);
  *os << text;
}

inline void PrintTo(const CAlmRainInfo& a, std::ostream* os) {
  *os << "{no " << a.m_nNo << ", " << a.m_dThreshold << " mm, " << a.m_nPeriod << " min, enable " << a.m_nEnable << "}";
}

// The text up to its NUL; bytes behind it count in comparisons, so they are
// shown when there are any.
inline std::string RecordText(const char (&text)[CKX2SysInfo::kTextSize]) {
  const std::size_t length = strnlen(text, sizeof text);
  std::string out = ::testing::PrintToString(std::string(text, length));
  for (std::size_t i = length; i < sizeof text; ++i) {
    if (text[i] != '\0') {
      out += " +" + ::testing::PrintToString(std::string(text + length, sizeof text - length));
      break;
    }
  }
  return out;
}

inline void PrintTo(const CKX2SysInfo& s, std::ostream* os) {
  *os << "{kind " << s.m_nKind << ", measuring " << s.m_nMeasuring << ", id " << s.m_nIdFirst << "-" << s.m_nIdLast
      << " (" << s.m_nIdThird << "), start ";
  PrintTo(s.m_stStart, os);
  *os << ", clock ";
  PrintTo(s.m_stClock, os);
  *os << ", next ";
  PrintTo(s.m_stNext, os);
  *os << ", sampling " << s.m_nSampling << "/" << s.m_nSamplingEvent << " s, send " << s.m_nSendCount << "/"
      << s.m_nSendCountEvent << ", battery " << s.m_nBatteryStop << " mV, build " << RecordText(s.m_szBuild)
      << ", serial " << RecordText(s.m_szSerial) << ", rain " << s.m_dRainPerCount << " mm, alarms ";
  PrintTo(s.m_alarm[0], os);
  *os << " ";
  PrintTo(s.m_alarm[1], os);
  *os << "}";
}

inline void PrintTo(const CKX2MailInfo& m, std::ostream* os) {
  using ::testing::PrintToString;
  *os << "{apn " << PrintToString(m.m_strApn) << ", user " << PrintToString(m.m_strUser) << ", password "
      << PrintToString(m.m_strPassword) << ", auth " << PrintToString(m.m_strAuth) << ", imei "
      << PrintToString(m.m_strImei) << ", mydial " << PrintToString(m.m_strMyDial) << ", host "
      << PrintToString(m.m_strHost) << ", port " << PrintToString(m.m_strPort) << ", post "
      << PrintToString(m.m_strPost) << "}";
}

inline void PrintTo(const CSettingWorkData& w, std::ostream* os) {
  *os << "{flags";
  for (int i = 0; i < kSettingItemCount; ++i) {
    if (w.m_flags[i] != 0) *os << " [" << i << "]=" << w.m_flags[i];
  }
  *os << ", system ";
  PrintTo(w.m_sysInfo, os);
  *os << ", network ";
  PrintTo(w.m_mailInfo, os);
  *os << "}";
}
