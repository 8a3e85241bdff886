#include "ui/DataExchange.h"

#include <QWidget>

#include "ui/Button.h"
#include "ui/ControlFactory.h"
#include "ui/Wnd.h"

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (!dx || !dx->m_pDlgWnd || control.GetWidget()) return;
  control.SubclassDlgItem(static_cast<UINT>(id), dx->m_pDlgWnd);
}

void DDX_Radio(CDataExchange* dx, int id, int& value) {
  if (!dx || !dx->m_pDlgWnd || !dx->m_pDlgWnd->GetWidget()) return;
  CWnd* first = dx->m_pDlgWnd->GetDlgItem(id);
  QObject* group = first ? RadioGroupOf(first->GetWidget()) : nullptr;
  if (!group) return;
  if (dx->m_bSaveAndValidate) value = -1;
  int index = 0;
  bool counting = false;
  // The dialog's children stand in template order; a group's buttons are
  // never raised or lowered out of it. Counting starts at the named button.
  for (QObject* o : dx->m_pDlgWnd->GetWidget()->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    counting = counting || w == first->GetWidget();
    if (!counting || RadioGroupOf(w) != group) continue;
    auto* button = dynamic_cast<CButton*>(CWnd::FromWidget(w));
    if (button && button->GetWidget() == w) {
      if (dx->m_bSaveAndValidate) {
        if (button->GetCheck() == BST_CHECKED) value = index;
      } else {
        button->SetCheck(index == value ? BST_CHECKED : BST_UNCHECKED);
      }
    }
    ++index;
  }
}
