#pragma once
// CEditHarfWidth: the base of the input edits through which every value the
// operator types reaches the logger. It refuses full-width (double-byte)
// characters as they are typed, lets a typed letter or digit in only when the
// text it makes passes IsValidText and IsInRange, turns the clipboard's text
// half-width before Ctrl+V pastes it, puts the whole text on the clipboard
// for Ctrl+C, and corrects the text through AdjustText when the field loses
// the focus; the owner gets no EN_KILLFOCUS from it.
//
// Text that arrives other than by typing (a paste by any route, a drop) must
// pass CanTakeText as a whole, or the field keeps what it had: a blank or a
// letter in a number field would otherwise be read as 0 and sent, and a
// comma or line break in an access-point field would end up in a command
// line to the logger. The range is not looked at there; leaving the field
// corrects it.

#include <string>

#include "ui/Edit.h"

class CEditHarfWidth : public CEdit {
 public:
  CEditHarfWidth();
  ~CEditHarfWidth() override;

 protected:
  // The candidate (the text as it would stand after the keystroke) holds
  // only admissible characters. The base admits every text.
  virtual BOOL IsValidText(const std::string& candidate);
  // The candidate's value may stand while typing. The base: always.
  virtual BOOL IsInRange(const std::string& candidate);
  // Corrects the text when the field loses the focus. The base keeps it.
  virtual void AdjustText();
  // Another character than a letter, digit, Ctrl+C or Ctrl+V (Backspace and
  // 127 aside) that the field takes as typed; used by OnCharByRules.
  virtual BOOL AcceptsOtherChar(UINT nChar);

  // The check every typed character goes through first: 0 accept, -1
  // refuse, 1 another character, which the class decides on. Ctrl+C copies
  // the whole text and Ctrl+V turns the clipboard half-width on the way.
  int CheckChar(UINT nChar);
  // The text the character would make in place of the selection passes
  // IsValidText and IsInRange.
  BOOL CheckCandidate(UINT nChar);
  // A character that the check accepts goes on, unless it is a letter and
  // letters are refused; of the others Backspace, 127 and what
  // AcceptsOtherChar takes go on.
  void OnCharByRules(UINT nChar, UINT nRepCnt, UINT nFlags, BOOL bRefuseLetters);
  void CopyAllToClipboard();
  // 0 done (or nothing to convert), -1 no text on the clipboard (or it
  // cannot be written), -2 the clipboard gave no text.
  int ConvertClipboardToHalfWidth();

  // No full-width character and no control character (a line break or tab
  // has no place in a one-line field).
  static BOOL IsHalfWidthText(const std::string& text);
  // A digit as the number fields count them: a letter-or-digit that is no
  // letter.
  static BOOL IsDigitChar(char32_t c);
  static std::u32string CodePoints(const std::string& text);
  BOOL HasFullStop() const;

  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  void OnKillFocus(CWnd* newWnd) override;
  BOOL CanTakeText(const std::string& text) override;

 private:
  std::string Candidate(UINT nChar) const;
};
