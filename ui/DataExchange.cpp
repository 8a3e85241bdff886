#include "ui/DataExchange.h"

#include "ui/Wnd.h"

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
  if (!dx || !dx->m_pDlgWnd || control.GetWidget()) return;
  CWnd* item = dx->m_pDlgWnd->GetDlgItem(id);
  if (!item || !item->GetWidget()) return;
  // The wrapper made with the dialog lets go, so the widget's events reach
  // the member alone; the handle stays the same.
  QWidget* widget = item->GetWidget();
  item->Detach();
  control.Attach(widget, id, false);
}
