// The main frame's window side: creation, menu and update handlers, keys,
// layout of the panel, the terminal, the traffic-log recording and teardown.
// MainFrameConnect.cpp holds the connection and the logger work.
#include "app/MainFrame.h"

#include <ctime>

#include "app/Kestrix2CommApp.h"
#include "ui/FileDialog.h"

CMainFrame* g_pMainFrameForHook = nullptr;

namespace {
constexpr int kStartX = 100;
constexpr int kStartY = 100;
constexpr int kStartWidth = 688;
constexpr int kStartHeight = 461;
// Key flags of a keyboard hook: bit 31 set on a key-up, bit 29 while Alt is held.
constexpr LPARAM kKeyUp = static_cast<LPARAM>(1u << 31);
constexpr LPARAM kAltDown = static_cast<LPARAM>(1u << 29);
}  // namespace

CMainFrame::CMainFrame() {
  g_pMainFrameForHook = this;
  theApp.m_pMainFrame = this;
  MapMessages();
}

CMainFrame::~CMainFrame() {
  // The window normally went before; its teardown must still run when a
  // frame is dropped with its window up, or the port would stay open.
  if (GetSafeHwnd() != 0) DestroyWindow();
  g_pMainFrameForHook = nullptr;
  if (theApp.m_pMainFrame == this) theApp.m_pMainFrame = nullptr;
  m_keyHook.UnHook();
}

void CMainFrame::MapMessages() {
  MapCommand(ID_CONNECT, [this] { OnConnect(); });
  MapCommand(ID_DISCONNECT, [this] { OnDisconnect(); });
  MapCommand(ID_TERMINAL, [this] { OnTerminal(); });
  MapCommand(ID_LOG_RECORD, [this] { OnLogRecord(); });
  MapCommand(ID_EXPORT_SETTINGS, [this] { OnExportSettings(); });
  MapCommand(ID_IMPORT_SETTINGS, [this] { OnImportSettings(); });
  MapCommand(ID_APP_ABOUT_MENU, [] { theApp.OnAppAbout(); });
  const UINT groups[] = {ID_SETTING_GROUP_0, ID_SETTING_GROUP_1, ID_SETTING_GROUP_2, ID_SETTING_GROUP_3,
                         ID_SETTING_GROUP_4};
  for (int group = 0; group < 5; ++group) {
    MapCommand(groups[group], [this, group] { OnSettingGroup(group); });
  }
  MapCommand(ID_FIRMWARE_UPDATE, [this] { OnFirmwareUpdate(); });
  MapCommand(ID_NOTHING, [] {});
  MapCommand(ID_LINK_LOST, [this] { OnLinkLost(); });

  auto whileConnected = [this](CCmdUI* ui) { ui->Enable(IsConnected() ? TRUE : FALSE); };
  MapUpdateCommandUI(ID_CONNECT, [this](CCmdUI* ui) { ui->Enable(IsConnected() ? FALSE : TRUE); });
  MapUpdateCommandUI(ID_DISCONNECT, whileConnected);
  MapUpdateCommandUI(ID_LOG_RECORD, [this](CCmdUI* ui) { ui->SetCheck(m_bLogRecording == 1 ? 1 : 0); });
  MapUpdateCommandUI(ID_EXPORT_SETTINGS, whileConnected);
  MapUpdateCommandUI(ID_IMPORT_SETTINGS, whileConnected);
  for (UINT id : {ID_SETTING_GROUP_0, ID_SETTING_GROUP_1, ID_SETTING_GROUP_3, ID_SETTING_GROUP_4}) {
    MapUpdateCommandUI(id, whileConnected);
  }
  // The firmware dialog is reached by no menu item, and this rule keeps a
  // posted command from opening it as well.
  MapUpdateCommandUI(ID_FIRMWARE_UPDATE, [](CCmdUI* ui) { ui->Enable(FALSE); });
}

// A command that its update rule disables is dropped however it arrives
// (menu, accelerator or posted), as the platform's frame does; control
// notifications carry a sender and pass.
BOOL CMainFrame::OnCommand(WPARAM wParam, LPARAM lParam) {
  const UINT code = HIWORD(wParam);
  if (lParam == 0 && (code == 0 || code == 1) && !QueryCommandUI(LOWORD(wParam)).m_bEnabled) return TRUE;
  return CFrameWndEx::OnCommand(wParam, lParam);
}

BOOL CMainFrame::LoadFrame(UINT nIDResource, DWORD style, CWnd* parentWnd) {
  return CFrameWndEx::LoadFrame(nIDResource, style, parentWnd) ? TRUE : FALSE;
}

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
  if (!CFrameWndEx::PreCreateWindow(cs)) return FALSE;
  cs.style &= ~(WS_THICKFRAME | WS_MAXIMIZEBOX);
  return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT cs) {
  if (CFrameWndEx::OnCreate(cs) == -1) return -1;
  ModifyStyle(0, WS_MAXIMIZEBOX);
  theApp.m_dlgTerminal.CreateTerminal(this);
  theApp.m_device.m_port.SetLinkLostNotify(m_hWnd, ID_LINK_LOST);
  DrawMenuBar();
  MoveWindow(kStartX, kStartY, kStartWidth, kStartHeight);
  ShowWindow(SW_SHOW);
  m_keyHook.SetHook(this, KeyHookProc);
  return 0;
}

void CMainFrame::LayPanel(int cx, int cy) {
  if (m_dlgRefMain.GetSafeHwnd() == 0) return;
  // The size handler runs before the frame has laid out its client, so the
  // client's size comes from the new outer size less the menu bar above it.
  POINT client{0, 0}, outer{0, 0};
  ClientToScreen(&client);
  CWnd::ClientToScreen(&outer);
  CRect rc(0, 0, std::max(0, cx - (client.x - outer.x)), std::max(0, cy - (client.y - outer.y)));
  ClientToScreen(&rc);
  if (CWnd* host = m_dlgRefMain.GetParent()) host->ScreenToClient(&rc);
  m_dlgRefMain.MoveWindow(rc);
  m_dlgRefMain.Invalidate();
}

void CMainFrame::OnSize(UINT type, int cx, int cy) {
  CFrameWndEx::OnSize(type, cx, cy);
  LayPanel(cx, cy);
}

void CMainFrame::OnMove(int x, int y) {
  CFrameWndEx::OnMove(x, y);
  // The size the size handler gets: the window without its caption and border.
  CRect rc;
  CWnd::GetClientRect(&rc);
  LayPanel(rc.Width(), rc.Height());
}

BOOL CMainFrame::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) {
    if (m_dlgRefMain.GetSafeHwnd() != 0) m_dlgRefMain.SetFocus();
    return TRUE;
  }
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_F1) return TRUE;
  return CFrameWndEx::PreTranslateMessage(msg);
}

LRESULT CMainFrame::KeyHookProc(int code, WPARAM wParam, LPARAM lParam) {
  CMainFrame* frame = g_pMainFrameForHook;
  if (!frame) return 1;
  // With Alt held the menu keys must reach the frame, even from the panel or
  // a page that has the focus.
  if (code >= 0 && code != HC_NOREMOVE && (lParam & kKeyUp) == 0 && (lParam & kAltDown) != 0) frame->SetFocus();
  if (frame->m_keyHook.m_hHook == 0) return 1;
  return CallNextHookEx(frame->m_keyHook.m_hHook, code, wParam, lParam);
}

void CMainFrame::OnClose() {
  // A disabled window takes no input, its close box included: while a work
  // runs the frame stays, so its teardown never pulls the port from under it.
  if (!IsWindowEnabled()) return;
  CFrameWndEx::OnClose();
}

void CMainFrame::OnDestroy() {
  m_keyHook.UnHook();
  KillTimer(kLinkLostTimer);
  theApp.m_device.m_port.SetLinkLostNotify(0, 0);
  ResetConnection();
  {
    platform::CriticalSectionLock lock(theApp.m_log.FileLock());
    if (theApp.m_log.IsOpen()) theApp.m_log.Close();
  }
  m_bLogRecording = 0;
  CFrameWndEx::OnDestroy();
  if (theApp.m_dlgTerminal.GetSafeHwnd() != 0) theApp.m_dlgTerminal.DestroyWindow();
}

void CMainFrame::OnTerminal() {
  CDlgTerminal& terminal = theApp.m_dlgTerminal;
  if (terminal.GetSafeHwnd() == 0) {
    terminal.CreateTerminal(this);
    terminal.ShowWindow(SW_SHOW);
    return;
  }
  terminal.ShowWindow(SW_SHOW);
  terminal.SetFocus();
}

void CMainFrame::OnLogRecord() {
  CMLog& log = theApp.m_log;
  {
    platform::CriticalSectionLock lock(log.FileLock());
    if (log.IsOpen()) {
      log.Close();
      m_bLogRecording = 0;
      return;
    }
  }
  StartLogRecording();
}

void CMainFrame::StartLogRecording() {
  char name[64] = "";
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::strftime(name, sizeof name, "DWL_%Y%m%d_%H%M%S", &local);
  const std::string fileName = std::string(name) + ".log";

  CFileDialog dlg(FALSE, "log", fileName.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "Log file(*.log)|*.log||",
                  this);
  dlg.m_ofn.lpstrInitialDir = "";
  if (dlg.DoModal() != IDOK) return;
  if (theApp.m_log.Open(dlg.GetPathName()) != 1) return;

  char banner[64];
  const int length = std::snprintf(banner, sizeof banner, "Brimlet Control[%s]\r\n", theApp.m_strVersion.c_str());
  if (length > 0) theApp.m_log.Write(banner, std::min<int>(length, static_cast<int>(sizeof banner) - 1));
  m_bLogRecording = 1;
}
