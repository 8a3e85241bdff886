#include "ui/DialogWidget.h"

#include <QKeyEvent>
#include <QPushButton>

#include "ui/Wnd.h"

DialogWidget::DialogWidget(CWnd* owner, QWidget* parent) : QDialog(parent), m_owner(owner) {}

void DialogWidget::keyPressEvent(QKeyEvent* e) {
  if (!m_owner || (e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
    QDialog::keyPressEvent(e);
    return;
  }
  switch (e->key()) {
    case Qt::Key_Escape:
      m_owner->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      // A focused push button takes Enter; otherwise the default button's
      // command, IDOK when the template has none.
      if (auto* b = qobject_cast<QPushButton*>(focusWidget()); b && isAncestorOf(b) && b->isEnabled()) {
        b->click();
        return;
      }
      int id = IDOK;
      for (QPushButton* b : findChildren<QPushButton*>()) {
        if (b->isDefault()) {
          id = b->property("kx2id").toInt();
          if (!b->isEnabled()) return;
          break;
        }
      }
      m_owner->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED), 0);
      return;
    }
    default:
      QDialog::keyPressEvent(e);
  }
}

// Qt's own ways to reject (the close shortcut) become IDCANCEL.
void DialogWidget::reject() {
  if (m_owner) m_owner->SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}
