#pragma once
// The item tree: the operator ticks setting items in a tree of check boxes,
// one node per setting group with its items beneath. It shows the items the
// selection offers, ticked as the selection says, keeps groups and items in
// step (ticking a group ticks its items; unticking an item unticks its
// group; ticking a group's last unticked item ticks the group) and on OK
// writes the ticks back into its copy of the selection.

#include <string>

#include "settings/SettingSelect.h"
#include "ui/Dialog.h"
#include "ui/TreeCtrl.h"

class CDlgTreeItem : public CDialog {
 public:
  enum { IDD = 311 };
  enum : UINT { kTree = 1001 };

  explicit CDlgTreeItem(CWnd* pParent = nullptr);

  // The caption while the dialog is open; without one the template's stays.
  void SetTitle(const std::string& title) { m_strTitle = title; }
  // Runs from the template with the dialog font: IDOK after OK.
  INT_PTR DoModal() override;

  // Copied in before the run, copied out after IDOK.
  CSettingSelect m_select;
  std::string m_strItemName[kSettingItemCount];
  int m_bCheckBox = 1;
  std::string m_strTitle;
  // Set while the dialog changes check states itself, so the notifications
  // those changes raise start no propagation of their own.
  int m_nGuard = 0;
  CTreeCtrl m_tree;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

 private:
  void OnItemChanged(const NMTVITEMCHANGE& change);
  void CheckSubtree(HTREEITEM item, BOOL check);
  bool AllChildrenChecked(HTREEITEM parent) const;
  // A group node closes: it opens, ticked when every item in it is.
  void FinishGroup(HTREEITEM group);
};
