#pragma once
// The Test page (tab "テスト"): three checks of a working installation, the
// logger's current values, the antenna level and a test mail. The page runs
// no work of its own; its buttons are enabled while the port is open.

#include "app/LoggerPageDlg.h"

class CDlgMainTest : public CLoggerPageDlg {
 public:
  enum { IDD = 322 };
  enum : UINT {
    kCurrentValues = 1081,
    kAntenna = 1082,
    kTestMail = 1083,
  };
  // Page flags of the checks run from here: no re-read of the records after
  // the page's work (bit 0x1000); the test mail also as the only page of its
  // walk (low byte 2).
  static constexpr unsigned kAntennaFlags = 0x1000;
  static constexpr unsigned kTestMailFlags = 0x1002;

  CDlgMainTest();

  // The three checks enabled exactly while the port is open.
  void Refresh() override;

  void OnBnClickedCurrentValues();
  void OnBnClickedAntenna();
  void OnBnClickedTestMail();
};
