#pragma once
// The message service of the running program: real Qt message boxes and
// file dialogs.

#include <QString>

#include "ui/MessageService.h"

class QtMessageService : public MessageService {
 public:
  int MessageBox(CWnd* owner, const std::string& text, const std::string& caption, UINT type) override;
  std::optional<std::string> FileDialog(const FileDialogRequest& request) override;
};

// A filter text as the program writes it (description and patterns, split by
// '|') in Qt's form: "Text|*.txt||" -> "Text (*.txt)"; a description that
// already shows its patterns stays as it is: "Log file(*.log)|*.log||" ->
// "Log file(*.log)".
QString QtFileFilter(const std::string& filter);
