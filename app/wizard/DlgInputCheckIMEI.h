#pragma once
// Wizard page that asks the communication module for its IMEI when the
// operator presses 確認: "成功" when the module gave one. The digits are
// neither kept nor shown; the records are not re-read after it.

#include "app/wizard/InputBaseDlg.h"

class CDlgInputCheckIMEI : public CInputBaseDlg {
 public:
  enum { IDD = 401 };
  enum : UINT { kCheckButton = 1044 };

  CDlgInputCheckIMEI();
  // "MAIL IMEI", on the worker thread: done when an IMEI came.
  WorkResult ThreadWork() override;

 protected:
  BOOL OnInitDialog() override;
  void OnBnClickedCheck();
};
