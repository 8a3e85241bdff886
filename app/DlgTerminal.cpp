#include "app/DlgTerminal.h"

#include <algorithm>
#include <atomic>
#include <memory>

#include "app/LogView.h"
#include "link/MLog.h"
#include "link/RSPort.h"
#include "platform/Hooks.h"
#include "ui/KeyboardHook.h"
#include "ui/MessagePump.h"

namespace {
std::atomic<CDlgTerminal*> g_pumpTerminal{nullptr};

constexpr char kHelloText[] = "\r\nhello\r\n";
constexpr char kSleepText[] = "st d00 slp\r\n";
// Key translation answers this while an input method composes.
constexpr int kImeProcessing = 229;
}  // namespace

CDlgTerminal::CDlgTerminal() : CDialog(IDD) {
  MapCommand(kHello, [this] { OnBnClickedHello(); });
  MapCommand(kSleep, [this] { OnSleepCommand(); });
  MapCommand(kSaveLog, [this] { OnBnClickedSaveLog(); });
}

CDlgTerminal::~CDlgTerminal() {
  CDlgTerminal* self = this;
  if (g_pumpTerminal.compare_exchange_strong(self, nullptr)) platform::InstallPumpHook(nullptr);
}

void CDlgTerminal::SetLink(CRSPort* port, CMLog* log) {
  m_pPort = port;
  m_pLog = log;
}

BOOL CDlgTerminal::CreateTerminal(CWnd* parent) {
  if (!Create(IDD, parent)) return FALSE;
  if (m_pLog) {
    m_pLog->m_nNotifyCmd.store(kRefresh);
    m_pLog->m_hNotifyWnd.store(m_hWnd);
    m_pLog->m_bNotifyHidden.store(!IsWindowVisible());
  }
  return TRUE;
}

void CDlgTerminal::InstallAsPump(CDlgTerminal* terminal) {
  g_pumpTerminal.store(terminal);
  platform::InstallPumpHook(terminal ? &CDlgTerminal::PumpTrampoline : nullptr);
}

bool CDlgTerminal::PumpTrampoline() {
  CDlgTerminal* terminal = g_pumpTerminal.load();
  return terminal && terminal->PeekAndPump();
}

bool CDlgTerminal::PeekAndPump() {
  // Workers wait without pumping: the queue and the windows belong to the
  // user-interface thread.
  if (!IsUiThread()) return false;
  if (m_hWnd == 0 || !GetWidget() || !IsWindowVisible()) return true;
  int handled = 0;
  while (handled < kMaxPumped) {
    const int n = ::PumpMessages(kMaxPumped - handled);
    handled += n;
    if (n == 0 || !IsWindowVisible() || PendingMessageCount() == 0) return true;
  }
  return true;
}

void CDlgTerminal::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, kViewHost, m_staticHost);
}

BOOL CDlgTerminal::OnInitDialog() {
  CDialog::OnInitDialog();
  SetIcon(128, TRUE);
  SetIcon(128, FALSE);
  CRect rc;
  if (CWnd* host = GetDlgItem(kViewHost)) {
    host->GetWindowRect(&rc);
    ScreenToClient(&rc);
  }
  auto view = std::make_unique<CLogView>();
  if (view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rc, this, 0)) {
    m_pView = static_cast<CLogView*>(AdoptChild(std::move(view)));
    m_pView->SendMessage(WM_INITIALUPDATE);
  }
  Layout();
  return TRUE;
}

void CDlgTerminal::Layout() {
  if (!GetWidget()) return;
  CRect client;
  GetClientRect(&client);
  CRect rc;
  int top = 0;
  if (CWnd* hello = GetDlgItem(kHello)) {
    hello->GetWindowRect(&rc);
    top = rc.Height();
  }
  if (m_pView) m_pView->MoveWindow(client.left, top, client.Width(), client.bottom - top);
  if (CWnd* save = GetDlgItem(kSaveLog)) {
    save->GetWindowRect(&rc);
    save->MoveWindow(client.right - rc.Width(), 0, rc.Width(), rc.Height());
  }
}

void CDlgTerminal::OnSize(UINT type, int cx, int cy) {
  CDialog::OnSize(type, cx, cy);
  Layout();
}

BOOL CDlgTerminal::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_ERASEBKGND) return TRUE;
  // Every key is the terminal's: Enter, Esc and Tab never reach the buttons
  // or close the window.
  if (msg->message == WM_KEYDOWN) {
    KeyStep(static_cast<int>(msg->wParam));
    return TRUE;
  }
  return CDialog::PreTranslateMessage(msg);
}

void CDlgTerminal::KeyStep(int virtualKey) {
  if (!m_pView) return;
  switch (virtualKey) {
    case VK_PRIOR:
      PageScroll(-1);
      return;
    case VK_NEXT:
      PageScroll(1);
      return;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      m_pView->OnCursorKey(virtualKey);
      return;
    case VK_DELETE:
      m_pView->DeleteAtCaret();
      // Delete translates to no character; the key text's DEL is not typed.
      return;
    default:
      break;
  }
  const int ch = CurrentKeyChar();
  // Characters beyond one byte have no form on the logger's 8-bit line.
  if (ch == 0 || ch == kImeProcessing || ch > 0xFF) return;
  InputStep(ch);
}

void CDlgTerminal::PageScroll(int direction) {
  CScrollBar& bar = m_pView->VScroll();
  SCROLLINFO si;
  bar.GetScrollInfo(&si, SIF_ALL);
  const int pos = std::clamp(si.nPos + direction * static_cast<int>(si.nPage), si.nMin, std::max(si.nMin, si.nMax));
  if (pos == si.nPos) return;
  bar.SetScrollPos(pos);
  m_pView->Invalidate(FALSE);
}

void CDlgTerminal::InputStep(int ch) {
  char c = static_cast<char>(ch);
  bool send = false;
  bool crlf = false;
  if (ch == 13) {
    c = 10;
    send = crlf = true;
  } else if (ch == 27) {
    send = true;
  }
  m_pView->InputChars(&c, 1);
  if (send) {
    std::string bytes;
    m_pView->GetInputLine(bytes);
    if (crlf) bytes += "\r\n";
    SendToPort(bytes);
  }
  PullEcho();
}

void CDlgTerminal::SendToPort(const std::string& bytes) {
  if (bytes.empty() || !m_pPort || !m_pPort->IsOpen()) return;
  if (m_pLog) m_pLog->Write(bytes.data(), static_cast<int32_t>(bytes.size()));
  // Never with purge: a purge would empty the received-line buffer under an
  // exchange that a worker may be running, and throw its reply away.
  m_pPort->Write(bytes.data(), static_cast<int32_t>(bytes.size()), 0);
}

void CDlgTerminal::SendFixed(const char* text) {
  if (m_bIdle == 0) return;
  SendToPort(text);
}

void CDlgTerminal::PullEcho() {
  if (!m_pLog) return;
  if (m_pLog->m_echoBuffer.ReadOut() > 0 && m_pView) m_pView->AppendText(m_pLog->m_echoBuffer.GetReadOut());
}

BOOL CDlgTerminal::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (wParam == kRefresh) {
    PullEcho();
    Invalidate(FALSE);
    return TRUE;
  }
  return CDialog::OnCommand(wParam, lParam);
}

void CDlgTerminal::OnBnClickedHello() { SendFixed(kHelloText); }

void CDlgTerminal::OnSleepCommand() { SendFixed(kSleepText); }

void CDlgTerminal::OnBnClickedSaveLog() {
  if (m_pView) m_pView->SaveLogFile();
}

void CDlgTerminal::OnCancel() { CDialog::OnCancel(); }

void CDlgTerminal::OnShowWindow(BOOL show, UINT status) {
  CDialog::OnShowWindow(show, status);
  if (m_pLog) {
    // Cleared before the pull: a write after it posts its own refresh.
    m_pLog->m_bNotifyHidden.store(!show);
    if (show) PullEcho();
  }
  if (show && !m_bPlaced) {
    m_bPlaced = true;
    PlaceBesideOwner();
  }
  for (UINT id : {kHello, kSleep, kSaveLog}) {
    if (CWnd* item = GetDlgItem(static_cast<int>(id))) item->EnableWindow(m_bIdle != 0);
  }
}

void CDlgTerminal::OnActivate(UINT state, CWnd* other, BOOL minimized) {
  CDialog::OnActivate(state, other, minimized);
  if (m_pView) m_pView->EnableCaretBlink(state, other, minimized);
}

BOOL CDlgTerminal::OnMouseWheel(UINT flags, short delta, CPoint pt) {
  if (m_pView) m_pView->OnMouseWheel(flags, delta, pt);
  return CDialog::OnMouseWheel(flags, delta, pt);
}

void CDlgTerminal::OnDestroy() {
  if (m_pLog) {
    m_pLog->m_hNotifyWnd.store(0);
    m_pLog->m_nNotifyCmd.store(0);
    m_pLog->m_bNotifyHidden.store(false);
  }
  m_pView = nullptr;
  m_bPlaced = false;
  CDialog::OnDestroy();
}

CPoint CDlgTerminal::OpeningPosition(const CRect& owner, int clientTop, int cx, int cy, const CRect& screen) {
  const int y = std::clamp(owner.top, screen.top, std::max(screen.top, screen.bottom - cy));
  if (owner.right + cx <= screen.right) return CPoint(owner.right, y);
  if (owner.left - cx >= screen.left) return CPoint(owner.left - cx, y);
  // Against the screen's edge on the side with more room, so that it covers
  // as little of the owner as it can.
  const bool right = screen.right - owner.right >= owner.left - screen.left;
  return CPoint(right ? std::max<int>(screen.left, screen.right - cx) : screen.left, clientTop);
}

// Not centred over the owner: there the terminal hid the main window's title
// and menu bar and, kept above its owner, took the clicks meant for the menu.
void CDlgTerminal::PlaceBesideOwner() {
  CWnd* owner = GetParent();
  if (!owner || !owner->GetSafeHwnd()) return;
  CRect outer;
  owner->GetWindowRect(&outer);
  POINT window{0, 0}, client{0, 0};
  owner->CWnd::ClientToScreen(&window);  // below the owner's title bar
  owner->ClientToScreen(&client);        // below its menu bar as well
  // The window manager frames the terminal as it frames the owner, but only
  // once it is shown: until then a position places its inside.
  const CPoint frame(window.x - outer.left, window.y - outer.top);
  CRect own;
  GetWindowRect(&own);
  const CRect screen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  const CPoint at =
      OpeningPosition(outer, client.y, own.Width() + 2 * frame.x, own.Height() + frame.y + frame.x, screen);
  SetWindowPos(nullptr, at.x + frame.x, at.y + frame.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
