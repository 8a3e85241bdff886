#pragma once
// CWnd: a window of the framework. It wraps one Qt widget, gives it a small
// integer handle that any thread may post to, and routes the widget's events
// to the virtual handlers that the system's windows override.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ui/Brush.h"
#include "ui/Point.h"
#include "ui/Rect.h"
#include "ui/WinDefs.h"

class QWidget;
class QTimer;
namespace ui_detail {
class WndBridge;
}
class CScrollBar;
class CDataExchange;
class CDC;
class CFont;

class CWnd {
 public:
  CWnd();
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = 0;
  HWND GetSafeHwnd() const { return m_hWnd; }
  // The window of a handle, or nullptr. User-interface thread only.
  static CWnd* FromHandle(HWND hWnd);
  // The window that a widget (or its nearest ancestor with a handle) belongs to.
  static CWnd* FromWidget(QWidget* widget);
  // Every window that stands on its own (a frame, a dialog), not inside
  // another window. User-interface thread only.
  static std::vector<HWND> TopLevelWindows();

  // Text (UTF-8), through OnSetText and OnGetText.
  void SetWindowText(const std::string& text);
  std::string GetWindowText() const;
  void GetWindowText(std::string& text) const { text = GetWindowText(); }

  // Child controls by id.
  CWnd* GetDlgItem(int id) const;
  void SetDlgItemText(int id, const std::string& text);
  std::string GetDlgItemText(int id) const;
  int GetDlgCtrlID() const { return m_nID; }

  // State and place.
  BOOL EnableWindow(BOOL enable = TRUE);  // nonzero when it was disabled before
  BOOL IsWindowEnabled() const;
  BOOL ShowWindow(int cmd);  // nonzero when it was visible before
  BOOL IsWindowVisible() const;
  CWnd* SetFocus();
  static CWnd* GetFocus();
  void Invalidate(BOOL erase = TRUE);
  // Repaint request that any thread may make; the repaint happens on the
  // user-interface thread.
  void InvalidateFromAnyThread();
  void UpdateWindow();
  void MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE);
  void MoveWindow(const RECT& rc, BOOL repaint = TRUE);
  // Place, size and showing in one call (SWP_ flags; the z-order argument is
  // only raised above others when given and SWP_NOZORDER is not set).
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  virtual void GetClientRect(LPRECT rc) const;
  void GetWindowRect(LPRECT rc) const;
  virtual void ClientToScreen(LPRECT rc) const;
  virtual void ClientToScreen(POINT* pt) const;
  virtual void ScreenToClient(LPRECT rc) const;
  virtual void ScreenToClient(POINT* pt) const;
  // Centres the window on another one (its parent when none is given).
  void CenterWindow(CWnd* alternate = nullptr);
  CWnd* GetParent() const;
  DWORD GetStyle() const { return m_dwStyle; }
  BOOL ModifyStyle(DWORD remove, DWORD add);
  // The application icon as the window's icon.
  void SetIcon(int iconResourceId, BOOL big);
  // The smallest client size a sizing border lets the operator drag to.
  void SetMinClientSize(int cx, int cy);

  // Timers of this window, delivered to OnTimer.
  UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, void* unused = nullptr);
  BOOL KillTimer(UINT_PTR id);

  // Queues a message for the window's thread; safe on any thread.
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
  // Handles a message now, on the calling (user-interface) thread.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  // A message box owned by this window, through the message service.
  int MessageBox(const std::string& text, const char* caption = nullptr, UINT type = MB_OK);

  virtual BOOL DestroyWindow();
  // Key-downs of the window and its children before they are handled;
  // TRUE swallows the message.
  virtual BOOL PreTranslateMessage(MSG* msg);
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  // The wrapped widget (nullptr when the window does not exist). For the
  // framework and for code that draws.
  QWidget* GetWidget() const;

  // Binds this object to a widget: the widget gets this window's handle. A
  // window that owns its widget deletes it in DestroyWindow.
  void Attach(QWidget* widget, int id, bool ownsWidget);
  // Is a handler mapped to this command id (menus enable such commands).
  bool HasCommandHandler(UINT id) const { return m_commands.count(id) != 0; }
  // Destroys every window that still exists (before the Qt application goes).
  static void DestroyAllWindows();

  // Is the window inside its paint now (OnPaint runs): a CPaintDC paints only then.
  bool IsPainting() const;

  // A pop-up owned by another window: above it, and destroyed with it.
  void SetOwner(CWnd* owner);

  // Forgets the widget without destroying it.
  void Detach();
  // This object takes over the control of that id in the parent (a dialog's
  // control that its template made): the control's events reach this object
  // from now on, under the same handle. FALSE when the parent has no such
  // control or this object already has a window.
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  // The font the window draws its text with.
  CFont* GetFont() const;
  // Keeps a wrapper of a child control alive as long as this window.
  CWnd* AdoptChild(std::unique_ptr<CWnd> child);

 protected:
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual void OnTimer(UINT_PTR id);
  virtual void OnShowWindow(BOOL show, UINT status);
  virtual void OnActivate(UINT state, CWnd* other, BOOL minimized);
  virtual void OnSize(UINT type, int cx, int cy);
  virtual void OnMove(int x, int y);
  virtual void OnDestroy();
  virtual void OnClose();
  // The window paints itself (with a CPaintDC) after its background and
  // before its child controls, each time the system repaints it.
  virtual void OnPaint();
  virtual BOOL OnMouseWheel(UINT flags, short delta, CPoint pt);
  virtual void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
  virtual void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
  // The colours of a child control about to paint (nCtlColor: CTLCOLOR_STATIC,
  // ...): the handler may set the text colour (and, opaque, the background
  // colour) on the DC; a brush it answers fills the control's background. The
  // default chooses nothing, so the control keeps its own colours.
  virtual HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void DoDataExchange(CDataExchange* dx);

  // Message-map stand-ins: a handler per command id (menu, accelerator,
  // button click) and per WM_NOTIFY (code, id).
  void MapCommand(UINT id, std::function<void()> handler);
  void MapNotify(UINT code, UINT id, std::function<void(NMHDR*, LRESULT*)> handler);

  // Called once Attach has bound a widget (controls hook their events here).
  virtual void OnAttached() {}
  // Called before Detach lets go of the widget.
  virtual void OnDetaching() {}
  // Called after the widget has gone (destroyed by Qt or by DestroyWindow).
  virtual void OnWidgetGone() {}
  // Called when ModifyStyle changed the style bits.
  virtual void OnStyleChanged(DWORD oldStyle) { (void)oldStyle; }
  // The window's text as SetWindowText hands it over and GetWindowText
  // answers: a control that shows its text in another form than it gives
  // and takes (a masked edit) overrides both. The base: the widget's text.
  virtual void OnSetText(const std::string& text);
  virtual std::string OnGetText() const;

  DWORD m_dwStyle = 0;
  int m_nID = 0;

 private:
  friend class ui_detail::WndBridge;
  void Unregister();
  void WidgetDestroyed();
  // The widget's paint event: OnPaint, with IsPainting true meanwhile.
  void PaintNow();

  struct Impl;
  std::unique_ptr<Impl> m_impl;
  std::map<UINT, std::function<void()>> m_commands;
  std::map<std::pair<UINT, UINT>, std::function<void(NMHDR*, LRESULT*)>> m_notifies;
};
