#pragma once
// The Data-recording page (tab "データ収録"): downloads a range of the
// logger's numbered records, reads its error log and clears its memory. The
// download is the one page operation that counts its progress and can be
// aborted; what came is shown in the downloaded-data dialog, which saves it.
//
// DlgMainRecodeData.cpp: the buttons, on the user-interface thread;
// DlgMainRecodeDataWork.cpp: the three works, on the runner's worker.

#include <cstdint>
#include <string>

#include "app/LoggerPageDlg.h"

class CDlgMainRecodeData : public CLoggerPageDlg {
 public:
  enum { IDD = 323 };
  enum : UINT { kReadData = 1017, kReadErrorLog = 1018, kClearData = 1019 };
  // m_nMode values.
  enum : uint8_t { kModeRecords = 0, kModeErrorLog = 1, kModeClear = 2 };
  // The main frame's re-read of the system record alone.
  static constexpr int kItemSystemReread = -2;

  CDlgMainRecodeData();

  // The two reads enabled exactly while the port is open; the clear stays as
  // it is, since its work reports a closed port itself.
  void Refresh() override;
  // Runs the work of m_nMode with the progress window (an abort button for
  // the download) and shows its result texts.
  RunResult RunWork();
  // The works, on the worker thread: done or failed (the device object
  // holds the failure text).
  WorkResult ThreadWork() override;
  WorkResult ReadRecords();
  // The downloaded-data dialog over m_strData (records or error log by
  // m_nMode); when it has closed, the text goes with the memory it took.
  void ShowData();

  // First record number and count of the download; -1 until computed.
  int32_t m_nStartId = -1;
  int32_t m_nCount = -1;
  uint8_t m_nMode = kModeRecords;
  // The downloaded text as the logger sent it (records or error log); written
  // by the work, read by the window side after the run, empty again once the
  // downloaded-data dialog has closed.
  std::string m_strData;

  void OnBnClickedReadData();
  void OnBnClickedReadErrorLog();
  void OnBnClickedClearData();

 protected:
  BOOL OnInitDialog() override;

 private:
  // The run of one work between a disabled and an enabled main frame; the
  // downloaded-data dialog follows where there is text to show.
  void RunAndShow(uint8_t mode);
  WorkResult ReadErrorLog();
  WorkResult ClearData();
};
