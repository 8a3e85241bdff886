#pragma once
// Wizard page of setting item 21: the two rain-rate criteria with which the
// logger enters event mode, each an amount of rain in mm within a period of
// hours and minutes and an ON/OFF switch, sent on Next. The write shortens
// the logger's measurement interval to the first period where that is
// shorter.

#include <cstdint>
#include <string>

#include "app/OrgColorRdioButton.h"
#include "app/STRealNumEdit.h"
#include "app/wizard/InputBaseDlg.h"
#include "ui/MFCMaskedEdit.h"

class CDlgInputRangeRain : public CInputBaseDlg {
 public:
  enum { IDD = 352 };
  enum : UINT {
    kSwitch1On = 1100,
    kSwitch1Off = 1101,
    kSwitch2On = 1102,
    kSwitch2Off = 1103,
    kRain1 = 1156,
    kRain2 = 1157,
    kPeriod1 = 1172,
    kPeriod2 = 1173,
  };

  CDlgInputRangeRain();
  // The criteria written into the logger, on the worker thread: done or
  // failed.
  WorkResult ThreadWork() override;

  // One criterion as typed: the amount rounded to two decimals (0.01 to
  // 999.99) and the period field's digits ("hhhmm", a leading placeholder
  // counting as 0) as minutes (1 to 14400; minutes above 59 count on).
  // False for anything else, NaN included.
  static bool ToCriterion(const std::string& rain, const std::string& period, double* amount, int32_t* minutes);

  // ON 1100, ON 1102, OFF 1101, OFF 1103.
  COrgColorRdioButton m_btnSwitch[4];
  int m_nSwitch1 = 0;  // 0 ON, 1 OFF
  int m_nSwitch2 = 0;
  CSTRealNumEdit m_editRain[2];
  CMFCMaskedEdit m_editPeriod[2];
  // The fields' texts as the page opened: a criterion that is off and
  // untouched keeps the amount and period it came with.
  std::string m_strShownRain[2];
  std::string m_strShownPeriod[2];

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnBnClickedNext();
};
