#pragma once
// The main window. It carries the menu, connects to the logger (on its own at
// start-up and on Connect), disconnects, shows the terminal, switches the
// traffic-log recording, and runs the setting commands of the logger pages.
// Its own background work checks a new connection or re-reads the records.

#include <string>

#include "app/DlgRefMain.h"
#include "app/KXCWorkingThread.h"
#include "app/TKeyHook.h"
#include "ui/FrameWndEx.h"

class CMainFrame : public CFrameWndEx, public CKXCWorkingThread {
 public:
  // Commands of menu 128 and those that only the pages or a posted message
  // carry.
  enum : UINT {
    ID_CONNECT = 32771,
    ID_DISCONNECT = 32772,
    ID_TERMINAL = 32773,
    ID_LOG_RECORD = 32776,
    ID_SETTING_GROUP_2 = 32781,
    ID_SETTING_GROUP_0 = 32782,
    ID_SETTING_GROUP_1 = 32783,
    ID_SETTING_GROUP_3 = 32785,
    ID_SETTING_GROUP_4 = 32786,
    ID_EXPORT_SETTINGS = 32791,
    ID_NOTHING = 32792,
    ID_IMPORT_SETTINGS = 32794,
    ID_FIRMWARE_UPDATE = 32821,
    ID_APP_ABOUT_MENU = 32823,
    // Posted by the port when the link goes (CRSPort::SetLinkLostNotify).
    ID_LINK_LOST = 32830,
  };
  // m_nWorkMode values.
  enum : int { kWorkConnect = 0, kWorkNothing = 1, kWorkSystem = 2 };
  // Bit of m_nState.
  static constexpr unsigned char kStateConnected = 0x01;
  // The timer of a lost link that waits for an operation or a dialog.
  static constexpr UINT_PTR kLinkLostTimer = 1;

  CMainFrame();
  ~CMainFrame() override;

  BOOL LoadFrame(UINT nIDResource, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                 CWnd* parentWnd = nullptr) override;
  BOOL PreTranslateMessage(MSG* msg) override;

  // The frame's own work with the progress window ("通信中" for a null caption).
  virtual RunResult RunWork(const char* caption);
  WorkResult ThreadWork() override;

  // The logger pages' entry: 0-22 runs one setting item with the wizard's
  // page flags, -1 re-reads the system and network records, -2 the system
  // record alone.
  virtual void ExecuteSettingItem(CWnd* caller, int index, unsigned flags);
  void RunSettingGroup(int group);
  // Asks for a port while none is open and connects to it; with a port open
  // it re-reads everything. True when connected.
  [[nodiscard]] bool OpenConnection();
  // Opens the device path and checks that a logger of this family answers.
  [[nodiscard]] bool ConnectPort(const std::string& device);
  void ResetConnection();
  // The firmware dialog, then a full re-read when it updated the logger. No
  // menu item carries its command and the command's rule keeps it disabled,
  // so only a direct call opens it.
  void OnFirmwareUpdate();

  static LRESULT KeyHookProc(int code, WPARAM wParam, LPARAM lParam);

  CTKeyHook m_keyHook;
  int m_nWorkMode = kWorkConnect;
  CDlgRefMain m_dlgRefMain;
  unsigned char m_nState = 0;
  int m_bLogRecording = 0;
  std::string m_strWorkError;

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;
  int OnCreate(LPCREATESTRUCT cs) override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnMove(int x, int y) override;
  void OnDestroy() override;
  void OnClose() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  void OnTimer(UINT_PTR id) override;

  void OnConnect();
  void OnDisconnect();
  // The link went: the disconnected state and one word of it, once no
  // operation and no dialog uses the pages any more.
  void OnLinkLost();
  void OnTerminal();
  void OnLogRecord();
  void StartLogRecording();
  void OnExportSettings();
  void OnImportSettings();
  void OnSettingGroup(int group);

 private:
  void MapMessages();
  bool IsConnected() const { return (m_nState & kStateConnected) != 0; }
  // Lays the panel over the client area of a frame of that outer size.
  void LayPanel(int cx, int cy);
};

// The frame whose keyboard hook is installed; null while there is none.
extern CMainFrame* g_pMainFrameForHook;
