#pragma once
// CTabCtrl: a row of tabs over a display area. The pages are windows of
// their own that the owner lays into the display rectangle (AdjustRect);
// a tab chosen by the user reaches the parent as TCN_SELCHANGE.

#include <string>

#include "ui/Wnd.h"

class CTabCtrl : public CWnd {
 public:
  int InsertItem(int item, const std::string& text);  // the new index, -1 on failure
  BOOL DeleteAllItems();
  int GetItemCount() const;
  int GetCurSel() const;
  int SetCurSel(int item);  // the previous selection, -1 on failure
  std::string GetItemText(int item) const;
  // larger FALSE: a window rectangle becomes its display area; TRUE the reverse.
  void AdjustRect(BOOL larger, LPRECT rc) const;
};
