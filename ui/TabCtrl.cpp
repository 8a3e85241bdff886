#include "ui/TabCtrl.h"

#include "ui/QtText.h"
#include "ui/TabControlWidget.h"

namespace {
TabControlWidget* Tabs(QWidget* w) { return dynamic_cast<TabControlWidget*>(w); }

struct ProgrammaticChange {
  explicit ProgrammaticChange(TabControlWidget* t) : tabs(t) { tabs->m_bProgrammatic = true; }
  ~ProgrammaticChange() { tabs->m_bProgrammatic = false; }
  TabControlWidget* tabs;
};
}  // namespace

int CTabCtrl::InsertItem(int item, const std::string& text) {
  TabControlWidget* t = Tabs(GetWidget());
  if (!t || item < 0) return -1;
  ProgrammaticChange guard(t);
  return t->Bar()->insertTab(std::min(item, t->Bar()->count()), ToQ(text));
}

BOOL CTabCtrl::DeleteAllItems() {
  TabControlWidget* t = Tabs(GetWidget());
  if (!t) return FALSE;
  ProgrammaticChange guard(t);
  while (t->Bar()->count() > 0) t->Bar()->removeTab(0);
  return TRUE;
}

int CTabCtrl::GetItemCount() const {
  TabControlWidget* t = Tabs(GetWidget());
  return t ? t->Bar()->count() : 0;
}

int CTabCtrl::GetCurSel() const {
  TabControlWidget* t = Tabs(GetWidget());
  return t ? t->Bar()->currentIndex() : -1;
}

int CTabCtrl::SetCurSel(int item) {
  TabControlWidget* t = Tabs(GetWidget());
  if (!t || item < 0 || item >= t->Bar()->count()) return -1;
  ProgrammaticChange guard(t);
  int old = t->Bar()->currentIndex();
  t->Bar()->setCurrentIndex(item);
  return old;
}

std::string CTabCtrl::GetItemText(int item) const {
  TabControlWidget* t = Tabs(GetWidget());
  return t && item >= 0 && item < t->Bar()->count() ? FromQ(t->Bar()->tabText(item)) : std::string();
}

void CTabCtrl::AdjustRect(BOOL larger, LPRECT rc) const {
  TabControlWidget* t = Tabs(GetWidget());
  if (!t || !rc) return;
  QRect d = t->DisplayRect();
  int l = d.left(), tp = d.top(), r = t->width() - (d.left() + d.width()), b = t->height() - (d.top() + d.height());
  int s = larger ? -1 : 1;
  rc->left += s * l;
  rc->top += s * tp;
  rc->right -= s * r;
  rc->bottom -= s * b;
}
