#pragma once
// The Data-recording page (tab "データ収録"): record download, error log and
// clearing the logger's memory; the panel enables its two read buttons while
// the port is open.

#include "app/KXCWorkingThread.h"
#include "ui/Dialog.h"

class CDlgMainRecodeData : public CDialog, public CKXCWorkingThread {
 public:
  enum { IDD = 323 };

  CDlgMainRecodeData();
  ~CDlgMainRecodeData() override;

 protected:
  BOOL PreTranslateMessage(MSG* msg) override;
  // A page is a child of the panel: Enter or an IDCANCEL must not hide it.
  void OnOK() override {}
  void OnCancel() override {}
};
