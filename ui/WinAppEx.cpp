#include "ui/WinAppEx.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "ui/ApplicationSetUp.h"
#include "ui/FileDialog.h"
#include "ui/SingleDocTemplate.h"
#include "ui/TerminateRequest.h"
#include "ui/Wnd.h"

namespace {
CWinAppEx* g_app = nullptr;

// Without a display Qt's platform plugin ends the process with a long report
// and an abort; the operator gets one sentence and a failing status instead.
constexpr const char* kNoDisplay =
    "no display to show the window on: start it from a desktop session, or set DISPLAY (or WAYLAND_DISPLAY) to a "
    "running display";

const char* g_programName = "kestrix2comm";
std::vector<std::pair<QtMsgType, QString>>* g_heldMessages = nullptr;
QtMessageHandler g_previousHandler = nullptr;

[[noreturn]] void EndForNoDisplay() {
  std::fprintf(stderr, "%s: %s.\n", g_programName, kNoDisplay);
  std::fflush(stderr);
  std::_Exit(1);
}

// While the application is made, Qt's messages are held back: when no
// display can be reached they would only bury the one sentence that matters.
void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) EndForNoDisplay();
  if (g_heldMessages) {
    g_heldMessages->emplace_back(type, text);
  } else if (g_previousHandler) {
    g_previousHandler(type, context, text);
  }
}

bool DisplayNamed() {
  return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
         !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}
}  // namespace

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

int AfxWinMain(CWinAppEx& theApp, int argc, char** argv) {
  if (argc > 0 && argv[0]) {
    const char* slash = std::strrchr(argv[0], '/');
    g_programName = slash ? slash + 1 : argv[0];
  }
  if (!DisplayNamed()) EndForNoDisplay();
  std::vector<std::pair<QtMsgType, QString>> held;
  g_heldMessages = &held;
  g_previousHandler = qInstallMessageHandler(HoldMessage);
  QApplication app(argc, argv);
  qInstallMessageHandler(g_previousHandler);
  g_heldMessages = nullptr;
  for (const auto& [type, text] : held) qt_message_output(type, QMessageLogContext(), text);
  SetUpQtApplication(true);
  int code = 0;
  if (theApp.InitInstance()) {
    CTerminateRequest closeOnTerminate;
    code = theApp.Run();
  }
  int exitCode = theApp.ExitInstance();
  // Every window goes while Qt still stands; the application object itself
  // (and what it holds) goes at process exit.
  theApp.CloseDocTemplates();
  CWnd::DestroyAllWindows();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return code != 0 ? code : exitCode;
}
