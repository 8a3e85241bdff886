#pragma once
// CComboBox: an edit field with a drop-down list (CBS_DROPDOWN, the
// template's CS_DROPDOWN) or a drop-down list alone (CBS_DROPDOWNLIST).
// The window text is the field's text, or the chosen entry's of a drop list.
// The operator's choice reaches the parent as CBN_SELCHANGE, typing in the
// field as CBN_EDITCHANGE; changes the program makes send nothing.

#include <string>

#include "ui/Wnd.h"

class CComboBox : public CWnd {
 public:
  // The new entry's index, or CB_ERR.
  int AddString(const std::string& text);
  int InsertString(int index, const std::string& text);  // -1 appends
  int DeleteString(int index);                           // entries left, or CB_ERR
  void ResetContent();
  int GetCount() const;
  // The chosen entry, or CB_ERR when none is (a typed text is no entry).
  int GetCurSel() const;
  // Chooses an entry (-1: none; a drop-down's field is then emptied);
  // CB_ERR when the index is out of range.
  int SetCurSel(int index);
  int GetLBText(int index, std::string& text) const;  // the length, or CB_ERR
  std::string GetLBText(int index) const;
  // The first entry after `startAfter` (-1: from the top) equal to the text,
  // without regard to the case of ASCII letters; CB_ERR when none is.
  int FindStringExact(int startAfter, const std::string& text) const;
  // Chooses the first entry after `startAfter` that begins with the text.
  int SelectString(int startAfter, const std::string& text);

 protected:
  void OnAttached() override;
};
