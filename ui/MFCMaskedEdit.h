#pragma once
// CMFCMaskedEdit: a one-line edit over a fixed pattern, such as the date
// "20__-__-__ __:__". The mask says, position by position, what the operator
// may type there; a blank in the mask keeps the input template's character
// at that position fixed. Typing overwrites the next free position past the
// fixed ones (a separator that position does not take steps over the same
// separator at the caret), Backspace
// and Delete put the placeholder back, and no change by any route (paste,
// cut, drop, undo) alters the pattern's length or its fixed characters.
//
// Mask characters: D a digit, d a digit or blank, + plus, minus or blank,
// C a letter, c a letter or blank, A a letter or digit, a a letter, digit or
// blank, * any printable character. Masks and templates are ASCII, and so is
// whatever a mask position takes. Valid characters, when given, narrow every
// mask position further to those characters.
//
// Text: GetWindowText gives the characters of the mask positions alone,
// placeholders included ("2506011000" of "2025-06-01 10:00"), and
// SetWindowText takes a whole text with the fixed characters; either can be
// switched to the other form. A text that does not fit the pattern is not
// taken: the field keeps what it had. Without a mask the edit is a plain one.

#include <QPointer>
#include <string>

#include "ui/Edit.h"

class CMFCMaskedEdit : public CEdit {
 public:
  CMFCMaskedEdit();
  ~CMFCMaskedEdit() override;

  // The pattern; mask and template of equal length. The field then shows
  // the template with its free positions empty.
  void EnableMask(const char* mask, const char* inputTemplate, char placeholder = '_',
                  const char* validChars = nullptr);
  // A plain edit again.
  void DisableMask();
  // Null: no narrowing.
  void SetValidChars(const char* validChars = nullptr);
  // TRUE (the default): GetWindowText gives the mask positions alone;
  // FALSE: the whole text.
  void EnableGetMaskedCharsOnly(BOOL enable = TRUE);
  // TRUE: SetWindowText takes the mask positions' characters alone, in
  // order; FALSE (the default): the whole text.
  void EnableSetMaskedCharsOnly(BOOL enable = TRUE);

 protected:
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  BOOL CanTakeText(const std::string& text) override;
  void OnAttached() override;
  void OnDetaching() override;
  void OnSetText(const std::string& text) override;
  std::string OnGetText() const override;

 private:
  friend class MaskedDeleteFilter;

  bool HasMask() const { return !m_strMask.empty(); }
  bool IsMaskPosition(size_t i) const { return m_strMask[i] != ' '; }
  bool Takes(char32_t c, size_t i) const;
  // Same length, fixed characters in place, each free position empty or
  // holding what it takes.
  bool FitsPattern(const std::string& text) const;
  // The shown text and the caret or selection.
  std::string Shown() const;
  void Selection(int& start, int& end) const;
  // Shows the text (which fits) with the caret at `caret`.
  void Show(const std::string& text, int caret);
  // The free positions in [start, end) emptied.
  void Clear(std::string& text, int start, int end) const;
  // The text to edit (the template's when the shown one does not fit) with
  // its selection emptied and the caret at the selection's start; true when
  // there was a selection.
  bool TakeSelection(std::string& text, int& caret) const;
  // One character typed at `caret` into `text`: false when it is refused.
  bool Type(std::string& text, int& caret, char32_t c) const;
  void TypeChar(char32_t c);
  void Backspace();
  void Delete();
  void PasteIntoPattern();
  void Cut();

  std::string m_strMask;
  std::string m_strTemplate;
  std::string m_strValid;
  bool m_bValidSet = false;
  char m_chPlaceholder = '_';
  bool m_bGetMaskedCharsOnly = true;
  bool m_bSetMaskedCharsOnly = false;
  QPointer<QObject> m_deleteFilter;
};
