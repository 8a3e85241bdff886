#include "app/EditAddress.h"

#include "platform/Text.h"

void CEditAddress::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) { OnCharByRules(nChar, nRepCnt, nFlags, FALSE); }

// Letters and digits never come here (the shared check takes them), so of
// the admitted characters only the signs are left.
BOOL CEditAddress::AcceptsOtherChar(UINT nChar) { return platform::IsAddressChar(static_cast<char32_t>(nChar)); }

BOOL CEditAddress::CanTakeText(const std::string& text) { return platform::IsAddressText(text); }
