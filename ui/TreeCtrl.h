#pragma once
// CTreeCtrl: a tree of text items, with a check box before each item while
// the style carries TVS_CHECKBOXES (the template's CS_CHECKBOXES sets it).
// Check states are state images: 1 unchecked, 2 checked. Every change of an
// item's check state, by the user or by the program, reaches the parent as
// TVN_ITEMCHANGEDW with the old and new state; a move of the caret
// selection as TVN_SELCHANGEDW. The tree never ticks or unticks an item by
// itself (no automatic tri-state of parents): a dialog that wants groups to
// follow their items propagates in its own handler.

#include <memory>
#include <string>

#include "ui/Point.h"
#include "ui/Wnd.h"

class CTreeCtrl : public CWnd {
 public:
  CTreeCtrl();
  ~CTreeCtrl() override;

  // Appends (TVI_LAST), prepends (TVI_FIRST) or inserts after a sibling;
  // parent TVI_ROOT (or null) for a top-level item. Null on failure.
  HTREEITEM InsertItem(const std::string& text, HTREEITEM parent = TVI_ROOT, HTREEITEM insertAfter = TVI_LAST);
  BOOL DeleteItem(HTREEITEM item);
  BOOL DeleteAllItems();
  UINT GetCount() const;

  std::string GetItemText(HTREEITEM item) const;
  BOOL SetItemText(HTREEITEM item, const std::string& text);
  // TVIS_STATEIMAGEMASK (the check state), TVIS_EXPANDED and TVIS_SELECTED.
  UINT GetItemState(HTREEITEM item, UINT mask) const;
  BOOL SetItemState(HTREEITEM item, UINT state, UINT mask);
  BOOL GetCheck(HTREEITEM item) const;
  BOOL SetCheck(HTREEITEM item, BOOL check = TRUE);
  BOOL Expand(HTREEITEM item, UINT code);

  // Navigation: TVGN_ROOT, TVGN_NEXT, TVGN_PREVIOUS, TVGN_PARENT, TVGN_CHILD,
  // TVGN_CARET. Null when there is no such item.
  HTREEITEM GetNextItem(HTREEITEM item, UINT code) const;
  HTREEITEM GetRootItem() const { return GetNextItem(nullptr, TVGN_ROOT); }
  HTREEITEM GetChildItem(HTREEITEM item) const { return GetNextItem(item, TVGN_CHILD); }
  HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_NEXT); }
  HTREEITEM GetPrevSiblingItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PREVIOUS); }
  HTREEITEM GetParentItem(HTREEITEM item) const { return GetNextItem(item, TVGN_PARENT); }
  HTREEITEM GetSelectedItem() const { return GetNextItem(nullptr, TVGN_CARET); }
  BOOL ItemHasChildren(HTREEITEM item) const;
  // Makes the item the caret selection (TVGN_CARET), null to clear it.
  BOOL SelectItem(HTREEITEM item);
  // The item at a point of the tree's client area (TVHT_ flags in *flags).
  HTREEITEM HitTest(CPoint pt, UINT* flags = nullptr) const;

 protected:
  void OnAttached() override;
  void OnDetaching() override;
  void OnStyleChanged(DWORD oldStyle) override;

 private:
  void ApplyCheckBoxes();
  void SendNotify(NMHDR& hdr);

  // The widget's signals while this wrapper holds it.
  struct Links;
  std::unique_ptr<Links> m_links;
};
