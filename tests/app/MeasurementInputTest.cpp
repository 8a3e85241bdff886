// The battery alarm, rain criteria and measurement pages refuse what the
// logger cannot take before anything is stored or sent, and stay open when
// the logger refuses a write; the judgement of each field in a table.
#include "app/wizard/DlgInputBatAlart.h"
#include "app/wizard/DlgInputMeasureSetting.h"
#include "app/wizard/DlgInputRangeRain.h"
#include "link/SdlTime.h"
#include "tests/app/WizardFixture.h"

namespace {
using Lines = std::vector<std::string>;
using Meas = CDlgInputMeasureSetting;
constexpr int kNext = CInputBaseDlg::kNextButton;
constexpr const char* kBatteryRange = "Illigal value!  ( 2.4 - 12.0 )";
}  // namespace

TEST_F(WizardTest, BatteryOutsideTheRangeIsRefusedAndALoggerRefusalKeepsThePage) {
  ASSERT_TRUE(ConnectOk());
  theApp.m_device.m_workEdit = theApp.m_device.m_workRead;
  CDlgInputBatAlart page;
  Then<CDlgInputBatAlart>([this](CDlgInputBatAlart& p) {
    EXPECT_DOUBLE_EQ(p.m_editVoltage.m_dMin, 2.4);
    EXPECT_DOUBLE_EQ(p.m_editVoltage.m_dMax, 12.0);
    size_t before = sim.ReceivedCommands().size();
    for (const char* text : {"", "99"}) {
      p.m_editVoltage.SetWindowText(text);
      Click(p, kNext);
      EXPECT_TRUE(p.IsWindowVisible()) << text;
    }
    EXPECT_TRUE(SentSince(before).empty());
    EXPECT_EQ(BoxTexts(), Lines(2, kBatteryRange));
    EXPECT_EQ(theApp.m_device.m_workEdit.m_sysInfo.m_nBatteryStop, 3600);

    boxes.boxes.clear();
    sim.InjectFault(Refusal("BAT"));
    p.m_editVoltage.SetWindowText("5.0");
    before = sim.ReceivedCommands().size();
    Click(p, kNext);
    sim.ClearFaults();
    EXPECT_EQ(SentSince(before), (Lines{"BAT 5000", "BAT 5000", "BAT 5000", "HELLO", "RD SYS", "MAIL DSP"}));
    EXPECT_TRUE(p.IsWindowVisible());
    theApp.m_device.ClosePort();
    Click(p, kNext);
    EXPECT_EQ(BoxTexts(), (Lines{kFailedText, kNotConnectedText}));
    Click(p, IDCANCEL);
  });
  EXPECT_EQ(page.RunPage(&System(), CWizerdWorkCore::kOnlyPage), CWizerdWorkCore::kCancel);
  EXPECT_EQ(sim.State().batteryStop, 3600);
}

TEST(BatteryAlarm, VoltsBecomeTruncatedMillivoltsWithinTheRange) {
  const std::pair<const char*, int32_t> accepted[] = {{"3.65", 3650},  {"3.6999", 3699},   {"2.4", 2400},
                                                      {"12.0", 12000}, {"12.0009", 12000}, {" 4.2V", 4200}};
  for (const auto& [text, mv] : accepted) {
    int32_t out = -1;
    EXPECT_TRUE(CDlgInputBatAlart::ToMillivolts(text, &out)) << text;
    EXPECT_EQ(out, mv) << text;
  }
  for (const char* text : {"2.3999", "12.001", "0", "", "-5", "1e300", "inf", "nan", "abc"}) {
    int32_t out = -1;
    EXPECT_FALSE(CDlgInputBatAlart::ToMillivolts(text, &out)) << text;
    EXPECT_EQ(out, -1) << text;
  }
}

TEST_F(WizardTest, CriteriaRefusalIsOwnedByThePageAndChangesNothing) {
  ASSERT_TRUE(ConnectOk());
  theApp.m_device.m_workEdit = theApp.m_device.m_workRead;
  // An on/off value other than 1 opens as OFF.
  theApp.m_device.m_workEdit.m_sysInfo.m_alarm[0].m_nEnable = 2;
  const CKX2SysInfo edited = theApp.m_device.m_workEdit.m_sysInfo;
  CDlgInputRangeRain page;
  Then<CDlgInputRangeRain>([&](CDlgInputRangeRain& p) {
    EXPECT_EQ(p.m_nSwitch1, 1);
    const size_t before = sim.ReceivedCommands().size();
    struct Row {
      int n;
      const char* rain;
      const char* period;
    };
    const Row rows[] = {{0, "0.004", "001:00"}, {1, "1.00", "240:01"}, {1, "", "001:00"}};
    for (const Row& r : rows) {
      p.m_editRain[0].SetWindowText("1.00");
      p.m_editPeriod[0].SetWindowText("001:00");
      p.m_editRain[1].SetWindowText("1.00");
      p.m_editPeriod[1].SetWindowText("001:00");
      p.m_editRain[r.n].SetWindowText(r.rain);
      p.m_editPeriod[r.n].SetWindowText(r.period);
      Click(p, kNext);
      EXPECT_TRUE(p.IsWindowVisible()) << r.rain << " " << r.period;
    }
    EXPECT_TRUE(SentSince(before).empty());
    EXPECT_EQ(theApp.m_device.m_workEdit.m_sysInfo, edited);
    ASSERT_EQ(BoxTexts(), Lines(3, "Error!!"));
    for (const auto& box : boxes.boxes) {
      EXPECT_EQ(box.owner, p.m_hWnd);
      EXPECT_EQ(box.caption, AfxGetAppName());
      EXPECT_EQ(box.Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
    }

    // The logger refuses the criterion: the general failure, the page stays.
    boxes.boxes.clear();
    p.m_editRain[1].SetWindowText("1.00");
    p.m_editPeriod[0].SetWindowText("240:00");
    sim.InjectFault(Refusal("ALM RN"));
    Click(p, kNext);
    sim.ClearFaults();
    EXPECT_TRUE(p.IsWindowVisible());
    EXPECT_EQ(BoxTexts(), (Lines{kFailedText}));
    EXPECT_EQ(theApp.m_device.m_workEdit.m_sysInfo.m_alarm[0].m_nPeriod, 14400);
    Click(p, IDCANCEL);
  });
  page.RunPage(&System(), CWizerdWorkCore::kOnlyPage);
}

TEST(RainCriteria, AmountAndPeriodAsTheLoggerTakesThem) {
  struct Row {
    const char* rain;
    const char* period;  // the field's digit positions
    bool accepted;
    double amount;
    int32_t minutes;
  };
  const Row rows[] = {
      {"10.5", "00130", true, 10.5, 90},   {"0.005", "00001", true, 0.01, 1}, {"999.99", "24000", true, 999.99, 14400},
      {"7.255", "00175", true, 7.26, 135}, {"1", "_1_05", true, 1.0, 5},      {"0.004", "00100", false, 0, 0},
      {"999.996", "00100", false, 0, 0},   {"1e300", "00100", false, 0, 0},   {"-1e300", "00100", false, 0, 0},
      {"nan", "00100", false, 0, 0},       {"1", "00000", false, 0, 0},       {"1", "24001", false, 0, 0},
      {"1", "___:_", false, 0, 0},         {"1", "0010", false, 0, 0},
  };
  for (const Row& r : rows) {
    double amount = -1;
    int32_t minutes = -1;
    EXPECT_EQ(CDlgInputRangeRain::ToCriterion(r.rain, r.period, &amount, &minutes), r.accepted)
        << r.rain << " " << r.period;
    if (r.accepted) {
      EXPECT_DOUBLE_EQ(amount, r.amount) << r.rain;
      EXPECT_EQ(minutes, r.minutes) << r.period;
    }
  }
}

TEST_F(WizardTest, MeasurementRefusesAFieldByNameAndStoresNothing) {
  ASSERT_TRUE(ConnectOk());
  theApp.m_device.m_workEdit = theApp.m_device.m_workRead;
  const CKX2SysInfo edited = theApp.m_device.m_workEdit.m_sysInfo;
  CDlgInputMeasureSetting page;
  Then<Meas>([&](Meas& p) {
    struct Row {
      CWnd* field;
      const char* text;
      const char* box;
    };
    const char* start = "Illigal value!  測定開始日時";
    const char* normal = "Illigal value!  通常時測定間隔 (1分 - 10日)";
    const Row rows[] = {
        {&p.m_editStart, "2025-02-29 10:00", start},
        {&p.m_editNormalTime, "00:00", normal},
        {&p.m_editNormalDays, "11", normal},
        {&p.m_editNormalCount, "241", "Illigal value!  通常時データ送信間隔 (0-240)"},
        {&p.m_editEventTime, "0_:10", "Illigal value!  イベント時測定間隔 (1分 - 10日)"},
        {&p.m_editEventCount, "", "Illigal value!  イベント時データ送信間隔 (0-240)"},
    };
    const size_t before = sim.ReceivedCommands().size();
    for (const Row& r : rows) {
      p.m_editStart.SetWindowText("2025-06-01 10:00");
      p.m_editNormalDays.SetWindowText("0");
      p.m_editNormalTime.SetWindowText("00:10");
      p.m_editNormalCount.SetWindowText("6");
      p.m_editEventTime.SetWindowText("00:01");
      p.m_editEventCount.SetWindowText("1");
      r.field->SetWindowText(r.text);
      boxes.boxes.clear();
      Click(p, kNext);
      EXPECT_TRUE(p.IsWindowVisible()) << r.text;
      EXPECT_EQ(BoxTexts(), (Lines{r.box})) << r.text;
    }
    EXPECT_TRUE(SentSince(before).empty());
    EXPECT_EQ(theApp.m_device.m_workEdit.m_sysInfo, edited);
    // Ten days is the longest interval.
    p.m_editNormalDays.SetWindowText("10");
    p.m_editNormalTime.SetWindowText("00:01");
    boxes.boxes.clear();
    Click(p, kNext);
    EXPECT_EQ(BoxTexts(), (Lines{normal}));
    Click(p, IDCANCEL);
  });
  page.RunPage(&System(), CWizerdWorkCore::kOnlyPage);
}

TEST(MeasureInput, DatesIntervalsAndCountsAsTheLoggerTakesThem) {
  CSdlTime t;
  for (const char* good : {"2406011000", "2402292359", "0001010000", "9912312359"})
    EXPECT_TRUE(Meas::ParseStart(good, &t)) << good;
  EXPECT_EQ((std::vector<int>{t.m_nYear, t.m_nMonth, t.m_nDay, t.m_nHour, t.m_nMinute, t.m_nSecond}),
            (std::vector<int>{2099, 12, 31, 23, 59, 0}));
  for (const char* bad : {"2502291000", "2504311000", "2500011000", "2506002400", "2506011060", "25060110",
                          "25060110000", "25_6011000", ""})
    EXPECT_FALSE(Meas::ParseStart(bad, &t)) << bad;

  struct Interval {
    const char* days;
    const char* hhmm;
    int32_t seconds;  // -1 refused
  };
  const Interval intervals[] = {{"0", "0001", 60},  {"1", "0203", 93780},   {"10", "0000", 864000},
                                {"10", "0001", -1}, {"0", "0000", -1},      {"0", "2400", -1},
                                {"0", "0060", -1},  {"", "0010", -1},       {"99999999999", "0010", -1},
                                {"0", "00_0", -1},  {"007", "0000", 604800}};
  for (const Interval& i : intervals) {
    int32_t s = -1;
    EXPECT_EQ(Meas::ParseInterval(i.days, i.hhmm, &s), i.seconds >= 0) << i.days << " " << i.hhmm;
    EXPECT_EQ(s, i.seconds) << i.days << " " << i.hhmm;
  }
  int32_t count = -1;
  EXPECT_TRUE(Meas::ParseCount("0", &count));
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(Meas::ParseCount("240", &count));
  EXPECT_EQ(count, 240);
  for (const char* bad : {"241", "", "-1", "1 ", "99999999999"}) EXPECT_FALSE(Meas::ParseCount(bad, &count)) << bad;
}
