#pragma once
// A message service for tests: records every box and file dialog, answers
// them from queues, so that no test ever waits on a real one, and counts the
// beeps.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/MessageService.h"

class RecordingMessageService : public MessageService {
 public:
  struct Box {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
    int answer;
    UINT Icon() const { return type & MB_ICONMASK; }
    UINT Buttons() const { return type & MB_TYPEMASK; }
  };

  // Installs itself; the previous service comes back on destruction.
  RecordingMessageService();
  ~RecordingMessageService() override;

  int MessageBox(CWnd* owner, const std::string& text, const std::string& caption, UINT type) override;
  std::optional<std::string> FileDialog(const FileDialogRequest& request) override;
  void Beep() override { ++beeps; }

  // Queued answers; without one a box answers its default button (IDOK, IDYES,
  // ...) and a file dialog is cancelled.
  void Answer(int result) { m_answers.push_back(result); }
  void AnswerPath(const std::string& path) { m_paths.emplace_back(path); }
  void CancelFileDialog() { m_paths.emplace_back(std::nullopt); }

  std::vector<Box> boxes;
  std::vector<FileDialogRequest> fileDialogs;
  int beeps = 0;
  // Called for each box after it was recorded (e.g. to check a window state).
  std::function<void(const Box&)> onBox;

 private:
  std::deque<int> m_answers;
  std::deque<std::optional<std::string>> m_paths;
  MessageService* m_previous;
};
