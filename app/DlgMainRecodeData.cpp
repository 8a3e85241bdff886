#include "app/DlgMainRecodeData.h"

#include "app/LoggerPage.h"

CDlgMainRecodeData::CDlgMainRecodeData() : CDialog(IDD) {}

CDlgMainRecodeData::~CDlgMainRecodeData() {
  if (GetSafeHwnd() != 0) DestroyWindow();
}

BOOL CDlgMainRecodeData::PreTranslateMessage(MSG* msg) {
  if (loggerpage::IsEscapeKeyDown(msg)) return TRUE;
  return CDialog::PreTranslateMessage(msg);
}
