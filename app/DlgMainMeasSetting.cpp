#include "app/DlgMainMeasSetting.h"

#include "app/LoggerPage.h"

CDlgMainMeasSetting::CDlgMainMeasSetting() : CDialog(IDD) {}

CDlgMainMeasSetting::~CDlgMainMeasSetting() {
  if (GetSafeHwnd() != 0) DestroyWindow();
}

void CDlgMainMeasSetting::Refresh() {}

BOOL CDlgMainMeasSetting::PreTranslateMessage(MSG* msg) {
  if (loggerpage::IsEscapeKeyDown(msg)) return TRUE;
  return CDialog::PreTranslateMessage(msg);
}
