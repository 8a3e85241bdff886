#include "app/DlgWorking.h"

#include <cstdio>

#include "app/EscapeEvent.h"
#include "app/Kestrix2CommApp.h"
#include "ui/WinAppEx.h"

CDlgWorking* g_pCurWorkingDlg = nullptr;

CDlgWorking::CDlgWorking() : CDialog(IDD) {
  MapCommand(kAbort, [this] { OnAbort(); });
}

CDlgWorking::~CDlgWorking() {
  if (g_pCurWorkingDlg == this) g_pCurWorkingDlg = nullptr;
  m_keyHook.UnHook();
}

void CDlgWorking::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, kProgress, m_progress);
}

BOOL CDlgWorking::OnInitDialog() {
  CDialog::OnInitDialog();
  // The length of an operation is rarely known: the bar only shows activity.
  m_progress.ModifyStyle(0, PBS_MARQUEE);
  m_progress.SetMarquee(TRUE, 10);
  m_nTotal = 0;
  m_pCaptionWnd = GetDlgItem(kCaption);
  if (m_pCaptionWnd != nullptr && !m_strCaption.empty()) {
    m_pCaptionWnd->SetWindowText(m_strCaption);
  } else if (m_pCaptionWnd != nullptr) {
    m_strCaption = m_pCaptionWnd->GetWindowText();
  }
  CenterWindow();
  if (m_pEscapeEvent) {
    if (CWnd* abort = GetDlgItem(kAbort)) abort->ShowWindow(SW_SHOW);
  }
  ShowWindow(SW_SHOW);
  m_keyHook.SetHook(this, WorkingKeyHookProc);
  return TRUE;
}

BOOL CDlgWorking::OnCommand(WPARAM wParam, LPARAM lParam) {
  // The whole first argument is compared: these are posted commands, not
  // notifications of the hidden buttons that share their ids.
  if (wParam == kSetTotal) {
    m_nTotal = static_cast<long>(lParam);
    return TRUE;
  }
  if (wParam == kSetCount) {
    // A download counts every record, thousands a second on a fast line;
    // the caption shows the first at once and then the latest on each tick
    // of its timer, and it alone is repainted.
    m_nCount = static_cast<long>(lParam);
    if (m_bCountTimer) {
      m_bCountWaiting = true;
    } else {
      ShowCount();
      m_bCountTimer = SetTimer(kCountTimer, kCountShowMs) != 0;
    }
    return TRUE;
  }
  if (wParam == kIgnored) return TRUE;
  return CDialog::OnCommand(wParam, lParam);
}

void CDlgWorking::ShowCount() {
  m_bCountWaiting = false;
  if (m_pCaptionWnd == nullptr) return;
  char text[64];
  if (m_nTotal != 0) {
    std::snprintf(text, sizeof text, " ( %ld / %ld )", m_nCount, m_nTotal);
  } else {
    std::snprintf(text, sizeof text, " ( %ld )", m_nCount);
  }
  m_pCaptionWnd->SetWindowText(m_strCaption + text);
}

void CDlgWorking::OnTimer(UINT_PTR id) {
  if (id != kCountTimer) {
    CDialog::OnTimer(id);
  } else if (m_bCountWaiting) {
    ShowCount();
  }
}

void CDlgWorking::OnAbort() {
  // Hidden at once, so the operator cannot press it twice while the work
  // finishes its current exchange.
  if (CWnd* abort = GetDlgItem(kAbort)) abort->ShowWindow(SW_HIDE);
  if (m_pEscapeEvent && m_pEscapeEvent->m_hEvent) m_pEscapeEvent->m_hEvent->Set();
}

void CDlgWorking::OnActivate(UINT state, CWnd* other, BOOL minimized) {
  // The hook belongs to the active window only: in the terminal that F1
  // opened, Esc and F1 are the terminal's keys again.
  if (state == WA_INACTIVE) {
    m_keyHook.UnHook();
  } else if (state == WA_ACTIVE || state == WA_CLICKACTIVE) {
    m_keyHook.SetHook(this, WorkingKeyHookProc);
  }
  CDialog::OnActivate(state, other, minimized);
}

void CDlgWorking::OnDestroy() {
  CDialog::OnDestroy();
  if (CWnd* parent = GetParent()) parent->SetFocus();
  m_keyHook.UnHook();
  m_pEscapeEvent = nullptr;
  m_pCaptionWnd = nullptr;
}

BOOL CDlgWorking::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) return TRUE;
  return CDialog::PreTranslateMessage(msg);
}

LRESULT WorkingKeyHookProc(int code, WPARAM wParam, LPARAM lParam) {
  CDlgWorking* dlg = g_pCurWorkingDlg;
  if (!dlg) return 1;
  const bool keyUp = (static_cast<uint32_t>(lParam) & 0x80000000u) != 0;
  if (code >= 0 && code != HC_NOREMOVE && keyUp) {
    if (wParam == VK_ESCAPE) return 1;
    if (wParam == VK_F1) {
      if (!theApp.m_pMainFrame) return 1;
      CDlgTerminal& terminal = theApp.m_dlgTerminal;
      if (terminal.GetSafeHwnd() == 0) {
        if (terminal.CreateTerminal(AfxGetMainWnd())) {
          terminal.ShowWindow(SW_SHOW);
          theApp.m_log.m_nNotifyCmd.store(CDlgTerminal::kRefresh);
          theApp.m_log.m_hNotifyWnd.store(terminal.GetSafeHwnd());
        }
      } else {
        terminal.ShowWindow(SW_SHOW);
        terminal.SetFocus();
      }
      return 1;
    }
  }
  if (dlg->m_keyHook.m_hHook == 0) return 1;
  return CallNextHookEx(dlg->m_keyHook.m_hHook, code, wParam, lParam);
}
