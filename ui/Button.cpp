#include "ui/Button.h"

#include <QAbstractButton>
#include <QButtonGroup>

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
