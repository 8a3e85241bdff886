#include "app/EditHarfWidth.h"

#include <algorithm>

#include "platform/Text.h"
#include "ui/Clipboard.h"
#include "ui/MessageService.h"

namespace {
constexpr UINT kBackspace = 8;
constexpr UINT kCtrlC = 3;
constexpr UINT kCtrlV = 22;
constexpr UINT kDel = 127;
}  // namespace

CEditHarfWidth::CEditHarfWidth() = default;
CEditHarfWidth::~CEditHarfWidth() = default;

BOOL CEditHarfWidth::IsValidText(const std::string&) { return TRUE; }
BOOL CEditHarfWidth::IsInRange(const std::string&) { return TRUE; }
void CEditHarfWidth::AdjustText() {}
BOOL CEditHarfWidth::AcceptsOtherChar(UINT) { return FALSE; }

int CEditHarfWidth::CheckChar(UINT nChar) {
  const auto c = static_cast<char32_t>(nChar);
  if (platform::IsFullWidthChar(c)) return -1;
  if (platform::IsCharAlphaNumeric(c)) return CheckCandidate(nChar) ? 0 : -1;
  if (nChar == kCtrlC) {
    CopyAllToClipboard();
    return 0;
  }
  if (nChar == kCtrlV) {
    ConvertClipboardToHalfWidth();
    return 0;
  }
  return 1;
}

std::string CEditHarfWidth::Candidate(UINT nChar) const {
  const std::u16string text = platform::Utf8ToUtf16(GetWindowText());
  int start = 0, end = 0;
  GetSel(start, end);
  const std::size_t len = text.size();
  const std::size_t from = std::min<std::size_t>(static_cast<std::size_t>(std::max(start, 0)), len);
  const std::size_t to = end < 0 ? len : std::clamp<std::size_t>(static_cast<std::size_t>(end), from, len);
  std::string candidate = platform::Utf16ToUtf8(text.substr(0, from));
  platform::AppendUtf8(candidate, static_cast<char32_t>(nChar));
  candidate += platform::Utf16ToUtf8(text.substr(to));
  return candidate;
}

BOOL CEditHarfWidth::CheckCandidate(UINT nChar) {
  const std::string candidate = Candidate(nChar);
  return IsValidText(candidate) && IsInRange(candidate);
}

void CEditHarfWidth::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (CheckChar(nChar) == -1) {
    MessageBeep(MB_OK);
    return;
  }
  CEdit::OnChar(nChar, nRepCnt, nFlags);
}

void CEditHarfWidth::OnCharByRules(UINT nChar, UINT nRepCnt, UINT nFlags, BOOL bRefuseLetters) {
  bool take = false;
  switch (CheckChar(nChar)) {
    case 0:
      take = !(bRefuseLetters && platform::IsCharAlpha(static_cast<char32_t>(nChar)));
      break;
    case 1:
      take = nChar == kBackspace || nChar == kDel || AcceptsOtherChar(nChar);
      break;
    default:
      break;
  }
  if (take) {
    CEdit::OnChar(nChar, nRepCnt, nFlags);
  } else {
    MessageBeep(MB_OK);
  }
}

void CEditHarfWidth::OnKillFocus(CWnd* newWnd) {
  CEdit::OnKillFocus(newWnd);
  AdjustText();
  ConsumeKillFocus();
}

void CEditHarfWidth::CopyAllToClipboard() {
  // A password leaves the field by no route, whole or in part.
  if (GetPasswordChar() != 0) return;
  const std::string text = GetWindowText();
  if (text.empty()) {
    EmptyClipboard();
  } else {
    SetClipboardText(text);
  }
}

int CEditHarfWidth::ConvertClipboardToHalfWidth() {
  if (!IsClipboardTextAvailable()) return -1;
  std::string text;
  if (!GetClipboardText(text)) return -2;
  if (text.empty()) return 0;
  return SetClipboardText(platform::ToHalfWidth(text)) ? 0 : -1;
}

BOOL CEditHarfWidth::CanTakeText(const std::string& text) { return IsHalfWidthText(text); }

BOOL CEditHarfWidth::IsHalfWidthText(const std::string& text) {
  for (char32_t c : CodePoints(text)) {
    if (c < 0x20 || (c >= kDel && c < 0xA0) || platform::IsFullWidthChar(c)) return FALSE;
  }
  return TRUE;
}

BOOL CEditHarfWidth::IsDigitChar(char32_t c) { return platform::IsCharAlphaNumeric(c) && !platform::IsCharAlpha(c); }

std::u32string CEditHarfWidth::CodePoints(const std::string& text) {
  std::u32string out;
  std::size_t pos = 0;
  char32_t c;
  while (platform::NextCodePoint(text, pos, c)) out.push_back(c);
  return out;
}

BOOL CEditHarfWidth::HasFullStop() const { return GetWindowText().find('.') != std::string::npos; }
