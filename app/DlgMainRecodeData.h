#pragma once
// The Data-recording page (tab "データ収録"): record download, error log and
// clearing the logger's memory; the panel enables its two read buttons while
// the port is open.

#include "app/KXCWorkingThread.h"
#include "app/LoggerPage.h"
#include "ui/Dialog.h"

class CDlgMainRecodeData : public CDialog, public CKXCWorkingThread {
 public:
  enum { IDD = 323 };

  CDlgMainRecodeData();
  ~CDlgMainRecodeData() override { loggerpage::DestroyPageWindow(*this); }

 protected:
  // Page conventions (app/LoggerPage.h).
  BOOL PreTranslateMessage(MSG* msg) override { return loggerpage::TranslatePageMessage(*this, msg); }
  void OnOK() override {}
  void OnCancel() override {}
};
