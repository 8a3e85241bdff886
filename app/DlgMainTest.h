#pragma once
// The Test page (tab "テスト"): current values, the antenna check and a test
// mail; the panel enables its buttons while the port is open.

#include "ui/Dialog.h"

class CDlgMainTest : public CDialog {
 public:
  enum { IDD = 322 };

  CDlgMainTest();
  ~CDlgMainTest() override;

 protected:
  BOOL PreTranslateMessage(MSG* msg) override;
  // A page is a child of the panel: Enter or an IDCANCEL must not hide it.
  void OnOK() override {}
  void OnCancel() override {}
};
