// The setting-item buttons of the logger pages reach the main frame's entry
// with their item and the wizard's page flags; the re-read buttons re-read.
#include <tuple>

#include "tests/app/PanelFixture.h"

namespace {
// The main window, watching what the pages hand it.
class WatchedFrame : public CMainFrame {
 public:
  void ExecuteSettingItem(CWnd* caller, int index, unsigned flags) override {
    calls.emplace_back(caller, index, flags);
    CMainFrame::ExecuteSettingItem(caller, index, flags);
  }
  std::vector<std::tuple<CWnd*, int, unsigned>> calls;
};

class SettingButtonsTest : public PanelTest {
 protected:
  CMainFrame* NewFrame() override { return new WatchedFrame; }
  WatchedFrame& Watched() { return *static_cast<WatchedFrame*>(frame); }
};
}  // namespace

TEST_F(SettingButtonsTest, EachButtonHandsItsItemAndFlagsToTheFrame) {
  ASSERT_TRUE(ConnectOk());
  CDlgRefMain& panel = Panel();
  struct Case {
    CWnd* page;
    int button;
    int item;
    unsigned flags;
  };
  // Each button's wizard page is cancelled as it opens: nothing is written.
  std::vector<UINT> pages;
  CDialog::SetModalHook([&pages](CDialog* dlg) {
    pages.push_back(dlg->m_nIDTemplate);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  const Case cases[] = {
      {&panel.m_pageSystem, CDlgMainSystem::kInit, 0, 0},
      {&panel.m_pageSystem, CDlgMainSystem::kBatteryAlarm, 6, 0},
      {&panel.m_pageSystem, CDlgMainSystem::kInputSetting, 3, 0},
      {&panel.m_pageMeasSetting, CDlgMainMeasSetting::kMeasureSetting, 22, 0},
      {&panel.m_pageMeasSetting, CDlgMainMeasSetting::kCriteriaSetting, 21, 0},
      {&panel.m_pageNetsSim, CDlgNetsSim::kApnSetting, 11, 0},
      // The checks of the Test page run without a re-read afterwards.
      {&panel.m_pageTest, CDlgMainTest::kAntenna, 19, 0x1000},
  };
  const size_t before = sim.ReceivedCommands().size();
  for (const Case& c : cases) {
    Watched().calls.clear();
    Click(*c.page, c.button);
    ASSERT_EQ(Watched().calls.size(), 1u) << c.button;
    EXPECT_EQ(Watched().calls[0], std::make_tuple(c.page, c.item, c.flags)) << c.button;
  }
  EXPECT_TRUE(SentSince(before).empty());
  EXPECT_TRUE(boxes.boxes.empty());

  // The test mail and the IMEI check run their pages alone, not through the
  // frame's setting-item road.
  Watched().calls.clear();
  pages.clear();
  Click(panel.m_pageTest, CDlgMainTest::kTestMail);
  Click(panel.m_pageNetsSim, CDlgNetsSim::kCheckImei);
  EXPECT_TRUE(Watched().calls.empty());
  EXPECT_EQ(pages, (std::vector<UINT>{387, 401}));
  EXPECT_TRUE(SentSince(before).empty());
  CDialog::SetModalHook(nullptr);
}

TEST_F(SettingButtonsTest, TheMeasurementPagesUpdateReReadsEverythingAndRefreshes) {
  ASSERT_TRUE(ConnectOk());
  CDlgMainMeasSetting& meas = Panel().m_pageMeasSetting;
  ASSERT_EQ(meas.GetDlgItemText(CDlgMainMeasSetting::kSendCount), "6");
  sim.Update([](sim::SimState& s) { s.sendCount = 9; });
  const size_t before = sim.ReceivedCommands().size();
  Click(meas, CDlgMainMeasSetting::kUpdate);
  ASSERT_EQ(Watched().calls.size(), 1u);
  EXPECT_EQ(Watched().calls[0], std::make_tuple(static_cast<CWnd*>(&meas), -1, 0u));
  EXPECT_EQ(SentSince(before), (std::vector<std::string>{"HELLO", "RD SYS", "MAIL DSP"}));
  EXPECT_EQ(meas.GetDlgItemText(CDlgMainMeasSetting::kSendCount), "9");
}
