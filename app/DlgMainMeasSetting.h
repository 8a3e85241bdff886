#pragma once
// The Measurement page (tab "測定・送信"): whether the logger measures, its
// start, running clock and next measurement, the intervals of normal and of
// event time, and the text of the two rain criteria; buttons for the
// measurement and criteria setting items, a full re-read and stopping the
// measurement. Its own font is a step larger than the other pages'.

#include <cstdint>
#include <optional>
#include <string>

#include "app/LoggerPageDlg.h"
#include "ui/Edit.h"

class CDlgMainMeasSetting : public CLoggerPageDlg {
 public:
  enum { IDD = 319 };
  enum : UINT {
    kCriteria = 1002,
    kUpdate = 1007,
    kMeasureSetting = 1010,
    kCriteriaSetting = 1011,
    kStopMeasure = 1012,
    kSendCount = 1023,
    kSendCountEvent = 1024,
    kState = 1025,
    kDeviceTime = 1269,
    kStartYear = 1276,
    kStartMonth = 1278,
    kStartDay = 1279,
    kStartHour = 1280,
    kStartMinute = 1281,
    kNextYear = 1283,
    kNextMonth = 1284,
    kNextDay = 1285,
    kNextHour = 1286,
    kNextMinute = 1287,
    kSamplingDays = 1288,
    kSamplingHours = 1289,
    kSamplingMinutes = 1290,
    kEventDays = 1291,
    kEventHours = 1292,
    kEventMinutes = 1293,
  };
  static constexpr UINT_PTR kClockTimer = 63;
  // Setting items of the page's buttons.
  static constexpr int kItemReread = -1;

  CDlgMainMeasSetting();

  // Fills the page from the system record as last read.
  void Refresh() override;
  // Appends the text of the two rain criteria of the record as last read.
  void FormatCriteria(std::string& text) const;
  // Stopping the measurement, on the worker thread: done or failed.
  WorkResult ThreadWork() override;

  UINT_PTR m_nTimerId = 0;
  // The logger time last written into the clock field; none before the
  // first tick, so that tick always writes.
  std::optional<int64_t> m_tShownClock;
  CEdit m_editDeviceTime;
  CEdit m_editCriteria;

  void OnBnClickedMeasureSetting();
  void OnBnClickedCriteria();
  void OnBnClickedUpdate();
  void OnBnClickedStopMeasure();

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnTimer(UINT_PTR id) override;
  void OnDestroy() override;
  void OnShowWindow(BOOL show, UINT status) override;
};
