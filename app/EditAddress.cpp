#include "app/EditAddress.h"

#include "link/SettingRules.h"

void CEditAddress::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) { OnCharByRules(nChar, nRepCnt, nFlags, FALSE); }

// Letters and digits never come here (the shared check takes them), so of
// the admitted characters only the signs are left.
BOOL CEditAddress::AcceptsOtherChar(UINT nChar) { return CSettingRules::IsAddressChar(static_cast<char32_t>(nChar)); }

// A letter of another script (a half-width kana, say) is refused as typed:
// the logger's command line cannot carry it.
BOOL CEditAddress::IsValidText(const std::string& candidate) { return CSettingRules::IsAddressText(candidate); }

BOOL CEditAddress::CanTakeText(const std::string& text) { return CSettingRules::IsAddressText(text); }
