#include "ui/WinAppEx.h"

#include <QApplication>
#include <clocale>

#include "ui/KeyboardHook.h"
#include "ui/MessagePump.h"
#include "ui/Wnd.h"

namespace {
CWinAppEx* g_app = nullptr;
}

CWinAppEx::CWinAppEx() { g_app = this; }

CWinAppEx::~CWinAppEx() {
  if (g_app == this) g_app = nullptr;
}

BOOL CWinAppEx::InitInstance() { return TRUE; }
int CWinAppEx::ExitInstance() { return 0; }

int CWinAppEx::Run() { return QApplication::exec(); }

BOOL CWinAppEx::OnCommand(UINT id) {
  auto it = m_commands.find(id);
  if (it == m_commands.end()) return FALSE;
  auto handler = it->second;
  handler();
  return TRUE;
}

CWinAppEx* AfxGetApp() { return g_app; }
CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

void PostQuitMessage(int exitCode) { QCoreApplication::exit(exitCode); }

int AfxWinMain(int argc, char** argv) {
  QApplication app(argc, argv);
  // Qt took the locale from the environment; the core's numbers keep their
  // full stop.
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setQuitOnLastWindowClosed(false);
  InstallUiPlatformServices();
  InstallKeyboardFilter();
  CWinAppEx* theApp = AfxGetApp();
  if (!theApp) return 1;
  int code = 0;
  if (theApp->InitInstance()) code = theApp->Run();
  int exitCode = theApp->ExitInstance();
  return code != 0 ? code : exitCode;
}
