// The System page against the logger simulator: its fields after a Connect,
// the logger clock, the disconnected page, the setting-item buttons and the
// server time synchronisation with its boxes.
#include <regex>

#include "app/LoggerPage.h"
#include "tests/app/PanelFixture.h"

namespace {
using S = CDlgMainSystem;
constexpr const char* kSyncCaption = "Time Synchronization";
const UINT kConfirmType = MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2;

// Moves the logger clock as last read by that many seconds.
void ShiftDeviceClock(int64_t seconds) {
  CKX2Device& d = theApp.m_device;
  platform::CriticalSectionLock lock(d.m_csClock);
  d.m_tLoggerAtRead += seconds;
}
}  // namespace

TEST_F(PanelTest, FieldsShowWhatTheLoggerReports) {
  sim.Update([](sim::SimState& s) {
    s.serial = "A123";
    s.imei = "3567";
    s.batteryStop = 12000;
    s.rainPerCount = 0.2;
  });
  sim.SetRecords(7, 5);
  ASSERT_TRUE(ConnectOk());
  EXPECT_EQ(Text(CDlgMainSystem::kDeviceName), "Corvanel-QZ");
  EXPECT_EQ(Text(CDlgMainSystem::kVersion), "1.02");
  EXPECT_EQ(Text(CDlgMainSystem::kProductLine), "IMEI:3567/SN:A123");
  EXPECT_EQ(Text(CDlgMainSystem::kRecordRange),
            std::to_string(sim.FirstRecord()) + " - " + std::to_string(sim.LastRecord()));
  EXPECT_EQ(Text(CDlgMainSystem::kBatteryStop), "12.0");
  EXPECT_EQ(Text(CDlgMainSystem::kRainCoef), "0.2");
  for (UINT id : {S::kInit, S::kUpdate, S::kBatteryAlarm, S::kInputSetting, S::kTimeSync}) {
    EXPECT_TRUE(Enabled(System(), id)) << id;
  }
  EXPECT_EQ(System().m_staticRainCoef.GetWindowText(), "0.2");
}

TEST_F(PanelTest, RefreshFormsTheProductLineRangeAndVoltsFromTheRecords) {
  ASSERT_TRUE(ConnectOk());
  CKX2Device& d = theApp.m_device;
  CKX2SysInfo& sys = d.m_workRead.m_sysInfo;
  auto setSerial = [&](const char* sn) { std::snprintf(sys.m_szSerial, sizeof sys.m_szSerial, "%s", sn); };

  d.m_workRead.m_mailInfo.m_strImei.clear();
  setSerial("A123");
  sys.m_nIdFirst = 0;
  sys.m_nIdLast = 0;
  sys.m_nBatteryStop = 3600;
  System().Refresh();
  EXPECT_EQ(Text(CDlgMainSystem::kProductLine), "Corvanel-QZ/SN:A123");
  EXPECT_EQ(Text(CDlgMainSystem::kRecordRange), "");
  EXPECT_EQ(Text(CDlgMainSystem::kBatteryStop), "3.6");

  // An empty serial number leaves the line as it was.
  d.m_workRead.m_mailInfo.m_strImei = "3567";
  setSerial("");
  sys.m_nIdLast = 5;
  System().Refresh();
  EXPECT_EQ(Text(CDlgMainSystem::kProductLine), "Corvanel-QZ/SN:A123");
  EXPECT_EQ(Text(CDlgMainSystem::kRecordRange), "0 - 5");

  // Logger text that is not UTF-8 still shows, the bad bytes marked.
  setSerial("A\xff");
  System().Refresh();
  EXPECT_EQ(Text(CDlgMainSystem::kProductLine), "IMEI:3567/SN:A\xEF\xBF\xBD");
}

TEST_F(PanelTest, ClockFieldIsEmptyBeforeAnyReadAndThenAdvances) {
  // A panel over an open port whose logger clock was never read.
  ASSERT_EQ(theApp.m_device.OpenPort(DevicePath(sim.SlavePath())), PortOpenResult::kOpened);
  ASSERT_TRUE(Panel().ShowPanel(frame, 0));
  CWnd* field = System().GetDlgItem(CDlgMainSystem::kDeviceTime);
  ASSERT_TRUE(PumpUntil([&] { return System().m_tShownClock.has_value(); }));
  EXPECT_EQ(*System().m_tShownClock, 0);
  EXPECT_EQ(field->GetWindowText(), "");
  Panel().DestroyWindow();
  theApp.m_device.ClosePort();

  ASSERT_TRUE(ConnectOk());
  ASSERT_TRUE(PumpUntil([&] { return !field->GetWindowText().empty(); }));
  const std::regex shape(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)");
  EXPECT_TRUE(std::regex_match(field->GetWindowText(), shape)) << field->GetWindowText();
  // The simulator's clock stands still at the host's time of the set-up.
  EXPECT_LE(std::llabs(*System().m_tShownClock - sim.Clock()), 5);

  // A second later on the logger the field follows within a tick or two.
  const int64_t shown = *System().m_tShownClock;
  ShiftDeviceClock(1);
  ASSERT_TRUE(PumpUntil([&] { return *System().m_tShownClock > shown; }));
  EXPECT_EQ(field->GetWindowText(), loggerpage::FormatLoggerClock(*System().m_tShownClock));
  EXPECT_EQ(loggerpage::FormatLoggerClock(86400), "");
  EXPECT_NE(loggerpage::FormatLoggerClock(86401), "");
}

TEST_F(PanelTest, DisconnectedPageIsEmptyAndTimeSyncFailsAfterTheConfirmation) {
  ASSERT_TRUE(ConnectOk());
  theApp.m_device.ClosePort();
  Panel().UpdatePages();
  for (UINT id : {S::kProductLine, S::kDeviceName, S::kVersion, S::kRecordRange, S::kBatteryStop, S::kRainCoef}) {
    EXPECT_EQ(Text(id), "") << id;
  }
  for (UINT id : {S::kInit, S::kUpdate, S::kBatteryAlarm, S::kInputSetting}) EXPECT_FALSE(Enabled(System(), id)) << id;
  EXPECT_TRUE(Enabled(System(), CDlgMainSystem::kTimeSync));

  const size_t before = sim.ReceivedCommands().size();
  boxes.Answer(IDOK);  // the confirmation's default button is Cancel
  Click(System(), CDlgMainSystem::kTimeSync);
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[0].text, "測定を停止してから同期してください。同期しますか?");
  EXPECT_EQ(boxes.boxes[0].caption, kSyncCaption);
  EXPECT_EQ(boxes.boxes[0].type, kConfirmType);
  EXPECT_EQ(boxes.boxes[1].text, "エラー！ 失敗");
  EXPECT_EQ(boxes.boxes[1].caption, kSyncCaption);
  EXPECT_EQ(boxes.boxes[1].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_TRUE(SentSince(before).empty());
  EXPECT_TRUE(frame->IsWindowEnabled());
}

TEST_F(PanelTest, TimeSyncSuccessReReadsTheLoggerAndSaysSo) {
  ASSERT_TRUE(ConnectOk());
  const size_t before = sim.ReceivedCommands().size();
  boxes.Answer(IDOK);
  Click(System(), CDlgMainSystem::kTimeSync);

  ASSERT_EQ(boxes.boxes.size(), 2u) << boxes.boxes.back().text;
  EXPECT_EQ(boxes.boxes[0].type, kConfirmType);
  EXPECT_EQ(boxes.boxes[1].text, "成功");
  EXPECT_EQ(boxes.boxes[1].caption, kSyncCaption);
  EXPECT_EQ(boxes.boxes[1].Buttons(), static_cast<UINT>(MB_OK));
  EXPECT_EQ(boxes.boxes[1].Icon(), 0u);
  const std::vector<std::string> expected = {"MAIL TIME", "HELLO", "RD SYS", "MAIL DSP"};
  EXPECT_EQ(SentSince(before), expected);
  EXPECT_TRUE(frame->IsWindowEnabled());
  EXPECT_TRUE(System().IsWindowEnabled());
  EXPECT_NE(Text(CDlgMainSystem::kDeviceName), "");
}

TEST_F(PanelTest, TimeSyncRefusedOrNotEndedFailsWithoutReRead) {
  ASSERT_TRUE(ConnectOk());
  for (sim::FaultKind kind : {sim::FaultKind::Ng, sim::FaultKind::NotEnd}) {
    sim::Fault f;
    f.kind = kind;
    f.command = "MAIL TIME";
    sim.InjectFault(f);
    boxes.boxes.clear();
    const size_t before = sim.ReceivedCommands().size();
    boxes.Answer(IDOK);
    Click(System(), CDlgMainSystem::kTimeSync);
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_EQ(boxes.boxes[1].text, "エラー！ 失敗");
    EXPECT_EQ(boxes.boxes[1].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(SentSince(before), std::vector<std::string>{"MAIL TIME"});
    EXPECT_TRUE(theApp.m_device.m_strError.empty());
    EXPECT_TRUE(frame->IsWindowEnabled());
  }
}

TEST_F(PanelTest, ACancelledConfirmationSendsNothing) {
  ASSERT_TRUE(ConnectOk());
  const size_t before = sim.ReceivedCommands().size();
  Click(System(), CDlgMainSystem::kTimeSync);  // Cancel is the default answer
  boxes.Answer(IDNO);
  Click(System(), CDlgMainSystem::kTimeSync);
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[0].type, kConfirmType);
  EXPECT_EQ(boxes.boxes[0].caption, kSyncCaption);
  EXPECT_TRUE(SentSince(before).empty());
  EXPECT_TRUE(frame->IsWindowEnabled());
}

TEST_F(PanelTest, SettingButtonsReachTheFrameAndUpdateReReadsEverything) {
  ASSERT_TRUE(ConnectOk());
  size_t before = sim.ReceivedCommands().size();
  // Reset, battery alarm and rain coefficient open their wizard pages,
  // cancelled here. Nothing goes out.
  std::vector<UINT> pages;
  CDialog::SetModalHook([&pages](CDialog* dlg) {
    pages.push_back(dlg->m_nIDTemplate);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  for (UINT id : {S::kInit, S::kBatteryAlarm, S::kInputSetting}) Click(System(), id);
  EXPECT_EQ(pages, (std::vector<UINT>{362, 329, 402}));
  EXPECT_TRUE(SentSince(before).empty());
  EXPECT_TRUE(boxes.boxes.empty());

  sim.Update([](sim::SimState& s) { s.batteryStop = 3300; });
  before = sim.ReceivedCommands().size();
  Click(System(), CDlgMainSystem::kUpdate);
  const std::vector<std::string> expected = {"HELLO", "RD SYS", "MAIL DSP"};
  EXPECT_EQ(SentSince(before), expected);
  EXPECT_EQ(Text(CDlgMainSystem::kBatteryStop), "3.3");
  EXPECT_TRUE(boxes.boxes.empty());
}

// A failed re-read names its cause in the device object's text, and the
// values shown before stay: a logger that does not wake, one that refuses
// its system record or sends it with its numbers lost, and one that answers
// but holds no network record.
TEST_F(PanelTest, UpdateThatFailsSaysWhyAndKeepsTheValues) {
  sim.Update([](sim::SimState& s) { s.batteryStop = 12000; });
  ASSERT_TRUE(ConnectOk());
  const std::pair<sim::Fault, const char*> rows[] = {
      {{sim::FaultKind::Ng, "HELLO", 3}, "エラー！ 機器からの応答がありません"},
      {{sim::FaultKind::Ng, "RD SYS", 3}, "エラー！ 失敗しました"},
      {{sim::FaultKind::NoValue, "RD SYS", 3}, "エラー！ 失敗しました"},
      {{sim::FaultKind::Ng, "MAIL DSP", 3}, "接続機器は対応しておりません"},
  };
  for (const auto& [fault, text] : rows) {
    boxes.boxes.clear();
    sim.InjectFault(fault);
    Click(System(), CDlgMainSystem::kUpdate);
    ASSERT_EQ(boxes.boxes.size(), 1u) << text;
    EXPECT_EQ(boxes.boxes[0].text, text);
    EXPECT_EQ(boxes.boxes[0].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(Text(CDlgMainSystem::kBatteryStop), "12.0") << text;
    EXPECT_EQ(Text(CDlgMainSystem::kRainCoef), "0.5") << text;
  }
}

// The logger vanishes (its adapter pulled): the next re-read fails, says why,
// and the page then shows the port closed.
TEST_F(PanelTest, UpdateWithTheLoggerGoneSaysItIsNotConnected) {
  ASSERT_TRUE(ConnectOk());
  sim::Fault f;
  f.kind = sim::FaultKind::Vanish;
  f.command = "HELLO";
  sim.InjectFault(f);
  Click(System(), CDlgMainSystem::kUpdate);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "エラー！ 機器と接続していません");
  EXPECT_EQ(boxes.boxes[0].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_FALSE(Enabled(System(), CDlgMainSystem::kUpdate));
  EXPECT_EQ(Text(CDlgMainSystem::kDeviceName), "");
}
