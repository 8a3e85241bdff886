#pragma once
// CButton: push button, default button, check box, radio button or group box.

#include "ui/Wnd.h"

class CButton : public CWnd {
 public:
  int GetCheck() const;
  void SetCheck(int nCheck);
  // Clicks the button as the user would (its command goes to the parent).
  void Click();
};
