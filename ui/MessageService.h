#pragma once
// Message boxes, file dialogs and the refusal beep go through one service, so
// that tests can answer and count them: the default shows real Qt boxes, a
// test installs a recording double (RecordingMessageService).

#include <optional>
#include <string>

#include "ui/WinDefs.h"

class CWnd;

enum : DWORD {
  OFN_READONLY = 0x1,
  OFN_OVERWRITEPROMPT = 0x2,
  OFN_HIDEREADONLY = 0x4,
  OFN_PATHMUSTEXIST = 0x800,
  OFN_FILEMUSTEXIST = 0x1000,
};

struct FileDialogRequest {
  bool open = true;        // open dialog; false for a save dialog
  std::string defaultExt;  // without the full stop, e.g. "log"
  std::string fileName;    // proposed name
  DWORD flags = 0;         // OFN_ bits
  std::string filter;      // "desc|*.ext|...||"
  std::string title;       // empty: the dialog's own title
  std::string initialDir;  // empty: the current folder
  CWnd* owner = nullptr;
};

class MessageService {
 public:
  virtual ~MessageService() = default;
  // type: MB_ bits (buttons, icon, default button); returns IDOK, IDCANCEL, IDYES, ...
  virtual int MessageBox(CWnd* owner, const std::string& text, const std::string& caption, UINT type) = 0;
  // The chosen full path, or nothing when the dialog was cancelled.
  virtual std::optional<std::string> FileDialog(const FileDialogRequest& request) = 0;
  // The platform's short warning sound.
  virtual void Beep() = 0;
};

// The service in force (the Qt one unless a test installed another).
MessageService& GetMessageService();
// Installs a service (nullptr: the default again); returns the previous one.
MessageService* SetMessageService(MessageService* service);

// The application's name: caption of boxes that give none.
std::string AfxGetAppName();

// A box with the application's name as caption, owned by the main window.
int AfxMessageBox(const std::string& text, UINT type = MB_OK);
// The full message-box call: a null caption gives the application's name.
int ShowMessageBox(CWnd* owner, const std::string& text, const char* caption, UINT type);
// The sound that tells the operator an input was refused; every sound type
// (MB_OK, MB_ICON...) gives the platform's one beep.
BOOL MessageBeep(UINT type = MB_OK);
