#pragma once
// A dialog that binds each of the program's input controls to a control of
// a sample template, as the wizard pages bind them to theirs: an edit of each
// kind with the ranges the tests and the pictures use, a plain edit beside
// them, and three groups of coloured push-like ON/OFF switches (centred; left
// and right aligned; disabled).

#include <vector>

#include "app/EditAddress.h"
#include "app/EditHarfWidth.h"
#include "app/OrgColorRdioButton.h"
#include "app/STNumEdit.h"
#include "app/STPositiveNumEdit.h"
#include "app/STRealNumEdit.h"
#include "res/DialogTemplate.h"
#include "ui/Dialog.h"

class InputControlsDialog : public CDialog {
 public:
  enum : int {
    kHalfWidth = 1001,
    kAddress = 1002,
    kPassword = 1003,
    kReal = 1004,      // -10.0 to 10.0, two decimals
    kPositive = 1005,  // 2.4 to 12.0, one decimal
    kNumber = 1006,    // 0 to 240
    kPlain = 1007,     // an edit of the framework's own, which reports EN_KILLFOCUS
    kSwitch1On = 1100,
    kSwitch1Off = 1101,
    kSwitch2On = 1102,   // text left-aligned
    kSwitch2Off = 1103,  // text right-aligned
    kSwitch3On = 1104,   // disabled
    kSwitch3Off = 1105,  // disabled
  };
  static const res::DialogTemplateData& Template();

  // Modeless, from the sample template.
  BOOL Create(CWnd* parent = nullptr);

  CEditHarfWidth m_editHalfWidth;
  CEditAddress m_editAddress;
  CEditAddress m_editPassword;
  CSTRealNumEdit m_editReal;
  CSTPositiveNumEdit m_editPositive;
  CSTNumEdit m_editNumber;
  COrgColorRdioButton m_btnSwitch[6];
  int m_nSwitch1 = 0;
  int m_nSwitch2 = 1;
  int m_nSwitch3 = 0;
  // Ids of the controls whose EN_KILLFOCUS reached the dialog.
  std::vector<int> m_killFocusFrom;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
};
