#include "ui/TreeCtrl.h"

#include <QSignalBlocker>
#include <QTreeWidget>

#include "ui/ControlFactory.h"
#include "ui/QtText.h"

namespace {
// The state-image bits last told to the parent, so that a change names the
// state it came from.
constexpr int kNotifiedStateRole = Qt::UserRole + 1;

QTreeWidget* Tree(QWidget* w) { return qobject_cast<QTreeWidget*>(w); }

bool IsSpecial(HTREEITEM h) { return h == TVI_ROOT || h == TVI_FIRST || h == TVI_LAST; }
QTreeWidgetItem* ItemOf(HTREEITEM h) { return h && !IsSpecial(h) ? reinterpret_cast<QTreeWidgetItem*>(h) : nullptr; }
HTREEITEM HandleOf(QTreeWidgetItem* item) { return reinterpret_cast<HTREEITEM>(item); }

UINT StateImageOf(const QTreeWidgetItem* item) {
  const QVariant v = item->data(0, Qt::CheckStateRole);
  if (!v.isValid()) return 0;
  return INDEXTOSTATEIMAGEMASK(v.toInt() == Qt::Checked ? 2 : 1);
}

// Sets the check box without telling anyone: used where a box appears or
// goes, which is no change of the item's state.
void PutCheckBox(QTreeWidgetItem* item, bool boxes) {
  const QSignalBlocker quiet(item->treeWidget());
  Qt::ItemFlags flags = item->flags() & ~(Qt::ItemIsAutoTristate | Qt::ItemIsUserTristate);
  if (boxes) {
    item->setFlags(flags | Qt::ItemIsUserCheckable);
    if (!item->data(0, Qt::CheckStateRole).isValid()) item->setCheckState(0, Qt::Unchecked);
  } else {
    item->setFlags(flags & ~Qt::ItemIsUserCheckable);
    item->setData(0, Qt::CheckStateRole, QVariant());
  }
  item->setData(0, kNotifiedStateRole, StateImageOf(item));
}

void ForEachItem(QTreeWidgetItem* item, const std::function<void(QTreeWidgetItem*)>& f) {
  f(item);
  for (int i = 0; i < item->childCount(); ++i) ForEachItem(item->child(i), f);
}
}  // namespace

struct CTreeCtrl::Links {
  QMetaObject::Connection changed;
  QMetaObject::Connection current;
};

CTreeCtrl::CTreeCtrl() = default;
CTreeCtrl::~CTreeCtrl() { Detach(); }

void CTreeCtrl::OnAttached() {
  QTreeWidget* tree = Tree(GetWidget());
  if (!tree) return;
  const uint64_t style = TemplateStyleOf(tree);
  if (style & res::CS_CHECKBOXES) m_dwStyle |= TVS_CHECKBOXES;
  if (style & res::CS_HASLINES) m_dwStyle |= TVS_HASLINES | TVS_HASBUTTONS;
  ApplyCheckBoxes();
  m_links = std::make_unique<Links>();
  m_links->changed = QObject::connect(tree, &QTreeWidget::itemChanged, tree, [this](QTreeWidgetItem* item, int) {
    const UINT now = StateImageOf(item);
    const UINT before = item->data(0, kNotifiedStateRole).toUInt();
    if (now == before) return;  // a change of its text, or of nothing the parent sees
    {
      const QSignalBlocker quiet(item->treeWidget());
      item->setData(0, kNotifiedStateRole, now);
    }
    NMTVITEMCHANGE nm;
    nm.hdr.code = TVN_ITEMCHANGEDW;
    nm.uChanged = TVIF_STATE;
    nm.hItem = HandleOf(item);
    nm.uStateNew = now;
    nm.uStateOld = before;
    SendNotify(nm.hdr);
  });
  m_links->current = QObject::connect(tree, &QTreeWidget::currentItemChanged, tree,
                                      [this](QTreeWidgetItem* now, QTreeWidgetItem* before) {
                                        NMTREEVIEW nm;
                                        nm.hdr.code = TVN_SELCHANGEDW;
                                        nm.action = TVC_UNKNOWN;
                                        nm.itemOld.hItem = HandleOf(before);
                                        nm.itemNew.hItem = HandleOf(now);
                                        SendNotify(nm.hdr);
                                      });
}

void CTreeCtrl::OnDetaching() {
  if (m_links) {
    QObject::disconnect(m_links->changed);
    QObject::disconnect(m_links->current);
  }
  m_links.reset();
}

void CTreeCtrl::OnStyleChanged(DWORD) { ApplyCheckBoxes(); }

void CTreeCtrl::ApplyCheckBoxes() {
  QTreeWidget* tree = Tree(GetWidget());
  if (!tree) return;
  const bool boxes = (m_dwStyle & TVS_CHECKBOXES) != 0;
  tree->setRootIsDecorated((m_dwStyle & (TVS_HASBUTTONS | TVS_LINESATROOT)) != 0 || boxes);
  for (int i = 0; i < tree->topLevelItemCount(); ++i)
    ForEachItem(tree->topLevelItem(i), [boxes](QTreeWidgetItem* item) { PutCheckBox(item, boxes); });
}

void CTreeCtrl::SendNotify(NMHDR& hdr) {
  CWnd* parent = GetParent();
  if (!parent) return;
  hdr.hwndFrom = m_hWnd;
  hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
  parent->SendMessage(WM_NOTIFY, static_cast<WPARAM>(GetDlgCtrlID()), reinterpret_cast<LPARAM>(&hdr));
}

HTREEITEM CTreeCtrl::InsertItem(const std::string& text, HTREEITEM parent, HTREEITEM insertAfter) {
  QTreeWidget* tree = Tree(GetWidget());
  if (!tree) return nullptr;
  auto* item = new QTreeWidgetItem(QStringList(ToQ(text)));
  item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
  // Set up before it joins the tree, so that its first state is no change.
  if (m_dwStyle & TVS_CHECKBOXES) {
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
  }
  item->setData(0, kNotifiedStateRole, StateImageOf(item));
  QTreeWidgetItem* under = ItemOf(parent);
  const int count = under ? under->childCount() : tree->topLevelItemCount();
  int at = count;
  if (insertAfter == TVI_FIRST) {
    at = 0;
  } else if (QTreeWidgetItem* sibling = ItemOf(insertAfter)) {
    const int index = under ? under->indexOfChild(sibling) : tree->indexOfTopLevelItem(sibling);
    if (index >= 0) at = index + 1;
  }
  if (under) {
    under->insertChild(at, item);
  } else {
    tree->insertTopLevelItem(at, item);
  }
  return HandleOf(item);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM h) {
  if (h == TVI_ROOT) return DeleteAllItems();
  QTreeWidgetItem* item = ItemOf(h);
  if (!item || !Tree(GetWidget())) return FALSE;
  delete item;
  return TRUE;
}

BOOL CTreeCtrl::DeleteAllItems() {
  QTreeWidget* tree = Tree(GetWidget());
  if (!tree) return FALSE;
  tree->clear();
  return TRUE;
}

UINT CTreeCtrl::GetCount() const {
  QTreeWidget* tree = Tree(GetWidget());
  if (!tree) return 0;
  UINT n = 0;
  for (int i = 0; i < tree->topLevelItemCount(); ++i)
    ForEachItem(tree->topLevelItem(i), [&n](QTreeWidgetItem*) { ++n; });
  return n;
}

std::string CTreeCtrl::GetItemText(HTREEITEM h) const {
  QTreeWidgetItem* item = ItemOf(h);
  return item ? FromQ(item->text(0)) : std::string();
}

BOOL CTreeCtrl::SetItemText(HTREEITEM h, const std::string& text) {
  QTreeWidgetItem* item = ItemOf(h);
  if (!item) return FALSE;
  item->setText(0, ToQ(text));
  return TRUE;
}

UINT CTreeCtrl::GetItemState(HTREEITEM h, UINT mask) const {
  QTreeWidgetItem* item = ItemOf(h);
  if (!item) return 0;
  UINT state = StateImageOf(item);
  if (item->isExpanded()) state |= TVIS_EXPANDED;
  if (item->isSelected()) state |= TVIS_SELECTED;
  return state & mask;
}

BOOL CTreeCtrl::SetItemState(HTREEITEM h, UINT state, UINT mask) {
  QTreeWidgetItem* item = ItemOf(h);
  if (!item) return FALSE;
  if (mask & TVIS_STATEIMAGEMASK) {
    // Image 1 is the empty box, 2 the ticked one; 0 takes the box away.
    const UINT image = (state & TVIS_STATEIMAGEMASK) >> 12;
    if (image == 0) {
      PutCheckBox(item, false);
    } else {
      item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
      item->setCheckState(0, image >= 2 ? Qt::Checked : Qt::Unchecked);
    }
  }
  if (mask & TVIS_EXPANDED) item->setExpanded((state & TVIS_EXPANDED) != 0);
  if (mask & TVIS_SELECTED) item->setSelected((state & TVIS_SELECTED) != 0);
  return TRUE;
}

BOOL CTreeCtrl::GetCheck(HTREEITEM h) const {
  return GetItemState(h, TVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2) ? TRUE : FALSE;
}

BOOL CTreeCtrl::SetCheck(HTREEITEM h, BOOL check) {
  return SetItemState(h, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), TVIS_STATEIMAGEMASK);
}

BOOL CTreeCtrl::Expand(HTREEITEM h, UINT code) {
  QTreeWidgetItem* item = ItemOf(h);
  if (!item) return FALSE;
  switch (code & TVE_TOGGLE) {
    case TVE_EXPAND:
      item->setExpanded(true);
      break;
    case TVE_COLLAPSE:
      item->setExpanded(false);
      break;
    case TVE_TOGGLE:
      item->setExpanded(!item->isExpanded());
      break;
    default:
      return FALSE;
  }
  return TRUE;
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM h, UINT code) const {
  QTreeWidget* tree = Tree(GetWidget());
  if (!tree) return nullptr;
  QTreeWidgetItem* item = ItemOf(h);
  switch (code) {
    case TVGN_ROOT:
      return HandleOf(tree->topLevelItem(0));
    case TVGN_CARET:
      return HandleOf(tree->currentItem());
    case TVGN_CHILD:
      if (!item) return h == TVI_ROOT ? HandleOf(tree->topLevelItem(0)) : nullptr;
      return HandleOf(item->child(0));
    case TVGN_PARENT:
      return item ? HandleOf(item->parent()) : nullptr;
    case TVGN_NEXT:
    case TVGN_PREVIOUS: {
      if (!item) return nullptr;
      const int step = code == TVGN_NEXT ? 1 : -1;
      if (QTreeWidgetItem* up = item->parent()) return HandleOf(up->child(up->indexOfChild(item) + step));
      return HandleOf(tree->topLevelItem(tree->indexOfTopLevelItem(item) + step));
    }
    default:
      return nullptr;
  }
}

BOOL CTreeCtrl::ItemHasChildren(HTREEITEM h) const {
  QTreeWidgetItem* item = ItemOf(h);
  return item && item->childCount() > 0 ? TRUE : FALSE;
}

BOOL CTreeCtrl::SelectItem(HTREEITEM h) {
  QTreeWidget* tree = Tree(GetWidget());
  if (!tree) return FALSE;
  tree->setCurrentItem(ItemOf(h));
  return TRUE;
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* flags) const {
  QTreeWidget* tree = Tree(GetWidget());
  QTreeWidgetItem* item = nullptr;
  if (tree) item = tree->itemAt(tree->viewport()->mapFrom(tree, QPoint(pt.x, pt.y)));
  if (flags) *flags = item ? TVHT_ONITEMLABEL : TVHT_NOWHERE;
  return HandleOf(item);
}
