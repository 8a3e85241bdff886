#pragma once
// CScrollBar: a scroll-bar control with the platform's range rules: the
// position runs from nMin to nMax - nPage + 1.
//
// The user's scroll requests reach the parent as WM_HSCROLL / WM_VSCROLL;
// the bar itself moves only when the parent sets a position, as on the
// platform.

#include "ui/Wnd.h"

class CScrollBar : public CWnd {
 public:
  // A bar made at run time (SBS_VERT for a vertical one).
  BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  BOOL GetScrollInfo(SCROLLINFO* info, UINT mask = SIF_ALL) const;
  BOOL SetScrollInfo(SCROLLINFO* info, BOOL redraw = TRUE);
  int GetScrollPos() const { return m_info.nPos; }
  int SetScrollPos(int pos, BOOL redraw = TRUE);  // the previous position
  void GetScrollRange(int* minPos, int* maxPos) const;
  void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE);
  int GetScrollLimit() const;

 protected:
  void OnAttached() override;

 private:
  void Apply();
  SCROLLINFO m_info{};
  bool m_bApplying = false;
};
