#pragma once
// CWinAppEx: the application object's base. AfxWinMain creates the Qt
// application, calls InitInstance, runs the message loop while it returned
// TRUE, then ExitInstance.

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "ui/WinDefs.h"

class CWnd;
class CSingleDocTemplate;

// The framework's standard command line: nothing of its own to parse.
class CCommandLineInfo {
 public:
  enum { FileNew, FileOpen, FileNothing } m_nShellCommand = FileNew;
};

class CWinAppEx {
 public:
  CWinAppEx();
  virtual ~CWinAppEx();
  CWinAppEx(const CWinAppEx&) = delete;
  CWinAppEx& operator=(const CWinAppEx&) = delete;

  virtual BOOL InitInstance();
  virtual int ExitInstance();
  // The message loop; returns the exit code given to PostQuitMessage.
  virtual int Run();
  // Commands that no window handled (the application's own message map).
  virtual BOOL OnCommand(UINT id);
  // The framework's document commands, for an application's map to name: a
  // new (empty) document, and a file chosen in an open dialog opened into it.
  void OnFileNew();
  void OnFileOpen();
  bool HasCommandHandler(UINT id) const { return m_commands.count(id) != 0; }

  // The single-document template (owned) and the shell command that makes
  // its document, frame and view.
  void AddDocTemplate(CSingleDocTemplate* docTemplate);
  void ParseCommandLine(CCommandLineInfo& info) { info.m_nShellCommand = CCommandLineInfo::FileNew; }
  BOOL ProcessShellCommand(CCommandLineInfo& info);
  // Destroys the templates' windows and objects (AfxWinMain does it before
  // the Qt application goes).
  void CloseDocTemplates();

  CWnd* m_pMainWnd = nullptr;

 protected:
  void MapCommand(UINT id, std::function<void()> handler) { m_commands[id] = std::move(handler); }

 private:
  std::map<UINT, std::function<void()>> m_commands;
  std::vector<std::unique_ptr<CSingleDocTemplate>> m_templates;
};

// The one application object (the last CWinAppEx constructed).
CWinAppEx* AfxGetApp();
CWnd* AfxGetMainWnd();
// Ends the message loop with that code.
void PostQuitMessage(int exitCode);

// The program's entry: builds the Qt application around the program's
// application object (LC_NUMERIC stays "C"), runs it and returns the exit
// code. The object is passed, not looked up: a static library's object file
// that nothing names would not be linked at all. Without a display to show
// windows on it says so in one sentence and returns 1.
int AfxWinMain(CWinAppEx& app, int argc, char** argv);
