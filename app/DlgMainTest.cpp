#include "app/DlgMainTest.h"

#include "app/DlgNowMonitor.h"
#include "app/LoggerPage.h"
#include "app/wizard/DlgInputTestMail.h"

CDlgMainTest::CDlgMainTest() : CLoggerPageDlg(IDD) {
  MapCommand(kCurrentValues, [this] { OnBnClickedCurrentValues(); });
  MapCommand(kAntenna, [this] { OnBnClickedAntenna(); });
  MapCommand(kTestMail, [this] { OnBnClickedTestMail(); });
}

void CDlgMainTest::Refresh() {
  const BOOL open = loggerpage::IsPortOpen() ? TRUE : FALSE;
  for (UINT id : {kCurrentValues, kAntenna, kTestMail}) {
    if (CWnd* button = GetDlgItem(static_cast<int>(id))) button->EnableWindow(open);
  }
}

void CDlgMainTest::OnBnClickedCurrentValues() {
  if (RefuseWhileBusy(this)) return;
  CDlgNowMonitor dlg;
  dlg.DoModal();
}

void CDlgMainTest::OnBnClickedAntenna() { loggerpage::ExecuteSettingItem(this, kItemAntenna, kAntennaFlags); }

// The test mail runs its page alone over this page, without the frame's
// setting-item road: it sets nothing, so nothing needs a re-read.
void CDlgMainTest::OnBnClickedTestMail() {
  if (RefuseWhileBusy(this)) return;
  CDlgInputTestMail page;
  page.RunPage(this, kTestMailFlags);
}
