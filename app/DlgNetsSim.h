#pragma once
// The Communication page (tab "通信設定"): the communication module's access
// point, user, password, authentication and IMEI.

#include "app/KXCWorkingThread.h"
#include "ui/Dialog.h"

class CDlgNetsSim : public CDialog, public CKXCWorkingThread {
 public:
  enum { IDD = 133 };

  CDlgNetsSim();
  ~CDlgNetsSim() override;

  // Fills the page from the records as last read.
  void Refresh();

 protected:
  BOOL PreTranslateMessage(MSG* msg) override;
  // A page is a child of the panel: Enter or an IDCANCEL must not hide it.
  void OnOK() override {}
  void OnCancel() override {}
};
