#pragma once
// The Test page (tab "テスト"): current values, the antenna check and a test
// mail; the panel enables its buttons while the port is open.

#include "app/LoggerPage.h"
#include "ui/Dialog.h"

class CDlgMainTest : public CDialog {
 public:
  enum { IDD = 322 };

  CDlgMainTest();
  ~CDlgMainTest() override { loggerpage::DestroyPageWindow(*this); }

 protected:
  // Page conventions (app/LoggerPage.h).
  BOOL PreTranslateMessage(MSG* msg) override { return loggerpage::TranslatePageMessage(*this, msg); }
  void OnOK() override {}
  void OnCancel() override {}
};
