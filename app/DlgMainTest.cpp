#include "app/DlgMainTest.h"

#include "app/LoggerPage.h"

CDlgMainTest::CDlgMainTest() : CDialog(IDD) {}

CDlgMainTest::~CDlgMainTest() {
  if (GetSafeHwnd() != 0) DestroyWindow();
}

BOOL CDlgMainTest::PreTranslateMessage(MSG* msg) {
  if (loggerpage::IsEscapeKeyDown(msg)) return TRUE;
  return CDialog::PreTranslateMessage(msg);
}
