#pragma once
// CDialogEx: the dialog class that some of the program's dialogs derive
// from; nothing beyond CDialog is used.

#include "ui/Dialog.h"

class CDialogEx : public CDialog {
 public:
  CDialogEx() = default;
  explicit CDialogEx(UINT nIDTemplate, CWnd* pParentWnd = nullptr) : CDialog(nIDTemplate, pParentWnd) {}
};
