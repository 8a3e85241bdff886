#include "ui/WinAppEx.h"

#include <QApplication>

#include "ui/ApplicationSetUp.h"
#include "ui/FileDialog.h"
#include "ui/SingleDocTemplate.h"
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

void CWinAppEx::OnFileNew() {
  for (auto& t : m_templates) t->OpenDocumentFile(nullptr);
}

void CWinAppEx::OnFileOpen() {
  if (m_templates.empty()) return;
  CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, "すべてのファイル (*.*)|*.*||",
                  m_pMainWnd);
  if (dlg.DoModal() != IDOK) return;
  m_templates.front()->OpenDocumentFile(dlg.GetPathName().c_str());
}

void CWinAppEx::AddDocTemplate(CSingleDocTemplate* docTemplate) { m_templates.emplace_back(docTemplate); }

BOOL CWinAppEx::ProcessShellCommand(CCommandLineInfo& info) {
  if (info.m_nShellCommand != CCommandLineInfo::FileNew) return TRUE;
  for (auto& t : m_templates) {
    if (!t->OpenDocumentFile()) return FALSE;
  }
  return TRUE;
}

void CWinAppEx::CloseDocTemplates() {
  for (auto& t : m_templates) t->Close();
}

CWinAppEx* AfxGetApp() { return g_app; }
CWnd* AfxGetMainWnd() { return g_app ? g_app->m_pMainWnd : nullptr; }

void PostQuitMessage(int exitCode) { QCoreApplication::exit(exitCode); }

int AfxWinMain(int argc, char** argv) {
  QApplication app(argc, argv);
  SetUpQtApplication(true);
  CWinAppEx* theApp = AfxGetApp();
  if (!theApp) return 1;
  int code = 0;
  if (theApp->InitInstance()) code = theApp->Run();
  int exitCode = theApp->ExitInstance();
  // Every window goes while Qt still stands; the application object itself
  // (and what it holds) goes at process exit.
  theApp->CloseDocTemplates();
  CWnd::DestroyAllWindows();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return code != 0 ? code : exitCode;
}
