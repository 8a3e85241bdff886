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

// The radio group that begins with the button of that id: towards the
// controls, the button at index value (counted in template order from that
// button) is checked and the others not; from them, value becomes the index
// of the checked button, -1 when none is.
void DDX_Radio(CDataExchange* dx, int id, int& value);
