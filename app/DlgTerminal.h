#pragma once
// The live terminal on the logger's serial line: a modeless dialog that shows
// every byte sent and received (pulled from the traffic log's echo ring),
// sends the lines the operator types straight to the port, sends a fixed
// greeting and saves what it shows. It also owns the bounded message pump that
// the link layer runs while an exchange waits.
//
// One object lives as long as the application; its owner sets the port and
// the traffic log it works with (SetLink) and creates its window.

#include <cstdint>
#include <string>

#include "ui/Dialog.h"
#include "ui/Static.h"

class CLogView;
class CRSPort;
class CMLog;

class CDlgTerminal : public CDialog {
 public:
  enum { IDD = 316 };
  static constexpr UINT kViewHost = 1000;
  static constexpr UINT kHello = 1274;
  static constexpr UINT kSleep = 1275;
  static constexpr UINT kSaveLog = 1276;
  // The command the traffic log posts after every write.
  static constexpr UINT kRefresh = 505;
  // One pump call handles at most this many messages.
  static constexpr int kMaxPumped = 201;

  CDlgTerminal();
  ~CDlgTerminal() override;

  // The port that typed lines go to and the log whose echo ring is shown.
  void SetLink(CRSPort* port, CMLog* log);
  // Creates the (hidden) window from its template and makes it the traffic
  // log's refresh target. For the main frame and the progress dialog.
  BOOL CreateTerminal(CWnd* parent);

  // Runs pending messages of the user-interface thread while the terminal is
  // shown, so windows stay alive while an exchange waits there. Answers
  // whether it serves the calling thread: false on every worker.
  bool PeekAndPump();
  // Makes PeekAndPump of this terminal the link layer's pump (nullptr: none).
  static void InstallAsPump(CDlgTerminal* terminal);

  CLogView* GetView() const { return m_pView; }

  // Where the terminal's outer frame, cx by cy, opens beside the owner's
  // frame `owner` on `screen`: right of it, else left of it, where the screen
  // has room; else at the screen's edge on the owner's roomier side, its top
  // at `clientTop`, the top of the owner's client area, so that neither the
  // owner's title nor its menu bar is hidden.
  static CPoint OpeningPosition(const CRect& owner, int clientTop, int cx, int cy, const CRect& screen);

  // 1 while no background operation runs; the background runner clears it
  // and disables the buttons for the time of a work.
  int32_t m_bIdle = 1;
  CLogView* m_pView = nullptr;
  CStatic m_staticHost;

 protected:
  void DoDataExchange(CDataExchange* dx) override;
  BOOL OnInitDialog() override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  BOOL PreTranslateMessage(MSG* msg) override;
  void OnCancel() override;
  void OnSize(UINT type, int cx, int cy) override;
  void OnDestroy() override;
  void OnShowWindow(BOOL show, UINT status) override;
  void OnActivate(UINT state, CWnd* other, BOOL minimized) override;
  BOOL OnMouseWheel(UINT flags, short delta, CPoint pt) override;

  void OnBnClickedHello();
  void OnSleepCommand();
  void OnBnClickedSaveLog();

 private:
  void Layout();
  void KeyStep(int virtualKey);
  void PageScroll(int direction);
  void InputStep(int ch);
  void SendToPort(const std::string& bytes);
  void SendFixed(const char* text);
  void PullEcho();
  void PlaceBesideOwner();
  static bool PumpTrampoline();

  CRSPort* m_pPort = nullptr;
  CMLog* m_pLog = nullptr;
  bool m_bPlaced = false;  // opened once; from then on it stays where the user put it
};
