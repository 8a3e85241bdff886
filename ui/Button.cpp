#include "ui/Button.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QEvent>

#include "ui/ControlFactory.h"

// Hands the button's paint events to CButton::OnPaint; the control paints
// itself only when the handler leaves it to the base.
class ButtonPaintFilter : public QObject {
 public:
  ButtonPaintFilter(CButton* button, QObject* parent) : QObject(parent), m_button(button) {}
  CButton* m_button;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (!m_button || e->type() != QEvent::Paint || watched != parent()) return false;
    m_button->m_bDefaultPaint = false;
    m_button->OnPaint();
    return !m_button->m_bDefaultPaint;
  }
};

CButton::CButton() = default;

CButton::~CButton() {
  if (auto* f = static_cast<ButtonPaintFilter*>(m_paintFilter.data())) f->m_button = nullptr;
}

void CButton::OnAttached() {
  auto* f = new ButtonPaintFilter(this, GetWidget());
  GetWidget()->installEventFilter(f);
  m_paintFilter = f;
}

void CButton::OnDetaching() {
  if (auto* f = static_cast<ButtonPaintFilter*>(m_paintFilter.data())) {
    f->m_button = nullptr;
    f->deleteLater();
  }
  m_paintFilter = nullptr;
}

void CButton::OnPaint() { m_bDefaultPaint = true; }

UINT CButton::GetButtonStyle() const {
  uint64_t style = TemplateStyleOf(GetWidget());
  UINT bs = 0;
  if (style & res::CS_LEFT) bs |= BS_LEFT;
  if (style & res::CS_RIGHT) bs |= BS_RIGHT;
  if (style & res::CS_CENTER) bs |= BS_CENTER;
  if (style & res::CS_PUSHLIKE) bs |= BS_PUSHLIKE;
  return bs;
}

int CButton::GetCheck() const {
  auto* b = qobject_cast<QAbstractButton*>(GetWidget());
  return b && b->isCheckable() && b->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}

void CButton::SetCheck(int nCheck) {
  if (auto* b = qobject_cast<QAbstractButton*>(GetWidget())) {
    if (!b->isCheckable()) return;
    // Radio buttons of the platform do not uncheck each other on SetCheck.
    bool exclusive = b->autoExclusive();
    QButtonGroup* group = b->group();
    bool groupExclusive = group && group->exclusive();
    b->setAutoExclusive(false);
    if (group) group->setExclusive(false);
    b->setChecked(nCheck == BST_CHECKED);
    if (group) group->setExclusive(groupExclusive);
    b->setAutoExclusive(exclusive);
  }
}

void CButton::Click() {
  if (auto* b = qobject_cast<QAbstractButton*>(GetWidget())) b->click();
}
