#include "app/Kestrix2CommApp.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstdio>

#include "app/AboutDlg.h"
#include "app/Kestrix2CommDoc.h"
#include "app/Kestrix2CommView.h"
#include "app/MainFrame.h"
#include "platform/Memory.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "ui/Dialog.h"
#include "ui/Document.h"
#include "ui/MessagePump.h"
#include "ui/MessageService.h"
#include "ui/SingleDocTemplate.h"

CKestrix2CommApp theApp;

namespace {
constexpr UINT kMainResource = 128;

// Upper bounds of screen classes 0-3 (heights in 96-dpi pixels); class 4 above.
constexpr int kClassBounds[] = {500, 700, 800, 1050};
}  // namespace

CKestrix2CommApp::CKestrix2CommApp() : m_strVersion(kVersion) {
  MapCommand(kAppAbout, [this] { OnAppAbout(); });
  // The framework's own handlers; the program adds nothing to them.
  MapCommand(ID_FILE_NEW, [this] { CWinAppEx::OnFileNew(); });
  MapCommand(ID_FILE_OPEN, [this] { CWinAppEx::OnFileOpen(); });
}

CKestrix2CommApp::~CKestrix2CommApp() {
  // The version text goes first; the device object, the log and the
  // terminal follow as members, in that order.
  m_strVersion.clear();
  if (m_dlgTerminal.GetSafeHwnd() != 0) m_dlgTerminal.DestroyWindow();
}

std::string CKestrix2CommApp::MainWindowTitle() {
  char title[96];
  std::snprintf(title, sizeof title, "Brimlet Control Software [%s]\r\n", kVersion);
  return title;
}

BOOL CKestrix2CommApp::InitInstance() {
  // The graphics library, common controls, OLE, the control container,
  // taskbar identity, registry key and the framework's menu and tooltip
  // managers have no counterpart here. What can fail in their place is the
  // window system itself: without an application on this thread no window
  // can be made.
  CWinAppEx::InitInstance();
  if (!IsUiThread()) {
    std::fprintf(stderr, "%s\n", res::LoadString(res::kStrOleInitFailed).c_str());
    return FALSE;
  }

  platform::LimitRetainedMemory();
  WireLinkToWindows();
  InitStartupSettings();

  AddDocTemplate(new CSingleDocTemplate(
      kMainResource, [] { return new CKestrix2CommDoc; }, [] { return new CMainFrame; },
      [] { return new CKestrix2CommView; }));

  CCommandLineInfo cmdInfo;
  ParseCommandLine(cmdInfo);
  if (!ProcessShellCommand(cmdInfo)) return FALSE;
  if (!m_pMainWnd) return FALSE;

  m_pMainWnd->SetWindowText(MainWindowTitle());
  m_pMainWnd->ShowWindow(SW_SHOW);
  m_pMainWnd->UpdateWindow();

  if (m_log.m_echoBuffer.Init() != 1) {
    ShowMessageBox(nullptr, "Memory error!", nullptr, MB_ICONEXCLAMATION);
    return FALSE;
  }

  SetDefaultSerialSettings();

  // The main frame is the main window; the first thing the message loop
  // does is connect.
  if (m_pMainFrame) m_pMainWnd->PostMessage(WM_COMMAND, kConnect, 0);
  return TRUE;
}

int CKestrix2CommApp::ExitInstance() { return CWinAppEx::ExitInstance(); }

// The link layer reaches the window side only through hooks: the echo of
// every byte, the terminal's pump while an exchange waits, and window
// handles it may post to.
void CKestrix2CommApp::WireLinkToWindows() {
  InstallUiPlatformServices();
  SetEchoLog(&m_log);
  m_dlgTerminal.SetLink(&m_device.m_port, &m_log);
  CDlgTerminal::InstallAsPump(&m_dlgTerminal);
}

void CKestrix2CommApp::SetDefaultSerialSettings() {
  platform::DCB dcb{};
  dcb.DCBlength = 28;
  dcb.BaudRate = 9600;
  dcb.fBinary = 1;
  dcb.XonLim = 2048;
  dcb.XoffLim = 4096;
  dcb.ByteSize = 8;
  dcb.Parity = platform::NOPARITY;
  dcb.StopBits = platform::ONESTOPBIT;
  dcb.XonChar = 0x11;
  dcb.XoffChar = 0x13;
  dcb.ErrorChar = 0;
  dcb.EofChar = 0x03;
  dcb.EvtChar = 0x02;
  m_device.m_dcb = dcb;
}

void CKestrix2CommApp::InitStartupSettings() {
  QScreen* screen = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
  if (!screen) {
    // No screen to measure: the triple keeps its values from construction.
    LoadFontTables();
    return;
  }
  const int dpi = static_cast<int>(screen->logicalDotsPerInchY() + 0.5);
  InitStartupSettings(screen->geometry().height(), dpi > 0 ? dpi : 96);
}

void CKestrix2CommApp::InitStartupSettings(int screenHeight, int logicalDpiY) {
  LoadFontTables();
  const int height = MulDiv(screenHeight, 96, logicalDpiY > 0 ? logicalDpiY : 96);
  int screenClass = 4;
  for (int i = 0; i < 4; ++i) {
    if (height < kClassBounds[i]) {
      screenClass = i;
      break;
    }
  }
  m_nDlgFontSize = m_nFontSizeTbl[screenClass];
  m_nDlgFontAdj2 = m_nFontAdj2Tbl[screenClass];
  m_nDlgFontAdj = m_nFontAdjTbl[screenClass];
}

// Only a missing base value is corrected: a font of size 0 cannot be made,
// while a missing adjustment simply counts as none.
void CKestrix2CommApp::LoadFontTables() {
  for (int i = 0; i < 5; ++i) {
    m_nFontSizeTbl[i] = LoadStringAsInt(res::kStrFontSizeFirst + i);
    m_nFontAdj2Tbl[i] = LoadStringAsInt(res::kStrFontAdj2First + 2 * i);
    m_nFontAdjTbl[i] = LoadStringAsInt(res::kStrFontAdjFirst + 2 * i);
  }
  for (int& size : m_nFontSizeTbl) {
    if (size == 0) size = 10;
  }
}

int CKestrix2CommApp::LoadStringAsInt(UINT id) {
  // As the C library's atoi: blanks, a sign, then digits up to the first
  // other character.
  const std::string text = res::LoadString(id);
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 1000000000LL; ++i) {
    value = value * 10 + (text[i] - '0');
  }
  return static_cast<int>(negative ? -value : value);
}

void CKestrix2CommApp::OnAppAbout() {
  CAboutDlg aboutDlg;
  aboutDlg.DoModal();
}

WORD CKestrix2CommApp::GetDlgFontPointSize() const {
  return static_cast<WORD>(static_cast<int>(LOWORD(static_cast<uintptr_t>(m_nDlgFontSize))) - m_nDlgFontAdj);
}

WORD CKestrix2CommApp::GetDlgFontPointSize2() const {
  return static_cast<WORD>(static_cast<int>(LOWORD(static_cast<uintptr_t>(m_nDlgFontSize))) - m_nDlgFontAdj2);
}

BOOL CKestrix2CommApp::LoadDlgTemplateWithFont(UINT nIDTemplate, WORD nPointSize, CDialogTemplate& dlgTemplate) {
  if (!dlgTemplate.Load(nIDTemplate)) return FALSE;
  return dlgTemplate.SetFont(res::LoadString(res::kStrDialogFontFace), nPointSize);
}

INT_PTR CKestrix2CommApp::DoModalWithFont(CDialog& dlg, UINT nIDTemplate, WORD nPointSize) {
  if (!InitModalWithFont(dlg, nIDTemplate, nPointSize)) return -1;
  return dlg.DoModal();
}

BOOL CKestrix2CommApp::InitModalWithFont(CDialog& dlg, UINT nIDTemplate, WORD nPointSize) {
  CDialogTemplate dlgTemplate;
  if (!LoadDlgTemplateWithFont(nIDTemplate, nPointSize ? nPointSize : GetDlgFontPointSize(), dlgTemplate)) {
    return FALSE;
  }
  dlg.m_lpszTemplateName = nullptr;
  dlg.m_nIDHelp = 0;
  return dlg.InitModalIndirect(dlgTemplate, nullptr);
}

BOOL CKestrix2CommApp::CreateWithFont(CDialog& dlg, UINT nIDTemplate, CWnd* pParent, WORD nPointSize) {
  CDialogTemplate dlgTemplate;
  if (!LoadDlgTemplateWithFont(nIDTemplate, nPointSize ? nPointSize : GetDlgFontPointSize(), dlgTemplate)) {
    return FALSE;
  }
  return dlg.CreateIndirect(dlgTemplate, pParent);
}
