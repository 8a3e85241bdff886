#include "ui/Edit.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include "ui/QtText.h"

class EditCharFilter : public QObject {
 public:
  EditCharFilter(CEdit* edit, QObject* parent) : QObject(parent), m_edit(edit) {}
  CEdit* m_edit;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (!m_edit) return false;
    if (e->type() == QEvent::KeyPress) {
      auto* ke = static_cast<QKeyEvent*>(e);
      QString t = ke->text();
      if (t.size() != 1 || ke->key() == Qt::Key_Delete) return false;
      UINT ch = t.at(0).unicode();
      if (ch == 9 || ch == 13 || ch == 27) return false;  // dialog keys, not characters of the field
      return !m_edit->FilterChar(ch);
    }
    if (e->type() == QEvent::InputMethod) {
      auto* ie = static_cast<QInputMethodEvent*>(e);
      QString commit = ie->commitString(), kept;
      for (QChar c : commit) {
        if (m_edit->FilterChar(c.unicode())) kept += c;
      }
      if (kept != commit) ie->setCommitString(kept);
      return false;
    }
    if (e->type() == QEvent::FocusOut) {
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
};

CEdit::CEdit() = default;

CEdit::~CEdit() {
  if (auto* f = static_cast<EditCharFilter*>(m_filter)) f->m_edit = nullptr;
}

void CEdit::OnDetaching() {
  if (auto* f = static_cast<EditCharFilter*>(m_filter)) {
    f->m_edit = nullptr;
    f->deleteLater();
  }
  m_filter = nullptr;
}

void CEdit::OnAttached() {
  auto* f = new EditCharFilter(this, GetWidget());
  GetWidget()->installEventFilter(f);
  m_filter = f;
}

bool CEdit::FilterChar(UINT ch) {
  m_bCharPassed = false;
  OnChar(ch, 1, 0);
  return m_bCharPassed;
}

void CEdit::OnChar(UINT, UINT, UINT) { m_bCharPassed = true; }
void CEdit::OnKillFocus(CWnd*) {}

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
