#pragma once
// The current-values dialog, opened from the Test page for one modal run:
// reads one line of current values from the logger and shows it as a table
// of five rows (number, date, battery, rain total, sampling); it can also
// reset the logger's rain count. "閉じる" closes it; Esc does not.

#include <cstdint>
#include <string>

#include "app/KXCWorkingThread.h"
#include "ui/Dialog.h"
#include "ui/ListCtrl.h"

class CDlgNowMonitor : public CDialog, public CKXCWorkingThread {
 public:
  enum { IDD = 391 };
  enum : UINT {
    kValues = 1039,
    kAcquire = 1264,
    kRainReset = 1342,
  };
  // m_nMode values.
  static constexpr uint8_t kModeRead = 0;
  static constexpr uint8_t kModeRainReset = 1;
  static constexpr int kRows = 5;

  explicit CDlgNowMonitor(CWnd* pParent = nullptr);

  // Runs the dialog from its template with the dialog font; without a parent
  // the main window owns it.
  INT_PTR DoModal() override;
  // The dialog's work with the progress window (no abort button: the work
  // polls no escape event).
  virtual RunResult RunWork(const char* caption);
  // The work of m_nMode; it reports through the device object's error text.
  WorkResult ThreadWork() override;
  // The read on the worker thread: m_strLine gets the logger's line.
  void ReadCurrentValues();
  // The table from m_strLine, on the user-interface thread; empty unless
  // the line holds five fields.
  void FillList();

  void OnBnClickedAcquire();
  void OnBnClickedRainReset();

  // The current-values line of the last read of this run; empty before a
  // read and after a failed one.
  std::string m_strLine;
  uint8_t m_nMode = kModeRead;
  CListCtrl m_listValues;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  // Esc does nothing; "閉じる" (IDOK) is the one way out.
  void OnCancel() override {}
  // The dialog asks for no close box, but some window managers draw one on
  // every window all the same: a click there closes it as "閉じる" does,
  // except while a work runs.
  void OnClose() override;

 private:
  // The run of m_nMode, then the table and the failure text.
  void RunAndShow();
};
