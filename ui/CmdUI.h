#pragma once
// CCmdUI: what an update handler says about one command: enabled, checked.

#include "ui/WinDefs.h"

class CCmdUI {
 public:
  explicit CCmdUI(UINT id, BOOL enabled = TRUE, int check = 0) : m_nID(id), m_bEnabled(enabled), m_nCheck(check) {}
  void Enable(BOOL on = TRUE) { m_bEnabled = on; }
  void SetCheck(int check = 1) {
    m_nCheck = check;
    m_bCheckSet = true;
  }
  UINT m_nID;
  BOOL m_bEnabled;
  int m_nCheck;
  bool m_bCheckSet = false;
};
