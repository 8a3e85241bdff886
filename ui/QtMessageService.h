#pragma once
// The message service of the running program: real Qt message boxes and
// file dialogs.

#include <QString>
#include <memory>

#include "ui/MessageService.h"

class QFileDialog;
class QMessageBox;

class QtMessageService : public MessageService {
 public:
  int MessageBox(CWnd* owner, const std::string& text, const std::string& caption, UINT type) override;
  std::optional<std::string> FileDialog(const FileDialogRequest& request) override;
  void Beep() override;
};

// A filter text as the program writes it (description and patterns, split by
// '|') in Qt's form: "Text|*.txt||" -> "Text (*.txt)"; a description that
// already shows its patterns stays as it is: "Log file(*.log)|*.log||" ->
// "Log file(*.log)".
QString QtFileFilter(const std::string& filter);

// The box and the file dialog as the service shows them, made but not run
// (the service runs them; the picture tool only shows them).
std::unique_ptr<QMessageBox> MakeMessageBox(CWnd* owner, const std::string& text, const std::string& caption,
                                            UINT type);
std::unique_ptr<QFileDialog> MakeFileDialog(const FileDialogRequest& request);
