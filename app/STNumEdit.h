#pragma once
// CSTNumEdit: a whole number without sign. While typing, a value above a
// maximum of 1 or more (or below a negative minimum) is refused; leaving the
// field replaces a value outside the range by the nearer limit and leaves a
// value inside it as typed ("07" stays). Maximum equal to minimum means no
// range. The owner sets the limits directly.

#include "app/EditHarfWidth.h"

class CSTNumEdit : public CEditHarfWidth {
 public:
  int m_nMax = 0;
  int m_nMin = 0;

 protected:
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  // Digits only.
  BOOL IsValidText(const std::string& candidate) override;
  BOOL IsInRange(const std::string& candidate) override;
  void AdjustText() override;
  BOOL CanTakeText(const std::string& text) override;
};
