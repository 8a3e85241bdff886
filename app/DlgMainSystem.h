#pragma once
// The System page, first tab of the panel: who the connected logger is, its
// running clock, the record range in its memory, the battery level below
// which it stops sending and its rain depth per count; buttons for the reset,
// battery-alarm and rain-coefficient setting items, a full re-read and the
// synchronisation of the logger's clock with its server.

#include <cstdint>
#include <optional>

#include "app/LoggerPageDlg.h"
#include "ui/Edit.h"
#include "ui/Static.h"

class CDlgMainSystem : public CLoggerPageDlg {
 public:
  enum { IDD = 317 };
  enum : UINT {
    kProductLine = 1005,
    kInit = 1006,
    kUpdate = 1007,
    kBatteryAlarm = 1010,
    kInputSetting = 1011,
    kVersion = 1013,
    kDeviceName = 1015,
    kRecordRange = 1017,
    kBatteryStop = 1020,
    kDeviceTime = 1269,
    kRainCoef = 1270,
    kTimeSync = 1431,
  };
  static constexpr UINT_PTR kClockTimer = 61;
  // Setting items of the page's buttons.
  static constexpr int kItemReread = -1;

  CDlgMainSystem();

  // Fills the page from the records as last read.
  void Refresh() override;
  // The time synchronisation, on the worker thread: done or failed.
  WorkResult ThreadWork() override;

  UINT_PTR m_nTimerId = 0;
  // The logger time last written into the clock field; none before the
  // first tick, so that tick always writes.
  std::optional<int64_t> m_tShownClock;
  CEdit m_editDeviceTime;
  CStatic m_staticRainCoef;

  void OnBnClickedInit();
  void OnBnClickedBatteryAlarm();
  void OnBnClickedUpdate();
  void OnBnClickedTimeSync();
  void OnBnClickedInputSetting();

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnTimer(UINT_PTR id) override;
  void OnDestroy() override;
  void OnShowWindow(BOOL show, UINT status) override;
};
