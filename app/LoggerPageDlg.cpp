#include "app/LoggerPageDlg.h"

#include "app/LoggerPage.h"

CLoggerPageDlg::CLoggerPageDlg(UINT nIDTemplate) : CDialog(nIDTemplate) {}

CLoggerPageDlg::~CLoggerPageDlg() { loggerpage::DestroyPageWindow(*this); }

BOOL CLoggerPageDlg::PreTranslateMessage(MSG* msg) { return loggerpage::TranslatePageMessage(*this, msg); }
