#include "app/STRealNumEdit.h"

#include <algorithm>

#include "platform/Numbers.h"

CSTRealNumEdit::CSTRealNumEdit() { m_strFormat = platform::Format("%%.%df", m_nDecimals); }

void CSTRealNumEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) { OnCharByRules(nChar, nRepCnt, nFlags, TRUE); }

BOOL CSTRealNumEdit::AcceptsOtherChar(UINT nChar) {
  if (nChar == '-') {
    int start = 0, end = 0;
    GetSel(start, end);
    return start == 0 && CheckCandidate(nChar);
  }
  if (nChar == '.') return m_nDecimals > 0 && !HasFullStop() && CheckCandidate(nChar);
  return FALSE;
}

BOOL CSTRealNumEdit::IsValidText(const std::string& candidate) {
  int fullStops = 0;
  bool first = true;
  for (char32_t c : CodePoints(candidate)) {
    if (c == '-' && !first) return FALSE;
    if (c == '.' && ++fullStops > 1) return FALSE;
    first = false;
  }
  return TRUE;
}

BOOL CSTRealNumEdit::IsInRange(const std::string& candidate) {
  if (m_dMax == m_dMin) return TRUE;
  const double value = platform::AtoF(candidate.c_str());
  if (m_dMax > 0.0 && value > m_dMax) return FALSE;
  // A non-negative minimum cannot be reached digit by digit ("2.4" starts
  // with "2"), so it waits for the correction on leaving.
  if (m_dMin >= 0.0) return TRUE;
  return value >= m_dMin;
}

void CSTRealNumEdit::AdjustText() {
  double value = platform::AtoF(GetWindowText().c_str());
  if (m_dMax != m_dMin) value = value < m_dMin ? m_dMin : std::min(value, m_dMax);
  // A lone minus sign reads as -0, which would show as "-0.00".
  if (value == 0.0) value = 0.0;
  SetWindowText(platform::Format(m_strFormat.c_str(), value));
}

BOOL CSTRealNumEdit::CanTakeText(const std::string& text) {
  if (!IsHalfWidthText(text) || !IsValidText(text)) return FALSE;
  for (char32_t c : CodePoints(text)) {
    if ((c < '0' || c > '9') && c != '-' && c != '.') return FALSE;
  }
  return TRUE;
}
