#pragma once
// The Communication page (tab "通信設定"): the communication module's access
// point, user, password, authentication and IMEI as last read; buttons for
// the access-point setting item, the IMEI check and a restart of the module.

#include "app/LoggerPageDlg.h"

class CDlgNetsSim : public CLoggerPageDlg {
 public:
  enum { IDD = 133 };
  enum : UINT {
    kImei = 1007,
    kAuth = 1008,
    kApn = 1024,
    kUser = 1025,
    kPassword = 1026,
    kApnSetting = 1042,
    kCheckImei = 1043,
    kRebootModule = 1044,
  };
  // The IMEI check page's flags: the only page of its walk (low byte 2), no
  // measurement stop and no re-read (every bit above the low byte).
  static constexpr unsigned kCheckImeiFlags = 0xFFFFFF02;

  CDlgNetsSim();

  // Fills the page from the network record as last read.
  void Refresh() override;
  // The module restart, on the worker thread: done or failed.
  WorkResult ThreadWork() override;

  void OnBnClickedApnSetting();
  void OnBnClickedCheckImei();
  void OnBnClickedRebootModule();

 protected:
  BOOL OnInitDialog() override;
};
