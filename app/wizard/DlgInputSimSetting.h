#pragma once
// Wizard page of setting item 11: the access point of the logger's
// communication module, either the module's preset profile ("Soracom") or a
// name, user, password and authentication typed in ("その他"), sent on Next.

#include <string>

#include "app/EditAddress.h"
#include "app/wizard/InputBaseDlg.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"

// The authentication types in the order of the page's list; "none" stands
// for the empty type the logger keeps when there is none.
extern const char* const g_authTypeNames[3];

class CDlgInputSimSetting : public CInputBaseDlg {
 public:
  enum { IDD = 325 };
  enum : UINT {
    kUser = 1004,
    kPassword = 1005,
    kImei = 1007,
    kApn = 1028,
    kPreset = 1431,
    kOther = 1432,
    kAuth = 1434,
    kImport = 1435,
  };
  // Carrier choices (the radio group) and the module modes they send.
  enum : int { kChoicePreset = 0, kChoiceOther = 1 };
  enum : int { kModePreset = 1, kModeValues = 2 };

  CDlgInputSimSetting();
  // The module write of m_nModuleMode, on the worker thread: done or
  // failed (the text names the values the logger refused).
  WorkResult ThreadWork() override;

  // "Error: ( -APN-APA )" for the failed steps of a mask, empty for none.
  static std::string FailureDetail(uint16_t mask);

  CEditAddress m_editApn;
  CEditAddress m_editUser;
  CEditAddress m_editPassword;
  CEdit m_editImei;
  CComboBox m_comboAuth;
  int m_nModuleMode = kModeValues;
  int m_nCarrier = kChoiceOther;
  CButton m_btnImport;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnBnClickedNext();
  void OnCarrierChanged();

 private:
  // The typed values are used, and so editable, only for "その他".
  void EnableValueFields();
};
