#include "app/AboutDlg.h"

#include "app/Kestrix2CommApp.h"

CAboutDlg::CAboutDlg() : CDialogEx(IDD) {}

BOOL CAboutDlg::OnInitDialog() {
  CDialogEx::OnInitDialog();
  SetDlgItemText(kVersionText, CKestrix2CommApp::kVersion);
  return TRUE;
}
