#pragma once
// The Measurement page (tab "測定・送信"): the logger's measurement state,
// schedule and rain criteria. Its own font is a step larger than the other
// pages'.

#include "app/KXCWorkingThread.h"
#include "app/LoggerPage.h"
#include "ui/Dialog.h"

class CDlgMainMeasSetting : public CDialog, public CKXCWorkingThread {
 public:
  enum { IDD = 319 };

  CDlgMainMeasSetting();
  ~CDlgMainMeasSetting() override { loggerpage::DestroyPageWindow(*this); }

  // Fills the page from the records as last read.
  void Refresh();

 protected:
  // Page conventions (app/LoggerPage.h).
  BOOL PreTranslateMessage(MSG* msg) override { return loggerpage::TranslatePageMessage(*this, msg); }
  void OnOK() override {}
  void OnCancel() override {}
};
