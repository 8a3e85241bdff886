#include "ui/Edit.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTextCursor>
#include <QTextDocument>
#include <QValidator>
#include <algorithm>

#include "platform/Text.h"
#include "ui/Clipboard.h"
#include "ui/MessageService.h"
#include "ui/QtText.h"

namespace {
constexpr UINT kCtrlV = 22;
}  // namespace

class EditCharFilter : public QObject {
 public:
  EditCharFilter(CEdit* edit, QObject* parent) : QObject(parent), m_edit(edit) {}
  CEdit* m_edit;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (!m_edit) return false;
    auto* line = qobject_cast<QLineEdit*>(watched);
    if (e->type() == QEvent::KeyPress) {
      auto* ke = static_cast<QKeyEvent*>(e);
      if (ke->matches(QKeySequence::SelectAll)) return false;  // the control's own
      if (line != nullptr && ke->matches(QKeySequence::Paste)) {
        m_edit->Paste();
        return true;
      }
      return KeyPress(ke);
    }
    if (line != nullptr && e->type() == QEvent::ContextMenu) {
      ContextMenu(line, static_cast<QContextMenuEvent*>(e));
      return true;
    }
    if (line != nullptr && e->type() == QEvent::Drop && !m_bDropping) return Drop(line, static_cast<QDropEvent*>(e));
    if (e->type() == QEvent::InputMethod) {
      auto* ie = static_cast<QInputMethodEvent*>(e);
      QString commit = ie->commitString(), kept;
      for (char32_t c : commit.toUcs4()) {
        if (m_edit->FilterChar(c)) kept += QString::fromUcs4(&c, 1);
      }
      if (kept != commit) ie->setCommitString(kept);
      return false;
    }
    if (e->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(e)->reason() != Qt::PopupFocusReason) {
      CWnd* next = CWnd::FromWidget(QApplication::focusWidget());
      m_edit->m_bKillFocusConsumed = false;
      m_edit->OnKillFocus(next);
      if (!m_edit->m_bKillFocusConsumed) {
        if (CWnd* parent = m_edit->GetParent()) {
          parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(m_edit->GetDlgCtrlID()), EN_KILLFOCUS),
                              m_edit->m_hWnd);
        }
      }
    }
    return false;
  }

 private:
  bool m_bDropping = false;

  // The control's own menu, whose Paste goes the way of Ctrl+V.
  void ContextMenu(QLineEdit* line, QContextMenuEvent* e) {
    QMenu* menu = line->createStandardContextMenu();
    for (QAction* action : menu->actions()) {
      if (QObject::disconnect(action, SIGNAL(triggered()), line, SLOT(paste())) ||
          QObject::disconnect(action, &QAction::triggered, line, &QLineEdit::paste)) {
        QObject::connect(action, &QAction::triggered, this, [this] {
          if (m_edit) m_edit->Paste();
        });
      }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(e->globalPos());
  }

  // A drop from elsewhere goes to the control with its text trimmed as a
  // pasted one; a drop within the field moves its own text unchanged.
  bool Drop(QLineEdit* line, QDropEvent* e) {
    if (e->source() == line || !e->mimeData()->hasText()) return false;
    const QString before = line->text();
    QMimeData data;
    data.setText(ToQ(platform::TrimPastedText(FromQ(e->mimeData()->text()))));
    QDropEvent trimmed(e->position(), e->possibleActions(), &data, e->buttons(), e->modifiers());
    m_bDropping = true;
    QCoreApplication::sendEvent(line, &trimmed);
    m_bDropping = false;
    e->setDropAction(trimmed.dropAction());
    e->setAccepted(trimmed.isAccepted());
    if (!data.text().isEmpty() && line->text() == before) MessageBeep(MB_OK);
    return true;
  }

  // TRUE eats the key: one of its characters was refused.
  bool KeyPress(QKeyEvent* ke) {
    QString t = ke->text();
    if (t.isEmpty() || ke->key() == Qt::Key_Delete) return false;
    if (t.size() == 1 && (t[0] == u'\t' || t[0] == u'\r' || t[0] == u'\x1b')) {
      return false;  // dialog keys, not characters of the field
    }
    // A key may give several characters (or one outside the 16-bit range):
    // each is offered on its own, and the key goes only when all are taken.
    for (char32_t c : t.toUcs4()) {
      if (!m_edit->FilterChar(c)) return true;
    }
    return false;
  }
};

class EditTextValidator : public QValidator {
 public:
  EditTextValidator(CEdit* edit, QValidator* previous, QObject* parent)
      : QValidator(parent), m_edit(edit), m_previous(previous) {}
  CEdit* m_edit;
  QPointer<QValidator> m_previous;

  State validate(QString& input, int& pos) const override {
    State state = m_previous ? m_previous->validate(input, pos) : Acceptable;
    if (state == Invalid || !m_edit) return state;
    return m_edit->CanTakeText(FromQ(input)) ? state : Invalid;
  }
};

CEdit::CEdit() = default;

CEdit::~CEdit() {
  if (auto* f = static_cast<EditCharFilter*>(m_filter.data())) f->m_edit = nullptr;
  if (auto* v = static_cast<EditTextValidator*>(m_validator.data())) v->m_edit = nullptr;
}

void CEdit::OnDetaching() {
  if (auto* f = static_cast<EditCharFilter*>(m_filter.data())) {
    f->m_edit = nullptr;
    f->deleteLater();
  }
  m_filter = nullptr;
  if (auto* v = static_cast<EditTextValidator*>(m_validator.data())) {
    v->m_edit = nullptr;
    if (auto* line = qobject_cast<QLineEdit*>(GetWidget())) line->setValidator(v->m_previous);
    v->deleteLater();
  }
  m_validator = nullptr;
}

void CEdit::OnAttached() {
  QWidget* w = GetWidget();
  auto* f = new EditCharFilter(this, w);
  w->installEventFilter(f);
  m_filter = f;
  // Qt checks every change of a line edit's text against its validator and
  // takes back a refused one, selection included, whichever way it came.
  if (auto* line = qobject_cast<QLineEdit*>(w)) {
    auto* v = new EditTextValidator(this, const_cast<QValidator*>(line->validator()), line);
    line->setValidator(v);
    m_validator = v;
  }
}

bool CEdit::FilterChar(UINT ch) {
  m_bCharPassed = false;
  OnChar(ch, 1, 0);
  return m_bCharPassed;
}

void CEdit::Paste() {
  QWidget* w = GetWidget();
  if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
    if (FilterChar(kCtrlV)) plain->paste();
    return;
  }
  auto* line = qobject_cast<QLineEdit*>(w);
  if (line == nullptr || line->isReadOnly() || !FilterChar(kCtrlV)) return;
  std::string clip;
  if (GetClipboardText(clip)) InsertPasted(platform::TrimPastedText(clip));
}

void CEdit::InsertPasted(const std::string& text) {
  auto* line = qobject_cast<QLineEdit*>(GetWidget());
  if (line == nullptr || text.empty()) return;
  const QString pasted = ToQ(text);
  const QString before = line->text();
  int start = line->cursorPosition(), end = start;
  if (line->hasSelectedText()) {
    start = line->selectionStart();
    end = line->selectionEnd();
  }
  line->insert(pasted);
  // The validator takes back a refused change whole.
  if (line->text() != before.left(start) + pasted + before.mid(end)) MessageBeep(MB_OK);
}

void CEdit::OnChar(UINT, UINT, UINT) { m_bCharPassed = true; }
void CEdit::OnKillFocus(CWnd*) {}
BOOL CEdit::CanTakeText(const std::string&) { return TRUE; }

int CEdit::GetPasswordChar() const {
  auto* line = qobject_cast<QLineEdit*>(GetWidget());
  if (!line || line->echoMode() == QLineEdit::Normal) return 0;
  return line->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, line);
}

void CEdit::SetSel(int start, int end, BOOL) {
  QWidget* w = GetWidget();
  if (auto* line = qobject_cast<QLineEdit*>(w)) {
    int len = static_cast<int>(line->text().size());
    if (start < 0) {
      line->deselect();
      return;
    }
    if (end < 0 || end > len) end = len;
    line->setSelection(start, end - start);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
    QTextCursor c = plain->textCursor();
    int len = plain->document()->characterCount() - 1;
    if (end < 0 || end > len) end = len;
    c.setPosition(std::min(std::max(start, 0), len));
    c.setPosition(end, QTextCursor::KeepAnchor);
    plain->setTextCursor(c);
  }
}

void CEdit::GetSel(int& start, int& end) const {
  start = end = 0;
  QWidget* w = GetWidget();
  if (auto* line = qobject_cast<QLineEdit*>(w)) {
    if (line->hasSelectedText()) {
      start = line->selectionStart();
      end = line->selectionEnd();
    } else {
      start = end = line->cursorPosition();
    }
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
    QTextCursor c = plain->textCursor();
    start = c.selectionStart();
    end = c.selectionEnd();
  }
}

void CEdit::ReplaceSel(const std::string& text, BOOL) {
  QWidget* w = GetWidget();
  if (auto* line = qobject_cast<QLineEdit*>(w)) {
    line->insert(ToQ(text));
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
    QString s = ToQ(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain->insertPlainText(s);
  }
}
