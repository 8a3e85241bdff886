// The tabbed panel: its five pages after a Connect, the tab switch, the
// buttons that follow the port, the room that every page gets and the keys
// that must not close it.
#include <QTabBar>

#include "app/DlgWorking.h"
#include "tests/app/PanelFixture.h"
#include "ui/TabControlWidget.h"

namespace {
// Is the control's whole rectangle inside the page's?
bool InsidePage(CWnd& page, int id) {
  CWnd* control = page.GetDlgItem(id);
  if (control == nullptr) return false;
  CRect p, c;
  page.GetWindowRect(&p);
  control->GetWindowRect(&c);
  return c.left >= p.left && c.top >= p.top && c.right <= p.right && c.bottom <= p.bottom;
}
}  // namespace

TEST_F(PanelTest, ConnectShowsFivePagesInTabOrderWithTheSystemPageOnTop) {
  ASSERT_TRUE(ConnectOk());
  ASSERT_NE(Panel().GetSafeHwnd(), 0);
  const char* titles[] = {"システム", "測定・送信", "通信設定", "テスト", "データ収録"};
  const UINT templates[] = {317, 319, 133, 322, 323};
  ASSERT_EQ(Panel().m_tab.GetItemCount(), 5);
  ASSERT_EQ(Panel().m_pages.size(), 5u);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Panel().m_tab.GetItemText(i), titles[i]);
    EXPECT_EQ(Panel().m_pages[i].nTemplateId, templates[i]);
  }
  EXPECT_EQ(Panel().m_tab.GetCurSel(), 0);
  EXPECT_TRUE(System().IsWindowVisible());
  for (int i = 1; i < 5; ++i) EXPECT_FALSE(Panel().m_pages[i].pPage->IsWindowVisible()) << titles[i];

  // The operator picks another tab: only that page shows, and the System
  // page's clock stops while it is hidden.
  auto* tabs = dynamic_cast<TabControlWidget*>(Panel().m_tab.GetWidget());
  ASSERT_NE(tabs, nullptr);
  tabs->Bar()->setCurrentIndex(3);
  ASSERT_TRUE(PumpUntil([&] { return Panel().m_pageTest.IsWindowVisible() != FALSE; }));
  EXPECT_FALSE(System().IsWindowVisible());
  EXPECT_EQ(System().m_nTimerId, 0u);
  tabs->Bar()->setCurrentIndex(0);
  ASSERT_TRUE(PumpUntil([&] { return System().IsWindowVisible() != FALSE; }));
  EXPECT_EQ(System().m_nTimerId, CDlgMainSystem::kClockTimer);
  EXPECT_FALSE(Panel().m_pageTest.IsWindowVisible());

  // Every page lies in the same place, the tab's display area.
  CRect first;
  System().GetWindowRect(&first);
  for (const auto& record : Panel().m_pages) {
    CRect r;
    record.pPage->GetWindowRect(&r);
    EXPECT_EQ(r, first) << record.nTemplateId;
  }
}

TEST_F(PanelTest, EveryControlOfEveryPageFitsOnItsPage) {
  // Two templates place controls beyond their own edges (the System page's
  // version and bottom buttons, the Communication page's IMEI button); the
  // measurement page brings a font of its own.
  theApp.m_nDlgFontAdj2 = -6;  // far larger than the other pages' font
  ASSERT_TRUE(ConnectOk());
  CRect tab;
  Panel().m_tab.GetClientRect(&tab);
  RECT templateSize{0, 0, 392, 294};
  Panel().MapDialogRect(&templateSize);
  EXPECT_GT(tab.Width(), templateSize.right);
  EXPECT_GT(tab.Height(), templateSize.bottom);
  for (UINT id : {CDlgMainSystem::kVersion, CDlgMainSystem::kProductLine, CDlgMainSystem::kInit,
                  CDlgMainSystem::kUpdate, CDlgMainSystem::kTimeSync}) {
    EXPECT_TRUE(InsidePage(System(), id)) << id;
  }
  EXPECT_TRUE(InsidePage(Panel().m_pageNetsSim, 1043));
  EXPECT_TRUE(InsidePage(Panel().m_pageRecodeData, 1019));
  for (int id : {1025, 1010, 1011, 1002}) EXPECT_TRUE(InsidePage(Panel().m_pageMeasSetting, id)) << id;
  EXPECT_GT(Panel().m_pageMeasSetting.GetDluMetrics().BaseY(), System().GetDluMetrics().BaseY());

  // The frame was fitted to the grown panel.
  CRect client, own;
  frame->GetClientRect(&client);
  Panel().GetClientRect(&own);
  EXPECT_EQ(client.Width(), own.Width());
  EXPECT_EQ(client.Height(), own.Height());
}

TEST_F(PanelTest, ReadButtonsFollowThePortAndClearKeepsItsState) {
  ASSERT_TRUE(ConnectOk());
  CDlgMainRecodeData& recode = Panel().m_pageRecodeData;
  CDlgMainTest& test = Panel().m_pageTest;
  for (int id : {1017, 1018, 1019}) EXPECT_TRUE(Enabled(recode, id)) << id;
  for (int id : {1081, 1082, 1083}) EXPECT_TRUE(Enabled(test, id)) << id;

  recode.GetDlgItem(1019)->EnableWindow(FALSE);
  theApp.m_device.ClosePort();
  Panel().UpdatePages();
  EXPECT_FALSE(Enabled(recode, 1017));
  EXPECT_FALSE(Enabled(recode, 1018));
  EXPECT_FALSE(Enabled(recode, 1019));  // untouched, still as it was set
  for (int id : {1081, 1082, 1083}) EXPECT_FALSE(Enabled(test, id)) << id;

  recode.GetDlgItem(1019)->EnableWindow(TRUE);
  ASSERT_EQ(theApp.m_device.OpenPort(DevicePath(sim.SlavePath())), PortOpenResult::kOpened);
  Panel().UpdatePages();
  EXPECT_TRUE(Enabled(recode, 1017));
  EXPECT_TRUE(Enabled(recode, 1019));
  EXPECT_TRUE(Enabled(test, 1083));
}

TEST_F(PanelTest, ShowPanelKeepsTheWindowForTheSameKindAndRebuildsItForAnother) {
  ASSERT_TRUE(ConnectOk());
  const int kind = Panel().m_nDeviceKind;
  Panel().m_tab.SetCurSel(2);
  const HWND before = Panel().GetSafeHwnd();
  ASSERT_TRUE(Panel().ShowPanel(frame, kind));
  EXPECT_EQ(Panel().GetSafeHwnd(), before);
  EXPECT_EQ(Panel().m_tab.GetCurSel(), 2);

  ASSERT_TRUE(Panel().ShowPanel(frame, kind + 1));
  EXPECT_EQ(Panel().m_nDeviceKind, kind + 1);
  EXPECT_NE(Panel().GetSafeHwnd(), before);
  EXPECT_EQ(Panel().m_tab.GetCurSel(), 0);
  EXPECT_EQ(Panel().m_pages.size(), 5u);
  EXPECT_TRUE(System().IsWindowVisible());
}

TEST_F(PanelTest, EnterAndEscLeaveThePanelAndItsPageOpen) {
  ASSERT_TRUE(ConnectOk());
  for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
    PressKey(Panel().GetWidget(), key);
    PressKey(System().GetWidget(), key);
    PressKey(Panel().m_pageNetsSim.GetWidget(), key);
    PressKey(System().GetDlgItem(CDlgMainSystem::kDeviceTime)->GetWidget(), key);
    PumpUntil([] { return false; }, 50);
    EXPECT_NE(Panel().GetSafeHwnd(), 0);
    EXPECT_TRUE(Panel().IsWindowVisible()) << key;
    EXPECT_TRUE(System().IsWindowVisible()) << key;
  }
  // IDOK and IDCANCEL that reach the panel or a page close nothing either.
  for (CWnd* w : {static_cast<CWnd*>(&Panel()), static_cast<CWnd*>(&System())}) {
    w->SendMessage(WM_COMMAND, IDOK, 0);
    w->SendMessage(WM_COMMAND, IDCANCEL, 0);
  }
  EXPECT_TRUE(Panel().IsWindowVisible());
  EXPECT_TRUE(System().IsWindowVisible());
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(PanelTest, DisconnectDestroysThePanelAndItsPages) {
  ASSERT_TRUE(ConnectOk());
  frame->SendMessage(WM_COMMAND, CMainFrame::ID_DISCONNECT, 0);
  ASSERT_TRUE(PumpUntil([] { return !CKXCWorkingThread::IsOperationRunning(); }));
  EXPECT_EQ(Panel().GetSafeHwnd(), 0);
  EXPECT_EQ(System().GetSafeHwnd(), 0);
  EXPECT_EQ(System().m_nTimerId, 0u);
  EXPECT_TRUE(Panel().m_pages.empty());
  EXPECT_EQ(Panel().m_nDeviceKind, -1);
  Panel().UpdatePages();  // no window: nothing to do, nothing to crash
}

// A download whose re-read finds the logger gone says so instead of asking
// for a range, and the frame then lets go of the link and says that once.
TEST_F(PanelTest, ADownloadWhoseReReadFindsTheLinkGoneSaysSo) {
  ASSERT_TRUE(ConnectOk());
  sim.InjectFault({sim::FaultKind::Vanish, "RD SYS", 1});
  int dialogs = 0;
  CDialog::SetModalHook([&dialogs](CDialog* dlg) {
    ++dialogs;
    dlg->SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
  Click(Panel().m_pageRecodeData, CDlgMainRecodeData::kReadData);
  EXPECT_EQ(dialogs, 0);
  ASSERT_TRUE(PumpUntil([&] { return frame->m_nState == 0; }));
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[0].text, "エラー！ 機器と接続していません");
  EXPECT_EQ(boxes.boxes[1].text.rfind("機器との接続が切れました。", 0), 0u);
  EXPECT_EQ(Panel().GetSafeHwnd(), 0);
}

// While one operation runs no window but its progress window and the
// terminal takes input; a click that reaches a page all the same starts
// nothing and says that another operation runs.
TEST_F(PanelTest, WhileAnOperationRunsOnlyItsProgressWindowAndTheTerminalTakeInput) {
  ASSERT_TRUE(ConnectOk());
  std::vector<BOOL> enabled;
  WhenPumped([&] {
    enabled = {frame->IsWindowEnabled(), Panel().m_tab.IsWindowEnabled(), g_pCurWorkingDlg->IsWindowEnabled(),
               theApp.m_dlgTerminal.IsWindowEnabled()};
    Click(System(), CDlgMainSystem::kUpdate);
  });
  const size_t before = sim.ReceivedCommands().size();
  Click(Panel().m_pageMeasSetting, CDlgMainMeasSetting::kStopMeasure);
  EXPECT_EQ(enabled, (std::vector<BOOL>{FALSE, FALSE, TRUE, TRUE}));
  EXPECT_EQ(SentSince(before), (std::vector<std::string>{"ST STP", "RD SYS"}));
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[0].text, res::LoadString(res::kStrBusy));
  EXPECT_TRUE(frame->IsWindowEnabled());
}
