#pragma once
// The tabbed panel of logger pages that fills the main window's client area
// while a logger is connected. It lies over the frame's client area as a
// child window, so it follows the frame without being moved by hand.

#include "ui/Dialog.h"

class CDlgRefMain : public CDialog {
 public:
  enum { IDD = 314 };

  CDlgRefMain();
  ~CDlgRefMain() override;

  // Shows the panel for a logger of that kind over the frame's client area
  // and fits the frame to it; FALSE when the window cannot be made.
  BOOL ShowPanel(CWnd* frame, int kind);
  void UpdatePages();

  int m_nDeviceKind = -1;

 protected:
  void OnOK() override {}
  void OnCancel() override {}
};
