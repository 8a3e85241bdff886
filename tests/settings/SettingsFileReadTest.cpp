#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SettingsFileSupport.h"
#include "settings/KXCSettingWork.h"

namespace {

using W = CKXCSettingWork;

// The record the reader starts from: the logger's values, all different from
// FullRecord's and all in range.
CSettingWorkData Before() {
  CSettingWorkData work;
  work.m_flags[0] = 1;
  CKX2SysInfo& sys = work.m_sysInfo;
  sys.m_nKind = 5;
  sys.m_szSerial[0] = 'S';
  sys.m_dRainPerCount = 1.0;
  sys.m_nBatteryStop = 4000;
  SetAlarm(sys.m_alarm[0], 1, 3.0, 60, 1);
  SetAlarm(sys.m_alarm[1], 2, 3.0, 60, 1);
  SetTime(sys.m_stStart, 2025, 1, 2, 3, 4, 5);
  SetSchedule(sys, 0, 120, 1, 180, 2);
  SetAccessPoint(work.m_mailInfo, "old.apn", "olduser", "oldpass", "PAP", "old-imei");
  return work;
}

// FullRecord as the reader gives it back: alarms numbered by position.
CSettingWorkData FullRecordRead() {
  CSettingWorkData work = FullRecord();
  work.m_sysInfo.m_alarm[0].m_nNo = 1;
  work.m_sysInfo.m_alarm[1].m_nNo = 2;
  return work;
}

std::string Exported() {
  std::string file;
  EXPECT_EQ(W::WriteFileText(FullRecord(), FileSelection(), FixedClock(), file), W::kWriteDone);
  return file;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

constexpr char kHeader[] = "[XEV_RAIN_GAUGE]\r\n";

}  // namespace

TEST(SettingsFileRead, RoundTripCarriesEveryField) {
  CSettingWorkData read = Before();
  ASSERT_EQ(W::ParseFileText(Exported(), read), W::kReadDone);
  EXPECT_EQ(Flagged(read), (std::set<int>{3, 6, 11, 21, 22}));
  for (int item : kFileItems) ExpectItemFields(item, read, FullRecordRead());
  // The DATE and IMEI lines, and what the file does not carry, change nothing.
  EXPECT_EQ(read.m_mailInfo.m_strImei, "old-imei");
  EXPECT_EQ(read.m_sysInfo.m_nKind, 5);
  EXPECT_EQ(read.m_sysInfo.m_szSerial[0], 'S');

  CSettingSelect select = FileSelection();
  W::KeepReadItems(select, read);
  for (int i = 0; i < kSettingItemCount; ++i) {
    EXPECT_EQ(select.m_item[i].available, read.m_flags[i] != 0 ? 1 : 0) << i;
    EXPECT_EQ(select.m_item[i].checked, select.m_item[i].available) << i;
  }

  // And once more through the writer: the same bytes.
  std::string again;
  ASSERT_EQ(W::WriteFileText(read, FileSelection(), FixedClock(), again), W::kWriteDone);
  EXPECT_EQ(again, Replace(Exported(), "IMEI,356938035643809", "IMEI,old-imei"));
}

TEST(SettingsFileRead, MalformedFiles) {
  struct Case {
    std::string name;
    std::string text;
    int result;
    std::set<int> flags;
    std::function<void(const CSettingWorkData&)> check;
  };
  const std::string full = Exported();
  const std::set<int> all{3, 6, 11, 21, 22};
  const CSettingWorkData before = Before();
  auto kept = [&](std::vector<int> items) {
    return [&before, items](const CSettingWorkData& r) {
      for (int item : items) ExpectItemFields(item, r, before);
    };
  };
  auto taken = [](std::vector<int> items) {
    return [items](const CSettingWorkData& r) {
      for (int item : items) ExpectItemFields(item, r, FullRecordRead());
    };
  };
  auto zeroAlarms = [](const CSettingWorkData& r) {
    for (const CAlmRainInfo& a : r.m_sysInfo.m_alarm) {
      EXPECT_EQ(a.m_nNo, 0);
      EXPECT_EQ(a.m_dThreshold, 0.0);
      EXPECT_EQ(a.m_nPeriod, 0);
      EXPECT_EQ(a.m_nEnable, 0);
    }
  };
  auto refused = [&](const CSettingWorkData& r) {
    kept({3, 6, 11, 21, 22})(r);
    EXPECT_EQ(r.m_flags[0], 1);  // not even the flags were cleared
  };
  std::string overLong = full + "REM," + std::string(W::kMaxFileBytes - full.size() - 6, 'x') + "\r\n";
  ASSERT_EQ(overLong.size(), W::kMaxFileBytes);

  std::vector<Case> cases = {
      {"wrong header", "[XEV_RAIN_GAUGE" + full.substr(16), W::kReadNoHeader, {0}, refused},
      {"lower-case header", "[xev_rain_gauge]" + full.substr(16), W::kReadNoHeader, {0}, refused},
      {"byte-order mark", "\xEF\xBB\xBF" + full, W::kReadNoHeader, {0}, refused},
      {"blank before header", " " + full, W::kReadNoHeader, {0}, refused},
      {"empty file", "", W::kReadNoHeader, {0}, refused},
      {"NUL inside header", std::string("[XEV_RAIN\0GAUGE]\r\n", 18), W::kReadNoHeader, {0}, refused},
      {"over-long file", overLong + "x", W::kReadTooLong, {0}, refused},
      {"file of the longest length", overLong, W::kReadDone, all, taken({3, 6, 11, 21, 22})},
      {"header only", kHeader, W::kReadDone, {}, [&](const CSettingWorkData& r) {
         kept({3, 6, 11, 22})(r);
         zeroAlarms(r);
       }},
      {"header without line end", "[XEV_RAIN_GAUGE]//6\r\nBATTERY_ALART,3000\r\n", W::kReadDone, {6},
       [](const CSettingWorkData& r) { EXPECT_EQ(r.m_sysInfo.m_nBatteryStop, 3000); }},
      {"NUL hides the rest", Replace(full, "//21", std::string("\0//21", 5)), W::kReadDone, {3, 6, 11},
       taken({3, 6, 11})},
      {"empty values at line ends",
       std::string(kHeader) + "KXI_RAIN_MMPS,\r\nBATTERY_ALART,\r\nAP_NAME,\r\nAP_USER,newuser\r\nMES_ENABLE,\r\n"
                              "MES_INTERVAL_NUM,9",
       W::kReadDone, {6, 11, 22}, [&](const CSettingWorkData& r) {
         kept({3, 6})(r);
         EXPECT_EQ(r.m_mailInfo.m_strApn, "old.apn");
         EXPECT_EQ(r.m_mailInfo.m_strUser, "newuser");
         EXPECT_EQ(r.m_sysInfo.m_nMeasuring, 0);
         EXPECT_EQ(r.m_sysInfo.m_nSendCount, 9);
       }},
      {"duplicate keys: the first counts", Replace(full, "BATTERY_ALART,3600\r\n", "BATTERY_ALART,3600\r\nBATTERY_ALART,5000\r\n"),
       W::kReadDone, all, taken({6})},
      {"LF-only lines", ReplaceAll(full, "\r\n", "\n"), W::kReadDone, all, taken({3, 6, 11, 21, 22})},
      {"CR-only lines", ReplaceAll(full, "\r\n", "\r"), W::kReadDone, all, taken({3, 6, 11, 21, 22})},
      {"keys inside values",
       std::string(kHeader) + "IMEI,1 KXI_RAIN_MMPS,0.5\r\nDATE,MES_ENABLE,1\r\nAP_NAME,apn\r\nAP_PASS,x BATTERY_ALART,0\r\n",
       W::kReadDone, {}, kept({3, 6, 11, 22})},
      {"key not at a line start", std::string(kHeader) + " BATTERY_ALART,3000\r\nxKXI_RAIN_MMPS,0.5\r\n", W::kReadDone,
       {}, kept({3, 6})},
      {"user without name", std::string(kHeader) + "AP_USER,u\r\n", W::kReadDone, {}, kept({11})},
      {"second alarm only", std::string(kHeader) + "MODULE,x\r\nALM_RAIN,2,10.00,60,1\r\n", W::kReadDone, {21},
       [](const CSettingWorkData& r) {
         EXPECT_EQ(r.m_sysInfo.m_alarm[0].m_nNo, 0);
         EXPECT_EQ(r.m_sysInfo.m_alarm[0].m_dThreshold, 0.0);
         EXPECT_EQ(r.m_sysInfo.m_alarm[1].m_nNo, 2);
         EXPECT_EQ(r.m_sysInfo.m_alarm[1].m_dThreshold, 10.0);
         EXPECT_EQ(r.m_sysInfo.m_alarm[1].m_nPeriod, 60);
         EXPECT_EQ(r.m_sysInfo.m_alarm[1].m_nEnable, 1);
       }},
      {"alarm with an empty field", Replace(full, "ALM_RAIN,1,10.00,90,1", "ALM_RAIN,1,10.00,,1"), W::kReadDone, all,
       [](const CSettingWorkData& r) {
         EXPECT_EQ(r.m_sysInfo.m_alarm[0].m_nNo, 0);
         EXPECT_EQ(r.m_sysInfo.m_alarm[1].m_nPeriod, 14400);
       }},
      {"an unset alarm counts as absent", Replace(full, "ALM_RAIN,2,5.25,14400,0", "ALM_RAIN,2,0.00,0,0"),
       W::kReadDone, all, [](const CSettingWorkData& r) {
         EXPECT_EQ(r.m_sysInfo.m_alarm[0].m_dThreshold, 10.0);
         EXPECT_EQ(r.m_sysInfo.m_alarm[1].m_nNo, 0);
         EXPECT_EQ(r.m_sysInfo.m_alarm[1].m_nPeriod, 0);
       }},
      {"both alarms unset",
       Replace(Replace(full, "ALM_RAIN,2,5.25,14400,0", "ALM_RAIN,2,0.00,0,0"), "ALM_RAIN,1,10.00,90,1",
               "ALM_RAIN,1,0,0,0"),
       W::kReadDone, {3, 6, 11, 22}, zeroAlarms},
      {"no alarm at all", ReplaceAll(full, "ALM_RAIN,", "ALM_RAIN;"), W::kReadDone, {3, 6, 11, 22}, zeroAlarms},
      {"start with other separators", Replace(full, "2027-03-05 07:08:09", "2027/03/05 07-08_09"), W::kReadDone, all,
       taken({22})},
      {"start without time keeps the earlier", Replace(full, "2027-03-05 07:08:09", "2027-03-05"), W::kReadDone, all,
       [&](const CSettingWorkData& r) { EXPECT_EQ(r.m_sysInfo.m_stStart.m_nYear, 2025); }},
      {"start without seconds", Replace(full, "2027-03-05 07:08:09", "2027-03-05 07:08"), W::kReadDone, all,
       [](const CSettingWorkData& r) {
         EXPECT_EQ(r.m_sysInfo.m_stStart.m_nMinute, 8);
         EXPECT_EQ(r.m_sysInfo.m_stStart.m_nSecond, 0);
       }},
  };

  // Values out of range leave their item out and take none of its values;
  // values at the limits are taken.
  const struct {
    const char* from;
    const char* to;
    int item;
    bool accepted;
  } ranges[] = {
      {"KXI_RAIN_MMPS,0.50", "KXI_RAIN_MMPS,0.00", 3, false},
      {"KXI_RAIN_MMPS,0.50", "KXI_RAIN_MMPS,2.01", 3, false},
      {"KXI_RAIN_MMPS,0.50", "KXI_RAIN_MMPS,nan", 3, false},
      {"KXI_RAIN_MMPS,0.50", "KXI_RAIN_MMPS,0.01", 3, true},
      {"KXI_RAIN_MMPS,0.50", "KXI_RAIN_MMPS, 2.00 mm", 3, true},
      {"BATTERY_ALART,3600", "BATTERY_ALART,2399", 6, false},
      {"BATTERY_ALART,3600", "BATTERY_ALART,99999999999", 6, false},
      {"BATTERY_ALART,3600", "BATTERY_ALART,V", 6, false},
      {"BATTERY_ALART,3600", "BATTERY_ALART,12000", 6, true},
      {"AP_NAME,soracom.io", "AP_NAME,sora com", 11, false},
      {"AP_USER,sora", "AP_USER,\xEF\xBD\x93ora", 11, false},  // full-width s
      {"AP_PASS,p@ss-w0rd!", "AP_PASS,a,b", 11, false},
      {"AP_AUTH,CHAP", "AP_AUTH,\xFF", 11, false},
      {"AP_PASS,p@ss-w0rd!", "AP_PASS,!\"#$%&'*+-./=?@^_{|}~\xEF\xBD\xB1", 11, true},  // half-width kana
      {"ALM_RAIN,1,10.00,90,1", "ALM_RAIN,1,0.00,90,1", 21, false},
      {"ALM_RAIN,2,5.25,14400,0", "ALM_RAIN,2,1000.00,60,0", 21, false},
      {"ALM_RAIN,1,10.00,90,1", "ALM_RAIN,1,10.00,0,1", 21, false},
      {"ALM_RAIN,2,5.25,14400,0", "ALM_RAIN,2,5.25,14401,0", 21, false},
      {"ALM_RAIN,1,10.00,90,1", "ALM_RAIN,1,10.00,90,2", 21, false},
      {"ALM_RAIN,1,10.00,90,1", "ALM_RAIN,1,999.99,1,1", 21, true},
      {"MES_ENABLE,1", "MES_ENABLE,2", 22, false},
      {"MES_INTERVAL_TIME,600", "MES_INTERVAL_TIME,59", 22, false},
      {"MES_INTERVAL_TIME,600", "MES_INTERVAL_TIME,864001", 22, false},
      {"MES_INTERVAL_TIME,600", "MES_INTERVAL_TIME,864000", 22, true},
      {"MES_INTERVAL_NUM,6", "MES_INTERVAL_NUM,241", 22, false},
      {"MES_INTERVAL_NUM,6", "MES_INTERVAL_NUM,-1", 22, false},
      {"MES_INTERVAL_NUM,6", "MES_INTERVAL_NUM,0", 22, true},
      {"MES_INTERVAL_EVENT_TIME,60", "MES_INTERVAL_EVENT_TIME,0", 22, false},
      {"MES_INTERVAL_EVENT_NUM,240", "MES_INTERVAL_EVENT_NUM,abc", 22, false},
      {"2027-03-05 07:08:09", "2027-13-05 07:08:09", 22, false},
      {"2027-03-05 07:08:09", "2027-02-29 07:08:09", 22, false},
      {"2027-03-05 07:08:09", "1999-12-31 07:08:09", 22, false},
      {"2027-03-05 07:08:09", "27-03-05 07:08:09", 22, false},
      {"2027-03-05 07:08:09", "2027-03-05 24:00:00", 22, false},
      {"2027-03-05 07:08:09", "2027-03-05 07:60:09", 22, false},
      {"2027-03-05 07:08:09", "2028-02-29 23:59:59", 22, true},
  };
  for (const auto& r : ranges) {
    std::set<int> flags = all;
    if (!r.accepted) flags.erase(r.item);
    const int item = r.item;
    auto check = r.accepted ? std::function<void(const CSettingWorkData&)>()
                            : [&before, item, zeroAlarms](const CSettingWorkData& read) {
                                if (item == 21) zeroAlarms(read);
                                else ExpectItemFields(item, read, before);
                              };
    cases.push_back({std::string("range ") + r.to, Replace(full, r.from, r.to), W::kReadDone, flags, check});
  }

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CSettingWorkData read = before;
    EXPECT_EQ(W::ParseFileText(c.text, read), c.result);
    EXPECT_EQ(Flagged(read), c.flags);
    if (c.check) c.check(read);
  }
}

TEST(SettingsFileRead, HelpersOnTheirOwn) {
  std::string value = "stale";
  EXPECT_EQ(W::GetKeyValue("A,1\r\nKEY, v \r\n", "KEY", value), 3);
  EXPECT_EQ(value, " v ");
  EXPECT_EQ(W::GetKeyValue("KEYS,1\nKEY", "KEY", value), -1);
  EXPECT_EQ(value, "");

  std::vector<std::string> list{"kept"};
  EXPECT_EQ(W::SplitComma(list, ",a,,b c,"), 3);
  EXPECT_EQ(list, (std::vector<std::string>{"kept", "a", "b c"}));

  CSdlTime t;
  EXPECT_TRUE(W::ParseDateTime(t, "  2027::03//05 x7"));
  EXPECT_EQ((std::array{t.m_nYear, t.m_nMonth, t.m_nDay, t.m_nHour, t.m_nMinute, t.m_nSecond}),
            (std::array{2027, 3, 5, 0, 0, 0}));
  for (const char* noTime : {"", "   ", "2027-03-05", "2027-03-05 "}) EXPECT_FALSE(W::ParseDateTime(t, noTime)) << noTime;
}
