#pragma once
// Wizard page that has the logger send a test mail when the operator presses
// 送信: "成功" once the logger reports it sent. The records are not re-read
// after it.

#include "app/wizard/InputBaseDlg.h"

class CDlgInputTestMail : public CInputBaseDlg {
 public:
  enum { IDD = 387 };
  enum : UINT { kSendButton = 1044 };

  CDlgInputTestMail();
  // "MAIL START" and its end, on the worker thread: done once sent, else failed.
  WorkResult ThreadWork() override;

 protected:
  BOOL OnInitDialog() override;
  void OnBnClickedSend();
};
