#pragma once
// The downloaded data: the records or the error log as the logger sent them,
// shown in a read-only box that grows with the window, and saved unchanged
// to a text file whose proposed name tells the kind and the time of saving.

#include <cstdint>
#include <ctime>
#include <string>

#include "ui/DialogEx.h"
#include "ui/Rect.h"

class CDlgAqcuired : public CDialogEx {
 public:
  enum { IDD = 336 };
  enum : UINT { kSave = IDOK, kClose = IDCANCEL, kText = 1002 };

  // data: the owner's text, which must outlive the dialog's run.
  CDlgAqcuired(const std::string* data, BOOL errorLog, CWnd* pParent);
  // From the template with the dialog font. IDOK after a save, IDCANCEL
  // after closing without one.
  INT_PTR DoModal() override;

  // "DWL_ERR_" (error log) or "DWL_ALL_" (records), the local time and ".txt".
  static std::string ProposedFileName(bool errorLog, std::time_t when);

  uint8_t m_bErrorLog = 0;
  const std::string* m_pData = nullptr;
  // Client size and control rectangles (client coordinates) as first shown.
  CRect m_rcInitClient{0, 0, 0, 0};
  CRect m_rcSave{0, 0, 0, 0};
  CRect m_rcClose{0, 0, 0, 0};
  CRect m_rcText{0, 0, 0, 0};

 protected:
  BOOL OnInitDialog() override;
  // Saves; the dialog stays open when the operator cancels the file dialog
  // or the file cannot be written.
  void OnOK() override;
  void OnSize(UINT type, int cx, int cy) override;

 private:
  CRect ClientRectOf(UINT id) const;
};
