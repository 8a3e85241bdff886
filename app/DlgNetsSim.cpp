#include "app/DlgNetsSim.h"

#include "app/LoggerPage.h"

CDlgNetsSim::CDlgNetsSim() : CDialog(IDD) {}

CDlgNetsSim::~CDlgNetsSim() {
  if (GetSafeHwnd() != 0) DestroyWindow();
}

void CDlgNetsSim::Refresh() {}

BOOL CDlgNetsSim::PreTranslateMessage(MSG* msg) {
  if (loggerpage::IsEscapeKeyDown(msg)) return TRUE;
  return CDialog::PreTranslateMessage(msg);
}
