#pragma once
// CEditAddress: an access-point field (name, user, password). Its text goes
// into a command line to the logger, so it admits ASCII letters, digits and
// the signs ! " # $ % & ' * + - . / = ? @ ^ _ { | } ~ only: no blank, no
// comma (CSettingRules::IsAddressText).

#include "app/EditHarfWidth.h"

class CEditAddress : public CEditHarfWidth {
 protected:
  void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) override;
  BOOL AcceptsOtherChar(UINT nChar) override;
  BOOL IsValidText(const std::string& candidate) override;
  BOOL CanTakeText(const std::string& text) override;
};
