#pragma once
// The base of the logger pages of the tabbed panel: a child dialog and a
// background operation in one object, as the wizard's input pages are.
// What every page does alike stands here once:
//
// - the panel brings each page up to date through Refresh after every
//   operation;
// - Esc is swallowed (loggerpage::TranslatePageMessage), and neither Enter
//   nor an IDCANCEL hides the page, a child of the panel;
// - the page's window ends before its background part waits for a work
//   still running, so no message reaches the page meanwhile.
//
// The panel ends its pages' windows while they are whole, so each page's
// own OnDestroy runs (the clock pages stop their timer there); a window
// still there when the page goes ends with the base's destructor, when
// only the dialog is left of the page.

#include "app/KXCWorkingThread.h"
#include "ui/Dialog.h"

class CLoggerPageDlg : public CDialog, public CKXCWorkingThread {
 public:
  explicit CLoggerPageDlg(UINT nIDTemplate);
  ~CLoggerPageDlg() override;

  // Fills the page from the device object's records as last read and the
  // port's state; the panel calls it for every page that has a window.
  virtual void Refresh() = 0;

 protected:
  BOOL PreTranslateMessage(MSG* msg) override;
  void OnOK() override {}
  void OnCancel() override {}
};
