#pragma once
// The About box: the program's icon, name and version. It keeps its own
// template font.

#include "ui/DialogEx.h"

class CAboutDlg : public CDialogEx {
 public:
  enum { IDD = 100 };
  static constexpr UINT kVersionText = 1332;

  CAboutDlg();

 protected:
  BOOL OnInitDialog() override;
};
