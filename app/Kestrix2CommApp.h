#pragma once
// The application object: owns every long-lived object of the program (the
// terminal, the traffic log, the logger device object), brings the program
// up and chooses the dialog font for the screen in use.

#include <string>

#include "app/DlgTerminal.h"
#include "link/KX2Device.h"
#include "link/MLog.h"
#include "ui/DialogTemplate.h"
#include "ui/WinAppEx.h"

class CDialog;
class CMainFrame;

class CKestrix2CommApp : public CWinAppEx {
 public:
  // The version as the window title and the About box show it.
  static constexpr const char* kVersion = "Ver. 1.00";
  // Command ids of the application's own message map.
  static constexpr UINT kAppAbout = 57664;
  static constexpr UINT kConnect = 32771;

  CKestrix2CommApp();
  ~CKestrix2CommApp() override;

  BOOL InitInstance() override;
  int ExitInstance() override;
  // The font tables and the triple for the primary screen.
  void InitStartupSettings();
  // The same for a screen of that height (pixels) and logical resolution.
  void InitStartupSettings(int screenHeight, int logicalDpiY);
  // A string-table entry read as a decimal number; 0 when missing or not numeric.
  static int LoadStringAsInt(UINT id);
  void OnAppAbout();

  // The dialog font's point size: the base less the third value (the
  // measurement tab page alone uses the second value in its place).
  WORD GetDlgFontPointSize() const;
  WORD GetDlgFontPointSize2() const;
  // Loads the template and gives it the dialog font (string 102) at that size.
  static BOOL LoadDlgTemplateWithFont(UINT nIDTemplate, WORD nPointSize, CDialogTemplate& dlgTemplate);
  // The dialog font pattern for a modal dialog: runs it from its template
  // with the dialog font; -1 when the template cannot be loaded.
  INT_PTR DoModalWithFont(CDialog& dlg, UINT nIDTemplate, WORD nPointSize = 0);
  // Its first half, for a dialog whose own DoModal runs with the dialog
  // font: the next DoModal of the base builds from the changed template.
  BOOL InitModalWithFont(CDialog& dlg, UINT nIDTemplate, WORD nPointSize = 0);
  // The same for a modeless window (nPointSize 0: the dialog font's size).
  BOOL CreateWithFont(CDialog& dlg, UINT nIDTemplate, CWnd* pParent, WORD nPointSize = 0);

  // The window title: "Brimlet Control Software [Ver. 1.00]" and CR LF.
  static std::string MainWindowTitle();

  CDlgTerminal m_dlgTerminal;
  CMLog m_log;
  CKX2Device m_device;
  std::string m_strVersion;
  int m_nDlgFontSize = 12;
  int m_nDlgFontAdj2 = 2;
  int m_nDlgFontAdj = 2;
  int m_nFontSizeTbl[5] = {};
  int m_nFontAdj2Tbl[5] = {};
  int m_nFontAdjTbl[5] = {};
  CMainFrame* m_pMainFrame = nullptr;

 private:
  void WireLinkToWindows();
  void LoadFontTables();
  void SetDefaultSerialSettings();
};

extern CKestrix2CommApp theApp;
