#pragma once
// CEdit: single-line or multi-line edit control.
//
// Typed characters pass through OnChar before the control takes them: a
// class that overrides it refuses a character by not calling the base.

#include <string>

#include "ui/Wnd.h"

class CEdit : public CWnd {
 public:
  CEdit();
  ~CEdit() override;
  void SetSel(int start, int end, BOOL noScroll = FALSE);
  void GetSel(int& start, int& end) const;
  void ReplaceSel(const std::string& text, BOOL canUndo = FALSE);

 protected:
  // One typed character (UTF-16 code unit, control characters included:
  // 8 Backspace, 3 Ctrl+C, 22 Ctrl+V ...). The base lets the control take it.
  virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  // The control lost the keyboard focus; the parent then gets EN_KILLFOCUS
  // unless the handler ate it (ConsumeKillFocus).
  virtual void OnKillFocus(CWnd* newWnd);
  void ConsumeKillFocus() { m_bKillFocusConsumed = true; }
  void OnAttached() override;
  void OnDetaching() override;

 private:
  friend class EditCharFilter;
  bool FilterChar(UINT ch);
  bool m_bCharPassed = false;
  bool m_bKillFocusConsumed = false;
  class QObject* m_filter = nullptr;
};
