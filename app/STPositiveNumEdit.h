#pragma once
// CSTPositiveNumEdit: a decimal number without sign (the battery alarm
// voltage); range and correction as CSTRealNumEdit.

#include "app/STRealNumEdit.h"

class CSTPositiveNumEdit : public CSTRealNumEdit {
 protected:
  // Digits and one full stop at most.
  BOOL IsValidText(const std::string& candidate) override;
  // The full stop while the text has none, when the text it makes passes
  // the rules.
  BOOL AcceptsOtherChar(UINT nChar) override;
};
