#pragma once
// The progress window of a background operation: a marquee, the operation's
// caption with an optional count, and an abort button for operations that
// can be cancelled. It stays up until the work has ended; Esc never closes
// it and F1 brings up the terminal.

#include <string>

#include "app/TKeyHook.h"
#include "ui/Dialog.h"
#include "ui/ProgressCtrl.h"

class CEscapeEvent;

class CDlgWorking : public CDialog {
 public:
  enum { IDD = 333 };
  static constexpr UINT kProgress = 1193;
  static constexpr UINT kCaption = 1194;
  static constexpr UINT kAbort = 1253;
  // Commands a worker posts: the total (in the second argument), the count
  // so far, and one that is accepted and ignored.
  static constexpr UINT kSetTotal = 1268;
  static constexpr UINT kSetCount = 1269;
  static constexpr UINT kIgnored = 1270;
  // The timer that shows the latest count: the caption changes at most ten
  // times a second however fast the counts come, and with every other frame
  // of the marquee, whose timer it falls in with, so that both repaint
  // together.
  static constexpr UINT_PTR kCountTimer = 1;
  static constexpr UINT kCountShowMs = 100;

  CDlgWorking();
  ~CDlgWorking() override;

  CEscapeEvent* m_pEscapeEvent = nullptr;
  std::string m_strCaption;
  CTKeyHook m_keyHook;
  long m_nTotal = 0;
  CProgressCtrl m_progress;
  // The caption's control, found once; the latest count and whether it
  // waits for the timer.
  CWnd* m_pCaptionWnd = nullptr;
  long m_nCount = 0;
  bool m_bCountWaiting = false;
  bool m_bCountTimer = false;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnActivate(UINT state, CWnd* other, BOOL minimized) override;
  void OnTimer(UINT_PTR id) override;
  void OnDestroy() override;
  BOOL PreTranslateMessage(MSG* msg) override;
  // Enter and the window's close request would hide the window while its
  // work goes on; the window goes only when the work has ended.
  void OnOK() override {}
  void OnCancel() override {}

  void OnAbort();

 private:
  // The caption with the latest count (and the total, when one came).
  void ShowCount();
};

// The progress window now shown, for the keyboard hook; null when none.
extern CDlgWorking* g_pCurWorkingDlg;

// Keyboard hook of the progress window: swallows Esc and opens the terminal
// on F1.
LRESULT WorkingKeyHookProc(int code, WPARAM wParam, LPARAM lParam);
