#include "ui/MFCMaskedEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <cstring>

#include "platform/Text.h"
#include "ui/Clipboard.h"
#include "ui/MessageService.h"
#include "ui/QtText.h"

// The Delete key reaches the control without a character, so it never
// passes OnChar; left to the control it would shorten the pattern.
class MaskedDeleteFilter : public QObject {
 public:
  MaskedDeleteFilter(CMFCMaskedEdit* edit, QObject* parent) : QObject(parent), m_edit(edit) {}
  CMFCMaskedEdit* m_edit;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (m_edit == nullptr || !m_edit->HasMask() || e->type() != QEvent::KeyPress) return false;
    if (static_cast<QKeyEvent*>(e)->key() != Qt::Key_Delete) return false;
    auto* line = qobject_cast<QLineEdit*>(m_edit->GetWidget());
    if (line == nullptr || line->isReadOnly()) return false;
    m_edit->Delete();
    return true;
  }
};

CMFCMaskedEdit::CMFCMaskedEdit() = default;

CMFCMaskedEdit::~CMFCMaskedEdit() {
  if (auto* f = static_cast<MaskedDeleteFilter*>(m_deleteFilter.data())) f->m_edit = nullptr;
}

void CMFCMaskedEdit::EnableMask(const char* mask, const char* inputTemplate, char placeholder, const char* validChars) {
  if (mask == nullptr || inputTemplate == nullptr || *mask == '\0' || std::strlen(mask) != std::strlen(inputTemplate)) {
    return;
  }
  m_strMask = mask;
  m_strTemplate = inputTemplate;
  m_chPlaceholder = placeholder;
  SetValidChars(validChars);
  if (GetWidget() != nullptr) CWnd::OnSetText(m_strTemplate);
}

void CMFCMaskedEdit::DisableMask() {
  m_strMask.clear();
  m_strTemplate.clear();
}

void CMFCMaskedEdit::SetValidChars(const char* validChars) {
  m_bValidSet = validChars != nullptr;
  m_strValid = validChars != nullptr ? validChars : "";
}

void CMFCMaskedEdit::EnableGetMaskedCharsOnly(BOOL enable) { m_bGetMaskedCharsOnly = enable != FALSE; }
void CMFCMaskedEdit::EnableSetMaskedCharsOnly(BOOL enable) { m_bSetMaskedCharsOnly = enable != FALSE; }

void CMFCMaskedEdit::OnAttached() {
  CEdit::OnAttached();
  auto* f = new MaskedDeleteFilter(this, GetWidget());
  GetWidget()->installEventFilter(f);
  m_deleteFilter = f;
  if (HasMask() && !FitsPattern(Shown())) CWnd::OnSetText(m_strTemplate);
}

void CMFCMaskedEdit::OnDetaching() {
  if (auto* f = static_cast<MaskedDeleteFilter*>(m_deleteFilter.data())) {
    f->m_edit = nullptr;
    f->deleteLater();
  }
  m_deleteFilter = nullptr;
  CEdit::OnDetaching();
}

bool CMFCMaskedEdit::Takes(char32_t c, size_t i) const {
  if (c < 0x20 || c > 0x7E) return false;
  const char ch = static_cast<char>(c);
  const bool digit = ch >= '0' && ch <= '9';
  const bool letter = (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
  bool ok = false;
  switch (m_strMask[i]) {
    case 'D':
      ok = digit;
      break;
    case 'd':
      ok = digit || ch == ' ';
      break;
    case '+':
      ok = ch == '+' || ch == '-' || ch == ' ';
      break;
    case 'C':
      ok = letter;
      break;
    case 'c':
      ok = letter || ch == ' ';
      break;
    case 'A':
      ok = letter || digit;
      break;
    case 'a':
      ok = letter || digit || ch == ' ';
      break;
    case '*':
      ok = true;
      break;
    default:
      break;
  }
  return ok && (!m_bValidSet || m_strValid.find(ch) != std::string::npos);
}

bool CMFCMaskedEdit::FitsPattern(const std::string& text) const {
  if (text.size() != m_strMask.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (!IsMaskPosition(i)) {
      if (text[i] != m_strTemplate[i]) return false;
    } else if (text[i] != m_chPlaceholder && !Takes(c, i)) {
      return false;
    }
  }
  return true;
}

std::string CMFCMaskedEdit::Shown() const { return CWnd::OnGetText(); }

void CMFCMaskedEdit::Selection(int& start, int& end) const {
  const_cast<CMFCMaskedEdit*>(this)->GetSel(start, end);
  const int n = static_cast<int>(m_strMask.size());
  start = start < 0 ? 0 : (start > n ? n : start);
  end = end < start ? start : (end > n ? n : end);
}

void CMFCMaskedEdit::Show(const std::string& text, int caret) {
  auto* line = qobject_cast<QLineEdit*>(GetWidget());
  if (line == nullptr) return;
  if (FromQ(line->text()) != text) line->setText(ToQ(text));
  line->setCursorPosition(caret);
}

void CMFCMaskedEdit::Clear(std::string& text, int start, int end) const {
  for (int i = start; i < end; ++i) {
    if (IsMaskPosition(static_cast<size_t>(i))) text[static_cast<size_t>(i)] = m_chPlaceholder;
  }
}

bool CMFCMaskedEdit::Type(std::string& text, int& caret, char32_t c) const {
  const size_t n = text.size();
  const size_t at = static_cast<size_t>(caret);
  size_t pos = at;
  while (pos < n && !IsMaskPosition(pos)) ++pos;
  if (pos < n && Takes(c, pos)) {
    text[pos] = static_cast<char>(c);
    caret = static_cast<int>(pos + 1);
    return true;
  }
  // A separator typed where it stands steps over it.
  if (at < n && !IsMaskPosition(at) && c == static_cast<unsigned char>(text[at])) {
    caret = static_cast<int>(at + 1);
    return true;
  }
  return false;
}

void CMFCMaskedEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  auto* line = qobject_cast<QLineEdit*>(GetWidget());
  if (!HasMask() || line == nullptr || line->isReadOnly()) {
    CEdit::OnChar(nChar, nRepCnt, nFlags);
    return;
  }
  switch (nChar) {
    case 8:
      Backspace();
      return;
    case 22:
      PasteIntoPattern();
      return;
    case 24:
      Cut();
      return;
    default:
      break;
  }
  // Copy, select-all, undo and the like are the control's own; whatever
  // they would change still has to fit the pattern.
  if (nChar < 0x20 || nChar == 0x7F) {
    CEdit::OnChar(nChar, nRepCnt, nFlags);
    return;
  }
  TypeChar(nChar);
}

bool CMFCMaskedEdit::TakeSelection(std::string& text, int& caret) const {
  text = Shown();
  if (!FitsPattern(text)) text = m_strTemplate;
  int start = 0, end = 0;
  Selection(start, end);
  Clear(text, start, end);
  caret = start;
  return start != end;
}

void CMFCMaskedEdit::TypeChar(char32_t c) {
  std::string text;
  int caret = 0;
  TakeSelection(text, caret);
  if (Type(text, caret, c)) {
    Show(text, caret);
  } else {
    MessageBeep(MB_OK);
  }
}

void CMFCMaskedEdit::Backspace() {
  std::string text;
  int caret = 0;
  if (!TakeSelection(text, caret)) {
    do {
      --caret;
    } while (caret >= 0 && !IsMaskPosition(static_cast<size_t>(caret)));
    if (caret < 0) return;
    text[static_cast<size_t>(caret)] = m_chPlaceholder;
  }
  Show(text, caret);
}

void CMFCMaskedEdit::Delete() {
  std::string text;
  int caret = 0;
  if (!TakeSelection(text, caret)) {
    size_t pos = static_cast<size_t>(caret);
    while (pos < text.size() && !IsMaskPosition(pos)) ++pos;
    if (pos >= text.size()) return;
    text[pos] = m_chPlaceholder;
    caret = static_cast<int>(pos + 1);
  }
  Show(text, caret);
}

void CMFCMaskedEdit::PasteIntoPattern() {
  std::string clip;
  if (!GetClipboardText(clip)) return;
  clip = platform::TrimPastedText(clip);
  if (FitsPattern(clip)) {
    Show(clip, static_cast<int>(clip.size()));
    return;
  }
  // Otherwise the text goes in as if typed from the caret, whole or not at all.
  std::string text;
  int caret = 0;
  TakeSelection(text, caret);
  for (char32_t c : ToQ(clip).toUcs4()) {
    if (!Type(text, caret, c)) {
      MessageBeep(MB_OK);
      return;
    }
  }
  Show(text, caret);
}

void CMFCMaskedEdit::Cut() {
  int start = 0, end = 0;
  Selection(start, end);
  if (start == end) return;
  SetClipboardText(Shown().substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
  std::string text;
  int caret = 0;
  TakeSelection(text, caret);
  Show(text, caret);
}

BOOL CMFCMaskedEdit::CanTakeText(const std::string& text) { return !HasMask() || FitsPattern(text) ? TRUE : FALSE; }

void CMFCMaskedEdit::OnSetText(const std::string& text) {
  if (!HasMask()) {
    CEdit::OnSetText(text);
    return;
  }
  std::string whole = text;
  if (m_bSetMaskedCharsOnly) {
    whole = m_strTemplate;
    size_t k = 0;
    for (size_t i = 0; i < whole.size(); ++i) {
      if (!IsMaskPosition(i)) continue;
      if (k >= text.size()) return;
      whole[i] = text[k++];
    }
    if (k != text.size()) return;
  }
  if (FitsPattern(whole)) CEdit::OnSetText(whole);
}

std::string CMFCMaskedEdit::OnGetText() const {
  const std::string shown = Shown();
  if (!HasMask() || !m_bGetMaskedCharsOnly) return shown;
  std::string out;
  for (size_t i = 0; i < shown.size() && i < m_strMask.size(); ++i) {
    if (IsMaskPosition(i)) out.push_back(shown[i]);
  }
  return out;
}
