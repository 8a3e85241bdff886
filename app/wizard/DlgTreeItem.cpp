#include "app/wizard/DlgTreeItem.h"

#include "app/Kestrix2CommApp.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

namespace {
constexpr int kGroupCount = 4;

bool EqualIgnoringAsciiCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}
}  // namespace

CDlgTreeItem::CDlgTreeItem(CWnd* pParent) : CDialog(IDD, pParent) {}

INT_PTR CDlgTreeItem::DoModal() {
  CDialogTemplate dlgTemplate;
  if (!CKestrix2CommApp::LoadDlgTemplateWithFont(IDD, theApp.GetDlgFontPointSize(), dlgTemplate)) return -1;
  InitModalIndirect(dlgTemplate);
  return CDialog::DoModal();
}

void CDlgTreeItem::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, kTree, m_tree); }

BOOL CDlgTreeItem::OnInitDialog() {
  CDialog::OnInitDialog();
  if (!m_strTitle.empty()) SetWindowText(m_strTitle);
  if (m_bCheckBox == 1) {
    m_tree.ModifyStyle(0, TVS_CHECKBOXES);
  } else {
    m_tree.ModifyStyle(TVS_CHECKBOXES, 0);
  }

  std::string groupName[kGroupCount];
  for (int g = 0; g < kGroupCount; ++g) groupName[g] = res::LoadString(res::kStrFirstGroup + static_cast<UINT>(g));
  for (int i = 0; i < kSettingItemCount; ++i) {
    if (g_settingItems[i].stringId != 0) m_strItemName[i] = res::LoadString(g_settingItems[i].stringId);
  }

  // Filling the tree is no change of the operator's: nothing propagates.
  m_nGuard = 1;
  HTREEITEM group = nullptr;
  int lastGroup = -1;
  for (int i = 0; i < kSettingItemCount; ++i) {
    if (m_select.m_item[i].available == 0) continue;
    const int itemGroup = g_settingItems[i].group;
    if (group == nullptr || itemGroup != lastGroup) {
      if (group != nullptr) FinishGroup(group);
      const int name = itemGroup < 1 ? 0 : itemGroup > kGroupCount ? kGroupCount - 1 : itemGroup - 1;
      group = m_tree.InsertItem(groupName[name]);
      lastGroup = itemGroup;
    }
    HTREEITEM item = m_tree.InsertItem(m_strItemName[i], group);
    if (m_bCheckBox == 1) m_tree.SetCheck(item, m_select.m_item[i].checked != 0 ? TRUE : FALSE);
  }
  if (group != nullptr) FinishGroup(group);
  m_nGuard = 0;
  return TRUE;
}

void CDlgTreeItem::FinishGroup(HTREEITEM group) {
  if (m_bCheckBox == 1 && AllChildrenChecked(group)) m_tree.SetCheck(group, TRUE);
  m_tree.Expand(group, TVE_EXPAND);
}

BOOL CDlgTreeItem::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) {
  const auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
  if (hdr != nullptr && hdr->idFrom == kTree) {
    if (hdr->code == TVN_ITEMCHANGEDW) {
      OnItemChanged(*reinterpret_cast<const NMTVITEMCHANGE*>(lParam));
      return TRUE;
    }
    if (hdr->code == TVN_SELCHANGEDW) return TRUE;
  }
  return CDialog::OnNotify(wParam, lParam, result);
}

void CDlgTreeItem::OnItemChanged(const NMTVITEMCHANGE& change) {
  if (((change.uStateOld ^ change.uStateNew) & TVIS_STATEIMAGEMASK) == 0 || m_nGuard != 0) return;
  m_nGuard = 1;
  HTREEITEM item = change.hItem;
  if ((change.uStateNew & TVIS_STATEIMAGEMASK) != INDEXTOSTATEIMAGEMASK(2)) {
    for (HTREEITEM up = m_tree.GetParentItem(item); up != nullptr; up = m_tree.GetParentItem(up)) {
      m_tree.SetCheck(up, FALSE);
    }
    CheckSubtree(item, FALSE);
  } else {
    CheckSubtree(item, TRUE);
    HTREEITEM parent = m_tree.GetParentItem(item);
    if (parent != nullptr && AllChildrenChecked(parent)) m_tree.SetCheck(parent, TRUE);
  }
  // The node whose box changed becomes the caret, so the keyboard goes on
  // from where the operator ticked.
  m_tree.SelectItem(item);
  m_nGuard = 0;
}

void CDlgTreeItem::CheckSubtree(HTREEITEM item, BOOL check) {
  for (HTREEITEM child = m_tree.GetChildItem(item); child != nullptr; child = m_tree.GetNextSiblingItem(child)) {
    m_tree.SetCheck(child, check);
    CheckSubtree(child, check);
  }
}

bool CDlgTreeItem::AllChildrenChecked(HTREEITEM parent) const {
  for (HTREEITEM child = m_tree.GetChildItem(parent); child != nullptr; child = m_tree.GetNextSiblingItem(child)) {
    if (!m_tree.GetCheck(child)) return false;
  }
  return true;
}

void CDlgTreeItem::OnOK() {
  int ticked[kSettingItemCount] = {};
  for (HTREEITEM group = m_tree.GetRootItem(); group != nullptr; group = m_tree.GetNextSiblingItem(group)) {
    // Only items count: a group may bear an item's name ("測定設定").
    for (HTREEITEM item = m_tree.GetChildItem(group); item != nullptr; item = m_tree.GetNextSiblingItem(item)) {
      if (!m_tree.GetCheck(item)) continue;
      const std::string text = m_tree.GetItemText(item);
      for (int i = 0; i < kSettingItemCount; ++i) {
        if (EqualIgnoringAsciiCase(text, m_strItemName[i])) {
          ticked[i] = 1;
          break;
        }
      }
    }
  }
  for (int i = 0; i < kSettingItemCount; ++i) m_select.m_item[i].checked = ticked[i];
  CDialog::OnOK();
}
