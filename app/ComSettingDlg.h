#pragma once
// The port selection dialog: lists the serial ports of the machine (and the
// virtual ones named in KX2_PORTS), preselects the port last connected and
// hands back the device path of the chosen one.

#include <string>

#include "ui/Dialog.h"
#include "ui/ListCtrl.h"

class CComSettingDlg : public CDialog {
 public:
  enum { IDD = 151 };
  static constexpr int kPortList = 1003;

  explicit CComSettingDlg(CWnd* pParent = nullptr);
  ~CComSettingDlg() override;

  // Runs from the template with the program's dialog font.
  INT_PTR DoModal() override;
  void EnumeratePorts();

  // In: the device path to preselect (may be empty). Out after OK: "\\.\"
  // and the chosen port name, or what came in when no row was chosen.
  std::string m_szPort;
  CListCtrl m_list;

 protected:
  void DoDataExchange(CDataExchange* pDX) override;
  BOOL OnInitDialog() override;
  void OnOK() override;

 private:
  void FitPortColumn();
};
