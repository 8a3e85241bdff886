#pragma once
// The Communication page (tab "通信設定"): the communication module's access
// point, user, password, authentication and IMEI.

#include "app/KXCWorkingThread.h"
#include "app/LoggerPage.h"
#include "ui/Dialog.h"

class CDlgNetsSim : public CDialog, public CKXCWorkingThread {
 public:
  enum { IDD = 133 };

  CDlgNetsSim();
  ~CDlgNetsSim() override { loggerpage::DestroyPageWindow(*this); }

  // Fills the page from the records as last read.
  void Refresh();

 protected:
  // Page conventions (app/LoggerPage.h).
  BOOL PreTranslateMessage(MSG* msg) override { return loggerpage::TranslatePageMessage(*this, msg); }
  void OnOK() override {}
  void OnCancel() override {}
};
