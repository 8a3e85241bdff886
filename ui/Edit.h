#pragma once
// CEdit: single-line or multi-line edit control.
//
// Typed characters pass through OnChar before the control takes them: a
// class that overrides it refuses a character by not calling the base.
// Every other way text reaches a single-line edit (a paste by key, context
// menu or middle button, a drop, an input method) passes CanTakeText.
// Select-all (its key and its menu entry) changes no text and is never
// offered as a character. A paste by key or menu, and a drop from elsewhere,
// into a single-line edit comes without the blanks at either end and the
// line end a copied line brings (platform::TrimPastedText); one that the
// field refuses beeps.

#include <QPointer>
#include <string>

#include "ui/Wnd.h"

class CEdit : public CWnd {
 public:
  CEdit();
  ~CEdit() override;
  void SetSel(int start, int end, BOOL noScroll = FALSE);
  void GetSel(int& start, int& end) const;
  void ReplaceSel(const std::string& text, BOOL canUndo = FALSE);
  // The clipboard's text at the caret, in place of the selection, as Ctrl+V
  // pastes it: offered to OnChar as Ctrl+V (22) first, which may change the
  // clipboard or do the paste itself (then it does not call the base).
  void Paste();
  // The character a password edit shows for each of its own, 0 for an
  // edit that shows its text.
  int GetPasswordChar() const;

 protected:
  // One typed character (a code point, control characters included:
  // 8 Backspace, 3 Ctrl+C, 22 Ctrl+V ...). The base lets the control take it.
  virtual void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  // The control lost the keyboard focus; the parent then gets EN_KILLFOCUS
  // unless the handler ate it (ConsumeKillFocus). A pop-up menu over the
  // control does not take the focus from it.
  virtual void OnKillFocus(CWnd* newWnd);
  void ConsumeKillFocus() { m_bKillFocusConsumed = true; }
  // The whole text of a single-line edit as a change by the user would
  // leave it, typed or not; FALSE refuses the change, and text and
  // selection stay as they were. A text that the program set and that fails
  // the test does not lock the field: changes pass until it holds again.
  // The base takes every text.
  virtual BOOL CanTakeText(const std::string& text);
  void OnAttached() override;
  void OnDetaching() override;

 private:
  friend class EditCharFilter;
  friend class EditTextValidator;
  bool FilterChar(UINT ch);
  // Puts the text in place of the selection; beeps when the field refuses it.
  void InsertPasted(const std::string& text);
  bool m_bCharPassed = false;
  bool m_bKillFocusConsumed = false;
  QPointer<QObject> m_filter;
  QPointer<QObject> m_validator;
};
