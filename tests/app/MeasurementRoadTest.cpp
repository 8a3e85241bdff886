// The measurement road of the settings wizard against a measuring logger
// simulator: the battery alarm and the rain criteria stop the measurement
// and the measurement page that follows starts it again; the measurement
// page's clock, its PC-time button, its storing without traffic and the
// logger's refusals of its steps.
#include <QAbstractButton>
#include <algorithm>
#include <ctime>

#include "app/LoggerPage.h"
#include "app/wizard/DlgInputBatAlart.h"
#include "app/wizard/DlgInputMeasureSetting.h"
#include "app/wizard/DlgInputRangeRain.h"
#include "sim/SimClock.h"
#include "tests/app/WizardFixture.h"

namespace {
using Lines = std::vector<std::string>;
using Meas = CDlgInputMeasureSetting;
constexpr int kNext = CInputBaseDlg::kNextButton;
constexpr unsigned kStop = CWizerdWorkCore::kStopMeasurement;
const std::vector<std::string> kReRead = {"HELLO", "RD SYS", "MAIL DSP"};

Lines Join(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class MeasurementRoad : public WizardTest {
 protected:
  void SetUp() override {
    WizardTest::SetUp();
    // The logger's clock stands still on a whole minute, so the start the
    // program works out is known to the second.
    const int64_t host = sim::SimClock::HostNow();
    now = host - host % 60;
    sim.SetClock(now, false);
  }
  // "20yy-mm-dd hh:mm", the start field's whole text for logger seconds.
  static std::string StartText(int64_t t) {
    const std::string f = sim::SimClock::Format(t);  // yy/mm/dd hh:mm:ss
    return "20" + f.substr(0, 2) + "-" + f.substr(3, 2) + "-" + f.substr(6, 2) + " " + f.substr(9, 5);
  }
  static std::string StartLine(int64_t t) { return "ST STM " + sim::SimClock::Format(t).substr(0, 14); }
  CDlgMainMeasSetting& MeasPage() { return Panel().m_pageMeasSetting; }
  // A switch pressed as the operator presses it.
  static void Press(CWnd& page, int id) { qobject_cast<QAbstractButton*>(page.GetDlgItem(id)->GetWidget())->click(); }
  int64_t now = 0;
};
}  // namespace

TEST_F(MeasurementRoad, BatteryAloneStopsAndTheAppendedPageStartsAgainOnWholeIntervals) {
  ASSERT_TRUE(ConnectOk());
  ASSERT_TRUE(sim.State().measuring);
  size_t before = 0;
  // Three intervals of ten minutes back, plus five minutes: the first start
  // at least a minute ahead of the logger's clock lies five minutes ahead.
  const int64_t typed = now - 3 * 600 + 300;
  Then<CDlgInputBatAlart>([&](CDlgInputBatAlart& page) {
    EXPECT_EQ(page.m_editVoltage.GetWindowText(), "3.6");
    page.m_editVoltage.SetWindowText("4.25");
    before = sim.ReceivedCommands().size();
    Click(page, kNext);
    EXPECT_EQ(SentSince(before), Join({"ST STP", "RD SYS", "BAT 4250"}, kReRead));
  });
  Then<Meas>([&](Meas& page) {
    EXPECT_EQ(Label(page, kNext), "OK");
    EXPECT_EQ(page.m_editNormalTime.GetWindowText(), "0010");
    page.m_editStart.SetWindowText(StartText(typed));
    before = sim.ReceivedCommands().size();
    Click(page, kNext);
  });
  Click(System(), CDlgMainSystem::kBatteryAlarm);
  EXPECT_TRUE(steps.empty());
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].flags, kStop | CWizerdWorkCore::kFirstPage);
  EXPECT_EQ(seen[1].flags, CWizerdWorkCore::kLastPage);
  EXPECT_EQ(SentSince(before),
            Join({"ST SMP D00H00M10S00", "ST SMP2 D00H00M01S00", StartLine(now + 300), "RD SYS"}, kReRead));
  EXPECT_TRUE(boxes.boxes.empty());  // no failure, and no "still stopped"
  const CKX2SysInfo& read = theApp.m_device.m_workRead.m_sysInfo;
  EXPECT_EQ(read.m_nMeasuring, 1);
  EXPECT_EQ(read.m_nBatteryStop, 4250);
  EXPECT_EQ(sim.State().start, now + 300);
  EXPECT_EQ(sim.State().batteryStop, 4250);
}

TEST_F(MeasurementRoad, CriteriaAloneShortenTheIntervalAndTheMeasurementPageSendsTheShorterOne) {
  sim.Update([](sim::SimState& s) { s.sampling = 3600; });
  ASSERT_TRUE(ConnectOk());
  size_t before = 0;
  Then<CDlgInputRangeRain>([&](CDlgInputRangeRain& page) {
    EXPECT_EQ(page.m_editRain[0].GetWindowText(), "10.00");
    EXPECT_EQ(page.m_editPeriod[0].GetWindowText(), "00130");
    EXPECT_EQ(page.m_editRain[1].GetWindowText(), "5.50");
    EXPECT_EQ(page.m_editPeriod[1].GetWindowText(), "00030");
    EXPECT_EQ(page.m_nSwitch1, 0);
    EXPECT_EQ(page.m_nSwitch2, 1);
    page.m_editPeriod[0].SetWindowText("000:45");
    Press(page, CDlgInputRangeRain::kSwitch2On);
    before = sim.ReceivedCommands().size();
    Click(page, kNext);
    EXPECT_EQ(
        SentSince(before),
        Join({"ST STP", "RD SYS", "RD SYS", "ST SMP D00H00M45S00", "ALM RN 1 10.00 0:45", "ALM RN 2 ON"}, kReRead));
  });
  Then<Meas>([&](Meas& page) {
    EXPECT_EQ(page.m_editNormalDays.GetWindowText(), "0");
    EXPECT_EQ(page.m_editNormalTime.GetWindowText(), "0045");
    page.m_editStart.SetWindowText(StartText(now + 3600));
    before = sim.ReceivedCommands().size();
    Click(page, kNext);
  });
  Click(MeasPage(), CDlgMainMeasSetting::kCriteriaSetting);
  EXPECT_TRUE(steps.empty());
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].flags, kStop | CWizerdWorkCore::kFirstPage);
  EXPECT_EQ(SentSince(before),
            Join({"ST SMP D00H00M45S00", "ST SMP2 D00H00M01S00", StartLine(now + 3600), "RD SYS"}, kReRead));
  EXPECT_TRUE(boxes.boxes.empty());
  const sim::SimState s = sim.State();
  EXPECT_TRUE(s.measuring);
  EXPECT_EQ(s.sampling, 45 * 60);
  EXPECT_EQ(s.alarm[0].period, 45);
  EXPECT_TRUE(s.alarm[1].on);
}

TEST_F(MeasurementRoad, TheClockFieldRunsOnItsTimerAndThePcTimeGoesTwoMinutesAhead) {
  ASSERT_TRUE(ConnectOk());
  Then<Meas>([&](Meas& page) {
    EXPECT_EQ(page.m_nTimerId, Meas::kClockTimer);
    EXPECT_EQ(Label(page, kNext), "OK");  // the only page
    // The logger's clock as it runs on from its last read.
    ASSERT_TRUE(PumpUntil([&page] {
      int64_t t = 0;
      return theApp.m_device.GetDeviceNow(&t) == ReadResult::kDone &&
             page.m_editDeviceTime.GetWindowText() == loggerpage::FormatLoggerClock(t);
    }));
    EXPECT_EQ(page.m_editDeviceTime.GetWindowText().substr(0, 16), StartText(now));

    const auto pcPlus2 = [] {
      const std::time_t t = std::time(nullptr) + 120;
      std::tm local{};
      localtime_r(&t, &local);
      char text[32];
      return std::string(text, std::strftime(text, sizeof text, "%y%m%d%H%M", &local));
    };
    const std::string early = pcPlus2();
    Click(page, Meas::kPcTimePlus2);
    const std::string late = pcPlus2();
    const std::string shown = page.m_editStart.GetWindowText();
    EXPECT_TRUE(shown == early || shown == late) << shown;
    Click(page, IDCANCEL);
  });
  Click(MeasPage(), CDlgMainMeasSetting::kMeasureSetting);
  EXPECT_TRUE(steps.empty());

  // Before any clock was read the field stays empty.
  theApp.m_device.ClosePort();
  Meas page;
  Then<Meas>([](Meas& p) {
    PumpUntil([] { return false; }, 350);
    EXPECT_EQ(p.m_editDeviceTime.GetWindowText(), "");
    Click(p, IDCANCEL);
  });
  page.RunPage(&System(), CWizerdWorkCore::kOnlyPage);
  EXPECT_EQ(page.m_nTimerId, 0u);
}

TEST_F(MeasurementRoad, EditOnlyPagesStoreWithoutAnyTraffic) {
  ASSERT_TRUE(ConnectOk());
  Then<CDlgInputBatAlart>([](CDlgInputBatAlart& page) {
    page.m_editVoltage.SetWindowText("12.0");
    Click(page, kNext);
  });
  Then<Meas>([](Meas& page) {  // appended, since the logger measures
    page.m_editStart.SetWindowText("2031-07-08 09:10");
    page.m_editNormalDays.SetWindowText("1");
    page.m_editNormalTime.SetWindowText("02:03");
    page.m_editNormalCount.SetWindowText("12");
    page.m_editEventTime.SetWindowText("00:05");
    page.m_editEventCount.SetWindowText("0");
    Click(page, kNext);
  });
  const size_t before = sim.ReceivedCommands().size();
  frame->ExecuteSettingItem(&System(), 6, CWizerdWorkCore::kEditOnly);
  EXPECT_TRUE(steps.empty());
  const CKX2SysInfo& edit = theApp.m_device.m_workEdit.m_sysInfo;
  EXPECT_EQ(edit.m_nBatteryStop, 12000);
  EXPECT_EQ(edit.m_nMeasuring, 1);
  const CSdlTime& start = edit.m_stStart;
  EXPECT_EQ(
      (std::vector<int>{start.m_nYear, start.m_nMonth, start.m_nDay, start.m_nHour, start.m_nMinute, start.m_nSecond}),
      (std::vector<int>{2031, 7, 8, 9, 10, 0}));
  EXPECT_EQ(edit.m_nSampling, 86400 + 2 * 3600 + 3 * 60);
  EXPECT_EQ(edit.m_nSendCount, 12);
  EXPECT_EQ(edit.m_nSamplingEvent, 300);
  EXPECT_EQ(edit.m_nSendCountEvent, 0);

  Then<CDlgInputRangeRain>([](CDlgInputRangeRain& page) {
    page.m_editRain[1].SetWindowText("7.255");
    page.m_editPeriod[1].SetWindowText("001:75");
    Press(page, CDlgInputRangeRain::kSwitch1Off);
    Click(page, kNext);
  });
  Then<Meas>([](Meas& page) { Click(page, kNext); });
  frame->ExecuteSettingItem(&MeasPage(), 21, CWizerdWorkCore::kEditOnly);
  EXPECT_TRUE(steps.empty());
  EXPECT_TRUE(SentSince(before).empty());
  EXPECT_TRUE(boxes.boxes.empty());
  const CAlmRainInfo& first = edit.m_alarm[0];
  const CAlmRainInfo& second = edit.m_alarm[1];
  EXPECT_EQ(first.m_nEnable, 0);
  EXPECT_DOUBLE_EQ(second.m_dThreshold, 7.26);
  EXPECT_EQ(second.m_nPeriod, 135);
  EXPECT_EQ(second.m_nNo, 2);

  // Opened again on that record, the period shows as hours and minutes.
  CDlgInputRangeRain page;
  Then<CDlgInputRangeRain>([](CDlgInputRangeRain& p) {
    EXPECT_EQ(p.m_editPeriod[1].GetWindowText(), "00215");
    EXPECT_EQ(p.m_nSwitch1, 1);
    Click(p, IDCANCEL);
  });
  page.RunPage(&System(), CWizerdWorkCore::kOnlyPage | CWizerdWorkCore::kEditOnly);
}

TEST_F(MeasurementRoad, EachRefusedStepIsNamedAndThePageStays) {
  ASSERT_TRUE(ConnectOk());
  struct Case {
    const char* command;  // the refused one
    const char* detail;
    bool startSent;
  };
  // Counts that changed go out; a failure before the start keeps it back.
  const Case cases[] = {{"ST SMP ", "Err SMP\r\n", false},
                        {"ST ITV ", "Err ITV\r\n", false},
                        {"ST SMP2", "Err SMP2\r\n", false},
                        {"ST ITV2", "Err ITV2\r\n", false},
                        {"ST STM", "Err STM\r\n", true}};
  Then<Meas>([&](Meas& page) {
    page.m_editStart.SetWindowText(StartText(now + 600));
    int count = 10;
    const auto changeCounts = [&page, &count] {
      page.m_editNormalCount.SetWindowText(std::to_string(++count));
      page.m_editEventCount.SetWindowText(std::to_string(++count));
    };
    for (const Case& c : cases) {
      changeCounts();
      boxes.boxes.clear();
      sim.InjectFault(Refusal(c.command));
      const size_t before = sim.ReceivedCommands().size();
      Click(page, kNext);
      sim.ClearFaults();
      EXPECT_TRUE(page.IsWindowVisible()) << c.command;
      const Lines sent = SentSince(before);
      EXPECT_EQ(std::count(sent.begin(), sent.end(), StartLine(now + 600)), c.startSent ? 3 : 0) << c.command;
      ASSERT_EQ(BoxTexts(), (Lines{std::string(kFailedText) + "\r\n" + c.detail})) << c.command;
      EXPECT_EQ(boxes.boxes[0].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
    }
    // Two refusals at once, each on its line.
    changeCounts();
    boxes.boxes.clear();
    sim.InjectFault(Refusal("ST ITV"));
    Click(page, kNext);
    sim.ClearFaults();
    EXPECT_EQ(BoxTexts(), (Lines{std::string(kFailedText) + "\r\nErr ITV\r\nErr ITV2\r\n"}));

    // A closed port: the message alone, nothing sent.
    boxes.boxes.clear();
    theApp.m_device.ClosePort();
    const size_t before = sim.ReceivedCommands().size();
    Click(page, kNext);
    EXPECT_TRUE(SentSince(before).empty());
    EXPECT_EQ(BoxTexts(), (Lines{kNotConnectedText}));
    Click(page, IDCANCEL);
  });
  Click(MeasPage(), CDlgMainMeasSetting::kMeasureSetting);
  EXPECT_TRUE(steps.empty());
}
