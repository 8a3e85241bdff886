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

// "Log file(*.log)|*.log||" -> "Log file(*.log) (*.log)": a filter text as the
// program writes it (pairs split by '|'), in Qt's form.
QString QtFileFilter(const std::string& filter);
