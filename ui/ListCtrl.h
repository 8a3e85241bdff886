#pragma once
// CListCtrl: list control in report view (rows of items with sub-items under
// column headers). Double clicks reach the parent as NM_DBLCLK.

#include <string>

#include "ui/Wnd.h"

class CListCtrl : public CWnd {
 public:
  DWORD GetExtendedStyle() const { return m_dwExStyle; }
  // the previous extended style; with LVS_EX_LABELTIP an item's whole text
  // shows as its tooltip, for the texts that its column cuts
  DWORD SetExtendedStyle(DWORD exStyle);
  // Texts too long for their column lose their middle rather than their end,
  // as a path is shortened: its start and its last name stay.
  void SetPathEllipsis(BOOL on);
  BOOL GetPathEllipsis() const;
  int InsertColumn(int col, const std::string& heading, int format = LVCFMT_LEFT, int width = -1);
  int GetColumnCount() const;
  int GetColumnWidth(int col) const;
  // `cx` pixels, or LVSCW_AUTOSIZE: as wide as the column's widest text needs.
  BOOL SetColumnWidth(int col, int cx);
  // The column's LVCFMT_ alignment; its cells are drawn with it.
  int GetColumnFormat(int col) const;
  // How one cell is aligned (LVCFMT_), as drawn.
  int GetItemAlignment(int item, int subItem) const;
  int InsertItem(int item, const std::string& text);  // the new index, -1 on failure
  BOOL SetItemText(int item, int subItem, const std::string& text);
  std::string GetItemText(int item, int subItem) const;
  int GetItemCount() const;
  BOOL DeleteItem(int item);
  BOOL DeleteAllItems();
  BOOL SetItemState(int item, UINT state, UINT mask);
  UINT GetItemState(int item, UINT mask) const;
  // The next item after `start` (-1: from the first) with the flags, or -1.
  int GetNextItem(int start, UINT flags) const;
  int GetSelectedCount() const;
  // FALSE holds back drawing while the list is rebuilt; TRUE draws again.
  void SetRedraw(BOOL redraw = TRUE);

 protected:
  void OnAttached() override;

 private:
  void SetItemTip(int item, int subItem);
  DWORD m_dwExStyle = 0;
};
