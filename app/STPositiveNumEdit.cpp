#include "app/STPositiveNumEdit.h"

BOOL CSTPositiveNumEdit::IsValidText(const std::string& candidate) {
  int fullStops = 0;
  for (char32_t c : CodePoints(candidate)) {
    if (c == '.') {
      if (++fullStops > 1) return FALSE;
    } else if (!IsDigitChar(c)) {
      return FALSE;
    }
  }
  return TRUE;
}

BOOL CSTPositiveNumEdit::AcceptsOtherChar(UINT nChar) {
  return nChar == '.' && !HasFullStop() && CheckCandidate(nChar);
}
