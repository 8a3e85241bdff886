#pragma once
// Wizard page of setting item 6: the battery voltage below which the logger
// stops sending its data, typed in volts with one decimal and sent on Next
// in millivolts.

#include <string>

#include "app/STPositiveNumEdit.h"
#include "app/wizard/InputBaseDlg.h"

class CDlgInputBatAlart : public CInputBaseDlg {
 public:
  enum { IDD = 329 };
  enum : UINT { kVoltage = 1026 };

  CDlgInputBatAlart();
  // "BAT" with the edited level, on the worker thread: done or failed.
  WorkResult ThreadWork() override;

  // The typed volts as the millivolts the logger gets (truncated), when
  // they lie in its range; false otherwise (no number, NaN, out of range).
  static bool ToMillivolts(const std::string& text, int32_t* millivolts);

  CSTPositiveNumEdit m_editVoltage;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnBnClickedNext();
};
