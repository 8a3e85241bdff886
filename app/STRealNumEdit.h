#pragma once
// CSTRealNumEdit: a decimal number that may be negative. While typing, a
// value above a positive maximum or below a negative minimum is refused;
// leaving the field clamps the value into the range and shows it in
// m_strFormat. Maximum equal to minimum means no range. The owner sets the
// limits directly, and rebuilds m_strFormat from "%%.%df" when it changes
// m_nDecimals.

#include <string>

#include "app/EditHarfWidth.h"

class CSTRealNumEdit : public CEditHarfWidth {
 public:
  CSTRealNumEdit();

  double m_dMax = 0.0;
  double m_dMin = 0.0;
  std::string m_strFormat;
  int m_nDecimals = 2;

 protected:
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  // A minus sign only at the start, one full stop at most.
  BOOL IsValidText(const std::string& candidate) override;
  BOOL IsInRange(const std::string& candidate) override;
  void AdjustText() override;
  // The minus sign while the selection starts at the beginning, the full
  // stop while the field has decimals and none yet; either only when the
  // text it makes passes the rules, so "--5" cannot be typed.
  BOOL AcceptsOtherChar(UINT nChar) override;
  // Digits, minus sign and full stop as IsValidText places them.
  BOOL CanTakeText(const std::string& text) override;
};
