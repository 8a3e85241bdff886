// The Measurement page against the logger simulator: its fields after a
// Connect, the criteria text, signed values, the clock that runs only while
// the page shows, the disconnected page and stopping the measurement.
#include <QTabBar>

#include "app/LoggerPage.h"
#include "sim/SimClock.h"
#include "tests/app/PanelFixture.h"
#include "ui/TabControlWidget.h"

namespace {
using M = CDlgMainMeasSetting;

int64_t LoggerSeconds(int year, int month, int day, int hour, int minute) {
  int64_t t = 0;
  sim::SimClock::FromFields(year, month, day, hour, minute, 0, &t);
  return t;
}

class MeasurementPageTest : public PanelTest {
 protected:
  CDlgMainMeasSetting& Meas() { return Panel().m_pageMeasSetting; }
  std::string Field(UINT id) { return Meas().GetDlgItemText(static_cast<int>(id)); }
  std::vector<std::string> Fields(std::initializer_list<UINT> ids) {
    std::vector<std::string> out;
    for (UINT id : ids) out.push_back(Field(id));
    return out;
  }
  void ShowTab(int index) {
    auto* tabs = dynamic_cast<TabControlWidget*>(Panel().m_tab.GetWidget());
    ASSERT_NE(tabs, nullptr);
    tabs->Bar()->setCurrentIndex(index);
    ASSERT_TRUE(PumpUntil([&] { return Panel().m_pages[static_cast<size_t>(index)].pPage->IsWindowVisible(); }));
  }
  // Stop pressed; the boxes it showed.
  std::vector<RecordingMessageService::Box> Stop() {
    boxes.boxes.clear();
    Click(Meas(), M::kStopMeasure);
    return boxes.boxes;
  }
  void ShiftDeviceClock(int64_t seconds) {
    CKX2Device& d = theApp.m_device;
    platform::CriticalSectionLock lock(d.m_csClock);
    d.m_tLoggerAtRead += seconds;
  }
};

const std::initializer_list<UINT> kAllFields = {
    M::kState,       M::kStartYear,    M::kStartMonth,    M::kStartDay,        M::kStartHour,
    M::kStartMinute, M::kNextYear,     M::kNextMonth,     M::kNextDay,         M::kNextHour,
    M::kNextMinute,  M::kSamplingDays, M::kSamplingHours, M::kSamplingMinutes, M::kSendCount,
    M::kEventDays,   M::kEventHours,   M::kEventMinutes,  M::kSendCountEvent,  M::kCriteria};
}  // namespace

TEST_F(MeasurementPageTest, FieldsShowWhatTheLoggerReports) {
  sim.Update([](sim::SimState& s) {
    s.measuring = true;
    s.start = LoggerSeconds(2025, 3, 7, 8, 5);
    s.next = LoggerSeconds(2098, 11, 28, 23, 50);  // ahead of the clock, so it stays
    s.sampling = 90061;                            // 1 day, 1 hour, 1 minute and a second not shown
    s.samplingEvent = 59;
    s.sendCount = 12;
    s.sendCountEvent = 3;
    s.alarm[0] = {1, 10.0, 90, true};
    s.alarm[1] = {2, 2.5, 5, false};
  });
  ASSERT_TRUE(ConnectOk());
  EXPECT_EQ(Field(M::kState), "測定中");
  using V = std::vector<std::string>;
  EXPECT_EQ(Fields({M::kStartYear, M::kStartMonth, M::kStartDay, M::kStartHour, M::kStartMinute}),
            (V{"2025", "3", "7", "8", "5"}));
  EXPECT_EQ(Fields({M::kNextYear, M::kNextMonth, M::kNextDay, M::kNextHour, M::kNextMinute}),
            (V{"2098", "11", "28", "23", "50"}));
  EXPECT_EQ(Fields({M::kSamplingDays, M::kSamplingHours, M::kSamplingMinutes, M::kSendCount}),
            (V{"1", "1", "1", "12"}));
  EXPECT_EQ(Fields({M::kEventDays, M::kEventHours, M::kEventMinutes, M::kSendCountEvent}), (V{"0", "0", "0", "3"}));
  EXPECT_EQ(Field(M::kCriteria),
            " 判定基準1 : 10.00[mm] / 1:30  ON \r\n"
            " 判定基準2 : 2.50[mm] / 0:05  OFF\r\n");
  for (UINT id : {M::kMeasureSetting, M::kCriteriaSetting, M::kStopMeasure, M::kUpdate}) {
    EXPECT_TRUE(Enabled(Meas(), id)) << id;
  }
}

TEST_F(MeasurementPageTest, NegativeValuesCarryTheirSignOnce) {
  // A logger may report a period it counts backwards; the record can hold
  // negative intervals too.
  sim.Update([](sim::SimState& s) { s.alarm[0] = {1, 1.0, -90, true}; });
  ASSERT_TRUE(ConnectOk());
  EXPECT_EQ(Field(M::kCriteria).substr(0, Field(M::kCriteria).find("\r\n")), " 判定基準1 : 1.00[mm] / -1:30  ON ");

  CKX2SysInfo& sys = theApp.m_device.m_workRead.m_sysInfo;
  sys.m_alarm[1].m_nPeriod = -30;
  sys.m_alarm[1].m_nEnable = 3;  // odd: on
  sys.m_nSampling = -(86400 + 3600 + 60);
  sys.m_nSamplingEvent = -(3600 + 30 * 60);
  Meas().Refresh();
  const std::string criteria = Field(M::kCriteria);
  EXPECT_NE(criteria.find(" / -0:30  ON \r\n"), std::string::npos) << criteria;
  using V = std::vector<std::string>;
  EXPECT_EQ(Fields({M::kSamplingDays, M::kSamplingHours, M::kSamplingMinutes}), (V{"-1", "1", "1"}));
  EXPECT_EQ(Fields({M::kEventDays, M::kEventHours, M::kEventMinutes}), (V{"0", "-1", "30"}));

  // The criteria text adds to a text it is given after a blank line.
  std::string text = "x";
  Meas().FormatCriteria(text);
  EXPECT_EQ(text, "x\r\n\r\n" + criteria);
}

TEST_F(MeasurementPageTest, ClockRunsOnTimer63OnlyWhileThePageShows) {
  // Over an open port whose clock was never read the field stays empty.
  ASSERT_EQ(theApp.m_device.OpenPort(DevicePath(sim.SlavePath())), PortOpenResult::kOpened);
  ASSERT_TRUE(Panel().ShowPanel(frame, 0));
  ShowTab(1);
  EXPECT_EQ(Meas().m_nTimerId, M::kClockTimer);
  ASSERT_TRUE(PumpUntil([&] { return Meas().m_tShownClock.has_value(); }));
  EXPECT_EQ(Field(M::kDeviceTime), "");
  Panel().DestroyWindow();
  theApp.m_device.ClosePort();

  ASSERT_TRUE(ConnectOk());
  ShowTab(1);
  EXPECT_EQ(Meas().m_nTimerId, M::kClockTimer);
  ASSERT_TRUE(PumpUntil([&] { return !Field(M::kDeviceTime).empty(); }));
  const int64_t shown = *Meas().m_tShownClock;
  ShiftDeviceClock(1);
  ASSERT_TRUE(PumpUntil([&] { return *Meas().m_tShownClock > shown; }));
  EXPECT_EQ(Field(M::kDeviceTime), loggerpage::FormatLoggerClock(*Meas().m_tShownClock));

  // Hidden, the field keeps its last value however the clock moves.
  ShowTab(0);
  EXPECT_EQ(Meas().m_nTimerId, 0u);
  const std::string frozen = Field(M::kDeviceTime);
  ShiftDeviceClock(60);
  PumpUntil([] { return false; }, 300);
  EXPECT_EQ(Field(M::kDeviceTime), frozen);
}

TEST_F(MeasurementPageTest, ClockTimerEndsWithThePageWindow) {
  ASSERT_TRUE(ConnectOk());
  ShowTab(1);
  ASSERT_EQ(Meas().m_nTimerId, M::kClockTimer);
  frame->SendMessage(WM_COMMAND, CMainFrame::ID_DISCONNECT, 0);
  ASSERT_TRUE(PumpUntil([] { return !CKXCWorkingThread::IsOperationRunning(); }));
  EXPECT_EQ(Meas().GetSafeHwnd(), 0);
  EXPECT_EQ(Meas().m_nTimerId, 0u);
}

TEST_F(MeasurementPageTest, DisconnectedPageIsEmptyAndStopFailsWithABox) {
  ASSERT_TRUE(ConnectOk());
  theApp.m_device.ClosePort();
  Panel().UpdatePages();
  for (UINT id : kAllFields) EXPECT_EQ(Field(id), "") << id;
  EXPECT_FALSE(Enabled(Meas(), M::kMeasureSetting));
  EXPECT_FALSE(Enabled(Meas(), M::kCriteriaSetting));
  EXPECT_TRUE(Enabled(Meas(), M::kStopMeasure));
  EXPECT_TRUE(Enabled(Meas(), M::kUpdate));

  const size_t before = sim.ReceivedCommands().size();
  const auto shown = Stop();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "エラー！ 失敗");
  EXPECT_EQ(shown[0].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_TRUE(SentSince(before).empty());
  EXPECT_EQ(Field(M::kState), "");
}

TEST_F(MeasurementPageTest, StopSendsTheStopThenReReadsAndShowsStopped) {
  sim.Update([](sim::SimState& s) { s.measuring = true; });
  ASSERT_TRUE(ConnectOk());
  ASSERT_EQ(Field(M::kState), "測定中");
  const size_t before = sim.ReceivedCommands().size();
  const auto shown = Stop();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "成功");
  EXPECT_EQ(shown[0].caption, "");
  EXPECT_EQ(shown[0].type, static_cast<UINT>(MB_OK));
  EXPECT_EQ(SentSince(before), (std::vector<std::string>{"ST STP", "RD SYS"}));
  EXPECT_EQ(Field(M::kState), "停止中");
  EXPECT_FALSE(sim.State().measuring);
  // The stop polls no escape event, so its progress window has no abort
  // button: the runner made no escape event for it.
  EXPECT_EQ(Meas().m_escapeEvent.m_hEvent, nullptr);
  EXPECT_TRUE(frame->IsWindowEnabled());
}

TEST_F(MeasurementPageTest, AStopTheLoggerRefusesOrLeavesUnansweredFailsAndKeepsMeasuring) {
  sim.Update([](sim::SimState& s) { s.measuring = true; });
  ASSERT_TRUE(ConnectOk());
  struct Case {
    sim::FaultKind kind;
    int tries;  // "NOT END" is final; "NG" and silence are asked three times
  };
  for (const Case& c :
       {Case{sim::FaultKind::Ng, 3}, Case{sim::FaultKind::NotEnd, 1}, Case{sim::FaultKind::NoAnswer, 3}}) {
    sim::Fault f;
    f.kind = c.kind;
    f.command = "ST STP";
    f.count = -1;
    sim.InjectFault(f);
    // Each silent try waits out the stop's 45 s of a logger measurement.
    if (c.kind == sim::FaultKind::NoAnswer) timeScale.Set(0.02);
    const size_t before = sim.ReceivedCommands().size();
    const auto shown = Stop();
    ASSERT_EQ(shown.size(), 1u) << static_cast<int>(c.kind);
    EXPECT_EQ(shown[0].text, "エラー！ 失敗");
    EXPECT_EQ(shown[0].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
    sim.WaitForCommands(before + static_cast<size_t>(c.tries), 2000);
    EXPECT_EQ(SentSince(before), std::vector<std::string>(static_cast<size_t>(c.tries), "ST STP"));
    EXPECT_EQ(Field(M::kState), "測定中");
    EXPECT_TRUE(sim.State().measuring);
    sim.ClearFaults();
  }
}
