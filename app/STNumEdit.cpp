#include "app/STNumEdit.h"

#include "platform/Numbers.h"

void CSTNumEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) { OnCharByRules(nChar, nRepCnt, nFlags, TRUE); }

BOOL CSTNumEdit::IsValidText(const std::string& candidate) {
  for (char32_t c : CodePoints(candidate)) {
    if (!IsDigitChar(c)) return FALSE;
  }
  return TRUE;
}

BOOL CSTNumEdit::IsInRange(const std::string& candidate) {
  if (m_nMax == m_nMin) return TRUE;
  const int value = platform::AtoI(candidate.c_str());
  if (m_nMax >= 1 && value > m_nMax) return FALSE;
  if (m_nMin >= 0) return TRUE;
  return m_nMin <= value;
}

void CSTNumEdit::AdjustText() {
  if (m_nMax == m_nMin) return;
  const int value = platform::AtoI(GetWindowText().c_str());
  if (value < m_nMin) {
    SetWindowText(platform::Format("%d", m_nMin));
  } else if (value > m_nMax) {
    SetWindowText(platform::Format("%d", m_nMax));
  }
}

BOOL CSTNumEdit::CanTakeText(const std::string& text) { return IsHalfWidthText(text) && IsValidText(text); }
