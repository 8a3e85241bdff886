#pragma once
// The Measurement page (tab "測定・送信"): the logger's measurement state,
// schedule and rain criteria. Its own font is a step larger than the other
// pages'.

#include "app/KXCWorkingThread.h"
#include "ui/Dialog.h"

class CDlgMainMeasSetting : public CDialog, public CKXCWorkingThread {
 public:
  enum { IDD = 319 };

  CDlgMainMeasSetting();
  ~CDlgMainMeasSetting() override;

  // Fills the page from the records as last read.
  void Refresh();

 protected:
  BOOL PreTranslateMessage(MSG* msg) override;
  // A page is a child of the panel: Enter or an IDCANCEL must not hide it.
  void OnOK() override {}
  void OnCancel() override {}
};
