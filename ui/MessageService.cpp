#include "ui/MessageService.h"

#include "res/StringTable.h"
#include "ui/QtMessageService.h"
#include "ui/WinAppEx.h"
#include "ui/Wnd.h"

namespace {
MessageService* g_service = nullptr;

// The title of the application: string 57344 of the table when it has one.
constexpr unsigned kAppTitleString = 57344;
}  // namespace

MessageService& GetMessageService() {
  static QtMessageService qtService;
  return g_service ? *g_service : qtService;
}

MessageService* SetMessageService(MessageService* service) {
  MessageService* previous = g_service;
  g_service = service;
  return previous;
}

std::string AfxGetAppName() {
  if (const char* title = res::FindString(kAppTitleString)) return title;
  return "Kestrix2Comm";
}

int ShowMessageBox(CWnd* owner, const std::string& text, const char* caption, UINT type) {
  return GetMessageService().MessageBox(owner, text, caption ? std::string(caption) : AfxGetAppName(), type);
}

int AfxMessageBox(const std::string& text, UINT type) { return ShowMessageBox(AfxGetMainWnd(), text, nullptr, type); }

BOOL MessageBeep(UINT) {
  GetMessageService().Beep();
  return TRUE;
}
