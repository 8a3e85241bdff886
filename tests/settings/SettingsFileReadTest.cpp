#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "SettingsFileSupport.h"
#include "settings/KXCSettingWork.h"

namespace {

using W = CKXCSettingWork;

constexpr int kFileItems[] = {3, 6, 11, 21, 22};

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
  sys.m_alarm[0] = MakeAlarm(1, 3.0, 60, 1);
  sys.m_alarm[1] = MakeAlarm(2, 3.0, 60, 1);
  sys.m_stStart = MakeTime(2025, 1, 2, 3, 4, 5);
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

// What a read that took the given items of FullRecord's export leaves: the
// rest as before, except the alarms, which a read always starts from zero.
CSettingWorkData Taken(std::vector<int> items) {
  CSettingWorkData work = Before();
  for (uint16_t& flag : work.m_flags) flag = 0;
  work.m_sysInfo.m_alarm[0] = CAlmRainInfo();
  work.m_sysInfo.m_alarm[1] = CAlmRainInfo();
  for (int item : items) {
    CopyItem(item, work, FullRecordRead());
    work.m_flags[item] = 1;
  }
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
  // Every carried field taken; the DATE and IMEI lines and every field the
  // file does not carry left as they were.
  EXPECT_EQ(read, Taken({3, 6, 11, 21, 22}));

  CSettingSelect select = FileSelection();
  select.m_item[0].available = select.m_item[0].checked = 1;
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
    W::ParseResult result;
    CSettingWorkData expected;
    int changedItem = -1;  // an item taken with a value other than the export's
  };
  const std::string full = Exported();
  const std::vector<int> all(std::begin(kFileItems), std::end(kFileItems));
  auto with = [](CSettingWorkData work, const std::function<void(CKX2SysInfo&)>& change) {
    change(work.m_sysInfo);
    return work;
  };
  std::string overLong = full + "REM," + std::string(W::kMaxFileBytes - full.size() - 6, 'x') + "\r\n";
  ASSERT_EQ(overLong.size(), W::kMaxFileBytes);

  std::vector<Case> cases = {
      {"wrong header", "[XEV_RAIN_GAUGE" + full.substr(16), W::kReadNoHeader, Before()},
      {"lower-case header", "[xev_rain_gauge]" + full.substr(16), W::kReadNoHeader, Before()},
      {"byte-order mark", "\xEF\xBB\xBF" + full, W::kReadNoHeader, Before()},
      {"blank before header", " " + full, W::kReadNoHeader, Before()},
      {"empty file", "", W::kReadNoHeader, Before()},
      {"NUL inside header", std::string("[XEV_RAIN\0GAUGE]\r\n", 18), W::kReadNoHeader, Before()},
      {"over-long file", overLong + "x", W::kReadTooLong, Before()},
      {"file of the longest length", overLong, W::kReadDone, Taken(all)},
      {"header only", kHeader, W::kReadDone, Taken({})},
      {"header without line end", "[XEV_RAIN_GAUGE]//6\r\nBATTERY_ALART,3000\r\n", W::kReadDone,
       with(Taken({6}), [](CKX2SysInfo& s) { s.m_nBatteryStop = 3000; })},
      {"NUL hides the rest", Replace(full, "//21", std::string("\0//21", 5)), W::kReadDone, Taken({3, 6, 11})},
      {"empty values at line ends",
       std::string(kHeader) + "KXI_RAIN_MMPS,\r\nBATTERY_ALART,\r\nAP_NAME,\r\nAP_USER,newuser\r\nMES_ENABLE,\r\n"
                              "MES_INTERVAL_NUM,9",
       W::kReadDone,
       [&] {
         CSettingWorkData e = Taken({});
         e.m_flags[6] = e.m_flags[11] = e.m_flags[22] = 1;
         e.m_mailInfo.m_strUser = "newuser";
         e.m_sysInfo.m_nSendCount = 9;
         return e;
       }()},
      {"duplicate keys: the first counts",
       Replace(full, "BATTERY_ALART,3600\r\n", "BATTERY_ALART,3600\r\nBATTERY_ALART,5000\r\n"), W::kReadDone,
       Taken(all)},
      {"LF-only lines", ReplaceAll(full, "\r\n", "\n"), W::kReadDone, Taken(all)},
      {"CR-only lines", ReplaceAll(full, "\r\n", "\r"), W::kReadDone, Taken(all)},
      {"keys inside values",
       std::string(kHeader) +
           "IMEI,1 KXI_RAIN_MMPS,0.5\r\nDATE,MES_ENABLE,1\r\nAP_NAME,apn\r\nAP_PASS,x BATTERY_ALART,0\r\n",
       W::kReadDone, Taken({})},
      {"keys not at a line start", std::string(kHeader) + " BATTERY_ALART,3000\r\nxKXI_RAIN_MMPS,0.5\r\n", W::kReadDone,
       Taken({})},
      {"user without name", std::string(kHeader) + "AP_USER,u\r\n", W::kReadDone, Taken({})},
      {"second alarm only", std::string(kHeader) + "MODULE,x\r\nALM_RAIN,2,10.00,60,1\r\n", W::kReadDone,
       with(Taken({21}),
            [](CKX2SysInfo& s) {
              s.m_alarm[0] = CAlmRainInfo();
              s.m_alarm[1] = MakeAlarm(2, 10.0, 60, 1);
            })},
      // An alarm line the reader cannot use leaves the item out (and says so).
      {"alarm with an empty field", Replace(full, "ALM_RAIN,1,10.00,90,1", "ALM_RAIN,1,10.00,,1"), W::kReadDone,
       Taken({3, 6, 11, 22})},
      // An alarm that is off is read as written, as a logger reports one never set.
      {"an unset alarm is read as written", Replace(full, "ALM_RAIN,2,5.25,14400,0", "ALM_RAIN,2,0.00,0,0"),
       W::kReadDone, with(Taken(all), [](CKX2SysInfo& s) { s.m_alarm[1] = MakeAlarm(2, 0.0, 0, 0); })},
      {"both alarms unset",
       Replace(Replace(full, "ALM_RAIN,2,5.25,14400,0", "ALM_RAIN,2,0.00,0,0"), "ALM_RAIN,1,10.00,90,1",
               "ALM_RAIN,1,0,0,0"),
       W::kReadDone,
       with(Taken(all),
            [](CKX2SysInfo& s) {
              s.m_alarm[0] = MakeAlarm(1, 0.0, 0, 0);
              s.m_alarm[1] = MakeAlarm(2, 0.0, 0, 0);
            })},
      {"no alarm at all", ReplaceAll(full, "ALM_RAIN,", "ALM_RAIN;"), W::kReadDone, Taken({3, 6, 11, 22})},
      {"start with other separators", Replace(full, "2027-03-05 07:08:09", "2027/03/05 07-08_09"), W::kReadDone,
       Taken(all)},
      {"start without time keeps the earlier", Replace(full, "2027-03-05 07:08:09", "2027-03-05"), W::kReadDone,
       with(Taken(all), [](CKX2SysInfo& s) { s.m_stStart = Before().m_sysInfo.m_stStart; })},
      {"start without seconds", Replace(full, "2027-03-05 07:08:09", "2027-03-05 07:08"), W::kReadDone,
       with(Taken(all), [](CKX2SysInfo& s) { s.m_stStart.m_nSecond = 0; })},
  };

  // A value out of range leaves its item out and takes none of the item's
  // values; values at the limits are taken.
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
      {"AP_PASS,p@ss-w0rd!", "AP_PASS,!\"#$%&'*+-./=?@^_{|}~", 11, true},
      {"AP_PASS,p@ss-w0rd!", "AP_PASS,pass\xEF\xBD\xB1", 11, false},  // half-width kana
      {"ALM_RAIN,1,10.00,90,1", "ALM_RAIN,1,0.00,90,1", 21, false},
      {"ALM_RAIN,2,5.25,14400,0", "ALM_RAIN,2,1000.00,60,1", 21, false},
      {"ALM_RAIN,1,10.00,90,1", "ALM_RAIN,1,10.00,0,1", 21, false},
      {"ALM_RAIN,2,5.25,14400,0", "ALM_RAIN,2,5.25,14401,1", 21, false},
      {"ALM_RAIN,2,5.25,14400,0", "ALM_RAIN,2,1000.00,14401,0", 21, true},  // off: as written
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
    std::vector<int> items;
    for (int item : kFileItems)
      if (item != r.item || r.accepted) items.push_back(item);
    cases.push_back({std::string("value ") + r.to, Replace(full, r.from, r.to), W::kReadDone, Taken(items),
                     r.accepted ? r.item : -1});
  }

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CSettingWorkData read = Before();
    EXPECT_EQ(W::ParseFileText(c.text, read), c.result);
    CSettingWorkData expected = c.expected;
    // A value at a limit differs from the export's; nothing else may.
    if (c.changedItem >= 0) CopyItem(c.changedItem, expected, read);
    EXPECT_EQ(read, expected);
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
  EXPECT_EQ(t, MakeTime(2027, 3, 5, 0, 0, 0));
  for (const char* noTime : {"", "   ", "2027-03-05", "2027-03-05 "})
    EXPECT_FALSE(W::ParseDateTime(t, noTime)) << noTime;
}

// Each key whose value cannot be used is named with its value and the rule
// it broke; its item is left out and the others are taken.
TEST(SettingsFileRead, RefusalsNameTheKeyTheValueAndTheRule) {
  using Refusals = std::vector<W::Refusal>;
  const std::string range = "範囲: ",
                    address = "使用できる文字: 半角英数字と ! \" # $ % & ' * + - . / = ? @ ^ _ { | } ~";
  const struct {
    const char* lines;
    std::set<int> taken;
    Refusals refusals;
  } files[] = {
      {"ALM_RAIN,1,0.00,60,0\r\nALM_RAIN,2,10.00,60,1\r\n", {21}, {}},
      {"MES_ENABLE,1\r\nMES_INTERVAL_NUM,300\r\nMES_INTERVAL_TIME,30\r\nKXI_RAIN_MMPS,0.5\r\n",
       {3},
       {{"MES_INTERVAL_TIME", "30", range + "60 - 864000"}, {"MES_INTERVAL_NUM", "300", range + "0 - 240"}}},
      {"AP_NAME,apn\r\nAP_PASS,a b\r\nBATTERY_ALART,3000\r\n", {6}, {{"AP_PASS", "a b", address}}},
      {"ALM_RAIN,1,0.00,60,1\r\nALM_RAIN,2,10.00,60,1\r\n", {}, {{"ALM_RAIN,1", "0.00,60,1", range + "0.01 - 999.99"}}},
      {"ALM_RAIN,1,1.00,0,1\r\nALM_RAIN,2,1.00,60\r\n",
       {},
       {{"ALM_RAIN,1", "1.00,0,1", range + "1 - 14400"},
        {"ALM_RAIN,2", "1.00,60", "雨量, 時間(分), ON/OFF の3つの値"}}},
      {"ALM_RAIN,1,1.00,60,on\r\n", {}, {{"ALM_RAIN,1", "1.00,60,on", range + "0 - 1"}}},
      {"MES_ENABLE,1\r\nMES_START_TIME,2027-02-30 00:00:00\r\n",
       {},
       {{"MES_START_TIME", "2027-02-30 00:00:00", "2000年～2099年の実在する日時"}}},
      {"KXI_RAIN_MMPS,\r\nBATTERY_ALART,12001\r\n",
       {},
       {{"KXI_RAIN_MMPS", "", range + "0.01 - 2.00"}, {"BATTERY_ALART", "12001", range + "2400 - 12000"}}},
  };
  for (const auto& f : files) {
    SCOPED_TRACE(f.lines);
    CSettingWorkData read = Before();
    Refusals refusals;
    ASSERT_EQ(W::ParseFileText(std::string(kHeader) + f.lines, read, &refusals), W::kReadDone);
    EXPECT_EQ(Flagged(read), f.taken);
    EXPECT_EQ(refusals, f.refusals);
  }
  // The box: one line per key, its value readable and cut short.
  const Refusals shown = {{"AP_NAME", "\xFF" + std::string(50, 'x'), "r1"}, {"BATTERY_ALART", "1", "r2"}};
  EXPECT_EQ(W::RefusalText(shown),
            "設定ファイルの次の値は使用できません。その項目は読み込みません。\r\n"
            "AP_NAME,\uFFFD" +
                std::string(39, 'x') +
                "…  (r1)\r\n"
                "BATTERY_ALART,1  (r2)");
}
