#pragma once
// Wizard page of setting item 22: the measurement schedule (start, the
// normal and the event interval, the two data-send counts), sent on Next
// with the request to measure. It shows the logger's running clock and puts
// the PC's time two minutes ahead into the start on request.

#include <cstdint>
#include <optional>
#include <string>

#include "app/STNumEdit.h"
#include "app/wizard/InputBaseDlg.h"
#include "ui/Edit.h"
#include "ui/MFCMaskedEdit.h"

class CSdlTime;

class CDlgInputMeasureSetting : public CInputBaseDlg {
 public:
  enum { IDD = 342 };
  enum : UINT {
    kEventDays = 1025,
    kNormalCount = 1027,
    kEventCount = 1028,
    kStart = 1254,
    kNormalDays = 1261,
    kNormalTime = 1262,
    kEventTime = 1263,
    kDeviceTime = 1269,
    kPcTimePlus2 = 1421,
  };
  static constexpr UINT_PTR kClockTimer = 65;

  CDlgInputMeasureSetting();
  ~CDlgInputMeasureSetting() override;
  // The schedule written into the logger, on the worker thread: done or
  // failed (the failure text names the refused steps).
  WorkResult ThreadWork() override;

  // The start field's digits ("yymmddhhmm") as a real calendar date-time,
  // second 0; false otherwise.
  static bool ParseStart(const std::string& digits, CSdlTime* start);
  // Days and the "hhmm" digits as seconds, hours 0-23 and minutes 0-59,
  // the whole one minute to ten days; false otherwise.
  static bool ParseInterval(const std::string& days, const std::string& hhmm, int32_t* seconds);
  // A send count of digits, 0-240; false otherwise.
  static bool ParseCount(const std::string& text, int32_t* count);
  // One line per refused step of the write, "Err SMP\r\n" ... "Err STM\r\n".
  static std::string FailureDetail(uint16_t mask);

  UINT_PTR m_nTimerId = 0;
  std::optional<int64_t> m_timeShown;  // the logger second last shown
  CEdit m_editDeviceTime;
  CMFCMaskedEdit m_editStart;
  CMFCMaskedEdit m_editNormalTime;
  CMFCMaskedEdit m_editEventTime;
  CSTNumEdit m_editNormalDays;
  CSTNumEdit m_editEventDays;
  CSTNumEdit m_editNormalCount;
  CSTNumEdit m_editEventCount;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  void OnTimer(UINT_PTR id) override;
  void OnDestroy() override;
  void OnBnClickedPcTimePlus2();
  void OnBnClickedNext();

 private:
  void ShowInterval(CMFCMaskedEdit& time, CSTNumEdit& days, int32_t seconds);
};
