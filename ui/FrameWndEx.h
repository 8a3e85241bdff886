#pragma once
// CFrameWndEx: the main window: menu bar from the menu resource, accelerator
// table, a view as its client, and update handlers that enable and check
// the commands before a menu opens or an accelerator fires.

#include <functional>
#include <map>
#include <vector>

#include "ui/CmdUI.h"
#include "ui/Wnd.h"

class CView;
class QAction;

enum : UINT { ID_APP_EXIT = 57665 };

class CFrameWndEx : public CWnd {
 public:
  CFrameWndEx();
  ~CFrameWndEx() override;

  // Creates the window with the menu, accelerators and icon of that resource id.
  virtual BOOL LoadFrame(UINT nIDResource, DWORD style = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                         CWnd* parentWnd = nullptr);
  // The view's window becomes the frame's client area.
  BOOL CreateView(CView* view, UINT id = AFX_IDW_PANE_FIRST);
  CView* GetActiveView() const { return m_pView; }
  void DrawMenuBar();
  // What the update handler says about a command now (enabled when some
  // window or the application handles it).
  CCmdUI QueryCommandUI(UINT id);
  // Runs the update handlers of every menu item, as opening the menus does.
  void UpdateMenuState();
  // Runs a command as the menu or the accelerator would: only when enabled.
  BOOL RunCommand(UINT id, bool fromAccelerator = false);

  void GetClientRect(LPRECT rc) const override;
  void ClientToScreen(LPRECT rc) const override;
  void ClientToScreen(POINT* pt) const override;
  void ScreenToClient(LPRECT rc) const override;
  void ScreenToClient(POINT* pt) const override;

 protected:
  virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
  // -1 ends the creation.
  virtual int OnCreate(LPCREATESTRUCT cs);
  void MapUpdateCommandUI(UINT id, std::function<void(CCmdUI*)> handler);
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  void OnWidgetGone() override;

 private:
  void BuildMenu(UINT id);
  void BuildAccelerators();
  bool IsHandled(UINT id) const;
  CPoint ClientOrigin() const;

  std::map<UINT, std::function<void(CCmdUI*)>> m_updates;
  std::vector<std::pair<UINT, QAction*>> m_menuActions;
  CView* m_pView = nullptr;
};
