#pragma once
// The base of every wizard input page: a dialog, a wizard page and a
// background operation in one object. It sets the wizard buttons up for the
// page's place in its walk (Back 601, Next 600, Cancel 2), answers them,
// keeps Enter and Esc from closing the page, runs the page's logger work
// with the progress window and reports its outcome, and around that work
// stops a running measurement (page flag 0x2000) and re-reads the logger's
// records (unless 0x1000 or 0x100).
//
// A concrete page gives its template to the constructor, which RunPage
// runs, and overrides ThreadWork (its logger work) and, as it needs,
// OnInitDialog, the data exchange and its own Next handler (mapped to 600
// in its constructor).

#include <atomic>

#include "app/KXCWorkingThread.h"
#include "app/wizard/WizerdWorkCore.h"
#include "ui/Brush.h"
#include "ui/Dialog.h"

class CInputBaseDlg : public CDialog, public CWizerdWorkCore, public CKXCWorkingThread {
 public:
  // Controls every page has.
  enum : UINT { kNextButton = 600, kBackButton = 601, kTitleBand = 602, kWarning = 1300 };

  explicit CInputBaseDlg(UINT nIDTemplate);
  ~CInputBaseDlg() override;

  // Stores the work flags, then runs the page. The wizard does not use it.
  virtual int StartWork(CWnd* parent, unsigned pageFlags, unsigned workFlags);
  // Deletes the page; the runner ends every page it made this way.
  virtual void DeleteSelf();
  // Runs the page's work in the background with the progress window (the
  // caption, or its own text for null) and shows the failure text, else the
  // success text. The run's result: kBusy, with only that said, when
  // another logger operation runs.
  virtual RunResult RunWorkAndReport(const char* caption);
  // One modal run of the page from the template with the dialog font. The
  // modal result; the walk reads m_nPageResult.
  virtual INT_PTR DoModalPage(CWnd* parent, unsigned flags, UINT nIDTemplate);

  // One modal run of the page from its own template (DoModalPage); the page
  // result.
  int RunPage(CWnd* parent, unsigned flags) override;

  // Whether this page's work stopped a running measurement (its hook did).
  bool MeasurementStopped() const { return m_bMeasurementStopped.load(); }

  unsigned m_nPageFlags = 0;
  int m_nPageResult = kClosed;
  unsigned m_nWorkFlags = 0;
  CBrush m_brushWhite;  // the title band's background

 protected:
  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnInitDialog() override;
  // The title band white, the warning line red.
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override;
  // The work's hooks, on the worker thread.
  void OnWorkBegin() override { SyncDeviceState(); }
  void OnWorkEnd() override { RefreshDeviceInfo(); }
  virtual void SyncDeviceState();
  virtual void RefreshDeviceInfo();
  // On the only page of a walk, the close button stands alone: Next hidden,
  // Cancel reads "閉じる". For pages that act on their own button.
  void SetCloseButton();
  // The opening of a page that only checks on its own button (IMEI,
  // antenna, test mail): no re-read after its work, then the base set-up
  // and the close button.
  void SetUpCheckPage();
  // Runs the work and, when it was done, says "成功" under the caption.
  void RunWorkAndConfirm(const char* caption);

  void OnBnClickedBack();
  void OnBnClickedNext();
  void OnBnClickedCancel();
  // Ends the page with a result: Next and Back as with OK, Cancel as cancelled.
  void EndPage(int result);

 private:
  std::atomic<bool> m_bMeasurementStopped{false};
};
