#include "app/DlgMainTest.h"

#include "app/DlgNowMonitor.h"

CDlgMainTest::CDlgMainTest() : CDialog(IDD) {
  MapCommand(kCurrentValues, [this] { OnBnClickedCurrentValues(); });
  MapCommand(kAntenna, [this] { OnBnClickedAntenna(); });
  MapCommand(kTestMail, [this] { OnBnClickedTestMail(); });
}

void CDlgMainTest::OnBnClickedCurrentValues() {
  CDlgNowMonitor dlg;
  dlg.DoModal();
}

void CDlgMainTest::OnBnClickedAntenna() { loggerpage::ExecuteSettingItem(this, kItemAntenna, kAntennaFlags); }
void CDlgMainTest::OnBnClickedTestMail() { loggerpage::ExecuteSettingItem(this, kItemTestMail, kTestMailFlags); }
