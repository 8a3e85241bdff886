#pragma once
// Wizard page of setting item 3: the rain depth per counter pulse (mm per
// count), chosen from the list or typed, checked, and on Next sent to the
// logger when it differs from the value read.

#include "app/wizard/InputBaseDlg.h"
#include "ui/ComboBox.h"

class CDlgInputIoRain : public CInputBaseDlg {
 public:
  enum { IDD = 402 };
  enum : UINT { kRainCombo = 1186 };

  CDlgInputIoRain();
  // "RCAL" with the edited value when it differs from the value read, on the
  // worker thread: done (or nothing to send) or failed.
  WorkResult ThreadWork() override;

  // The entered text as the value the logger gets: its leading number
  // rounded to two decimals, when that lies in 0.01-2.00. False otherwise
  // (a value that would go out as 0.00, or no number at all).
  static bool ToRainPerCount(const std::string& text, double* value);

  CComboBox m_comboRain;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnBnClickedNext();
};
