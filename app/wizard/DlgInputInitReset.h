#pragma once
// Wizard page of setting item 0: resets the logger to its initial settings
// when the operator presses リセット. Next moves on without sending anything.

#include "app/wizard/InputBaseDlg.h"

class CDlgInputInitReset : public CInputBaseDlg {
 public:
  enum { IDD = 362 };
  enum : UINT { kResetButton = 1021 };

  CDlgInputInitReset();
  // The reset, on the worker thread: done or failed.
  WorkResult ThreadWork() override;
};
