#pragma once
// Dialog data exchange: binds member controls to the controls that a dialog
// built from its template.

#include "ui/WinDefs.h"

class CWnd;

class CDataExchange {
 public:
  CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
  BOOL m_bSaveAndValidate;
  CWnd* m_pDlgWnd;
};

// The member control takes over the template control of that id (once).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
