#include "ui/ListCtrl.h"

#include <QHeaderView>
#include <QTableWidget>

#include "ui/PathEllipsisDelegate.h"
#include "ui/QtText.h"

namespace {
QTableWidget* Table(QWidget* w) { return qobject_cast<QTableWidget*>(w); }

// A cell takes its column's alignment, as the platform's report view draws
// every cell of a column the way its header is formatted.
QTableWidgetItem* NewCell(QTableWidget* t, int col) {
  auto* cell = new QTableWidgetItem;
  if (QTableWidgetItem* header = t->horizontalHeaderItem(col))
    cell->setTextAlignment(Qt::Alignment(header->textAlignment()));
  return cell;
}

int FormatOf(const QTableWidgetItem* it) {
  const Qt::Alignment a = it ? Qt::Alignment(it->textAlignment()) : Qt::Alignment(Qt::AlignLeft);
  return (a & Qt::AlignRight) ? LVCFMT_RIGHT : (a & Qt::AlignHCenter) ? LVCFMT_CENTER : LVCFMT_LEFT;
}
}  // namespace

void CListCtrl::OnAttached() {
  if (Table(GetWidget())) SetExtendedStyle(m_dwExStyle);
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle) {
  DWORD old = m_dwExStyle;
  m_dwExStyle = exStyle;
  if (QTableWidget* t = Table(GetWidget())) {
    t->setShowGrid((exStyle & LVS_EX_GRIDLINES) != 0);
    // Without full-row select the platform highlights only the first column;
    // selection still picks whole rows.
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int r = 0; r < t->rowCount(); ++r) {
      for (int c = 0; c < t->columnCount(); ++c) SetItemTip(r, c);
    }
  }
  return old;
}

void CListCtrl::SetPathEllipsis(BOOL on) {
  QTableWidget* t = Table(GetWidget());
  if (!t) return;
  QAbstractItemDelegate* old = t->itemDelegate();
  t->setItemDelegate(on ? new PathEllipsisDelegate(t) : new QStyledItemDelegate(t));
  delete old;
}

BOOL CListCtrl::GetPathEllipsis() const {
  QTableWidget* t = Table(GetWidget());
  return t && dynamic_cast<PathEllipsisDelegate*>(t->itemDelegate()) ? TRUE : FALSE;
}

void CListCtrl::SetItemTip(int item, int subItem) {
  QTableWidget* t = Table(GetWidget());
  QTableWidgetItem* it = t ? t->item(item, subItem) : nullptr;
  if (it) it->setToolTip((m_dwExStyle & LVS_EX_LABELTIP) ? it->text() : QString());
}

int CListCtrl::InsertColumn(int col, const std::string& heading, int format, int width) {
  QTableWidget* t = Table(GetWidget());
  if (!t) return -1;
  col = std::min(std::max(col, 0), t->columnCount());
  t->insertColumn(col);
  auto* header = new QTableWidgetItem(ToQ(heading));
  Qt::Alignment a = format == LVCFMT_RIGHT    ? Qt::AlignRight
                    : format == LVCFMT_CENTER ? Qt::AlignHCenter
                                              : Qt::AlignLeft;
  header->setTextAlignment(a | Qt::AlignVCenter);
  t->setHorizontalHeaderItem(col, header);
  for (int r = 0; r < t->rowCount(); ++r) t->setItem(r, col, NewCell(t, col));
  if (width >= 0) t->setColumnWidth(col, width);
  return col;
}

int CListCtrl::GetColumnCount() const {
  QTableWidget* t = Table(GetWidget());
  return t ? t->columnCount() : 0;
}

int CListCtrl::GetColumnWidth(int col) const {
  QTableWidget* t = Table(GetWidget());
  return t && col >= 0 && col < t->columnCount() ? t->columnWidth(col) : 0;
}

BOOL CListCtrl::SetColumnWidth(int col, int cx) {
  QTableWidget* t = Table(GetWidget());
  if (!t || col < 0 || col >= t->columnCount() || cx < LVSCW_AUTOSIZE) return FALSE;
  // The table view hides its measure of the cells; the item view offers it.
  const QAbstractItemView* view = t;
  t->setColumnWidth(col, cx == LVSCW_AUTOSIZE ? view->sizeHintForColumn(col) : cx);
  return TRUE;
}

int CListCtrl::InsertItem(int item, const std::string& text) {
  QTableWidget* t = Table(GetWidget());
  if (!t || t->columnCount() == 0) return -1;
  item = std::min(std::max(item, 0), t->rowCount());
  t->insertRow(item);
  for (int c = 0; c < t->columnCount(); ++c) t->setItem(item, c, NewCell(t, c));
  t->item(item, 0)->setText(ToQ(text));
  SetItemTip(item, 0);
  return item;
}

BOOL CListCtrl::SetItemText(int item, int subItem, const std::string& text) {
  QTableWidget* t = Table(GetWidget());
  if (!t || item < 0 || item >= t->rowCount() || subItem < 0 || subItem >= t->columnCount()) return FALSE;
  t->item(item, subItem)->setText(ToQ(text));
  SetItemTip(item, subItem);
  return TRUE;
}

std::string CListCtrl::GetItemText(int item, int subItem) const {
  QTableWidget* t = Table(GetWidget());
  if (!t || item < 0 || item >= t->rowCount() || subItem < 0 || subItem >= t->columnCount()) return {};
  QTableWidgetItem* it = t->item(item, subItem);
  return it ? FromQ(it->text()) : std::string();
}

int CListCtrl::GetColumnFormat(int col) const {
  QTableWidget* t = Table(GetWidget());
  return FormatOf(t && col >= 0 && col < t->columnCount() ? t->horizontalHeaderItem(col) : nullptr);
}

int CListCtrl::GetItemAlignment(int item, int subItem) const {
  QTableWidget* t = Table(GetWidget());
  if (!t || item < 0 || item >= t->rowCount() || subItem < 0 || subItem >= t->columnCount()) return LVCFMT_LEFT;
  return FormatOf(t->item(item, subItem));
}

void CListCtrl::SetRedraw(BOOL redraw) {
  if (QWidget* w = GetWidget()) w->setUpdatesEnabled(redraw != FALSE);
}

int CListCtrl::GetItemCount() const {
  QTableWidget* t = Table(GetWidget());
  return t ? t->rowCount() : 0;
}

BOOL CListCtrl::DeleteItem(int item) {
  QTableWidget* t = Table(GetWidget());
  if (!t || item < 0 || item >= t->rowCount()) return FALSE;
  t->removeRow(item);
  return TRUE;
}

BOOL CListCtrl::DeleteAllItems() {
  QTableWidget* t = Table(GetWidget());
  if (!t) return FALSE;
  t->setRowCount(0);
  return TRUE;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask) {
  QTableWidget* t = Table(GetWidget());
  if (!t || item < -1 || item >= t->rowCount()) return FALSE;
  auto* sel = t->selectionModel();
  int first = item < 0 ? 0 : item, last = item < 0 ? t->rowCount() - 1 : item;
  for (int r = first; r <= last; ++r) {
    QModelIndex index = t->model()->index(r, 0);
    if (mask & LVIS_SELECTED) {
      QItemSelectionModel::SelectionFlags flags =
          (state & LVIS_SELECTED) ? QItemSelectionModel::Select : QItemSelectionModel::Deselect;
      // A single-selection list keeps one selected row, as the platform's does.
      if ((state & LVIS_SELECTED) && t->selectionMode() == QAbstractItemView::SingleSelection) {
        flags |= QItemSelectionModel::Clear;
      }
      sel->select(index, flags | QItemSelectionModel::Rows);
    }
    if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED)) {
      sel->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    }
  }
  return TRUE;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const {
  QTableWidget* t = Table(GetWidget());
  if (!t || item < 0 || item >= t->rowCount()) return 0;
  UINT state = 0;
  if (t->selectionModel()->isRowSelected(item, QModelIndex())) state |= LVIS_SELECTED;
  if (t->selectionModel()->currentIndex().row() == item) state |= LVIS_FOCUSED;
  return state & mask;
}

int CListCtrl::GetNextItem(int start, UINT flags) const {
  QTableWidget* t = Table(GetWidget());
  if (!t) return -1;
  for (int r = start + 1; r < t->rowCount(); ++r) {
    UINT want = 0;
    if (flags & LVNI_SELECTED) want |= LVIS_SELECTED;
    if (flags & LVNI_FOCUSED) want |= LVIS_FOCUSED;
    if ((GetItemState(r, want) & want) == want) return r;
  }
  return -1;
}

int CListCtrl::GetSelectedCount() const {
  QTableWidget* t = Table(GetWidget());
  return t ? static_cast<int>(t->selectionModel()->selectedRows().size()) : 0;
}
