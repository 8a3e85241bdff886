// The progress window under a download's stream of counts: the first shows
// at once, the rest at most once a tick of its timer, the latest always.
#include <gtest/gtest.h>

#include "app/DlgWorking.h"
#include "app/Kestrix2CommApp.h"
#include "tests/app/AppTestSupport.h"

TEST(ProgressWindow, ABurstOfCountsShowsTheFirstAtOnceAndTheLatestOnTheNextTick) {
  EnsureQtApplication();
  theApp.InitStartupSettings();
  CDlgWorking dlg;
  ASSERT_TRUE(theApp.CreateWithFont(dlg, CDlgWorking::IDD, nullptr));
  dlg.SendMessage(WM_COMMAND, CDlgWorking::kSetTotal, 100000);
  for (long count = 1; count <= 500; ++count) dlg.SendMessage(WM_COMMAND, CDlgWorking::kSetCount, count);
  EXPECT_EQ(dlg.GetDlgItemText(CDlgWorking::kCaption), "通信中 ( 1 / 100000 )");
  dlg.SendMessage(WM_TIMER, CDlgWorking::kCountTimer, 0);
  EXPECT_EQ(dlg.GetDlgItemText(CDlgWorking::kCaption), "通信中 ( 500 / 100000 )");
  dlg.SendMessage(WM_COMMAND, CDlgWorking::kSetCount, 501);
  dlg.SendMessage(WM_TIMER, CDlgWorking::kCountTimer, 0);
  EXPECT_EQ(dlg.GetDlgItemText(CDlgWorking::kCaption), "通信中 ( 501 / 100000 )");
  dlg.DestroyWindow();
}
