#include "ui/RecordingMessageService.h"

#include "ui/Wnd.h"

RecordingMessageService::RecordingMessageService() : m_previous(SetMessageService(this)) {}

RecordingMessageService::~RecordingMessageService() { SetMessageService(m_previous); }

int RecordingMessageService::MessageBox(CWnd* owner, const std::string& text, const std::string& caption, UINT type) {
  int answer;
  if (!m_answers.empty()) {
    answer = m_answers.front();
    m_answers.pop_front();
  } else {
    static const int kFirst[] = {IDOK, IDOK, IDABORT, IDYES, IDYES, IDRETRY};
    static const int kSecond[] = {IDOK, IDCANCEL, IDRETRY, IDNO, IDNO, IDCANCEL};
    UINT buttons = std::min<UINT>(type & MB_TYPEMASK, 5);
    answer = (type & MB_DEFMASK) == MB_DEFBUTTON2 ? kSecond[buttons] : kFirst[buttons];
  }
  boxes.push_back(Box{owner ? owner->m_hWnd : 0, text, caption, type, answer});
  if (onBox) onBox(boxes.back());
  return answer;
}

std::optional<std::string> RecordingMessageService::FileDialog(const FileDialogRequest& request) {
  fileDialogs.push_back(request);
  if (m_paths.empty()) return std::nullopt;
  auto path = m_paths.front();
  m_paths.pop_front();
  return path;
}
