#include "ui/FrameWndEx.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "res/Menu.h"
#include "ui/Document.h"
#include "ui/QtText.h"
#include "ui/View.h"
#include "ui/VirtualKeys.h"
#include "ui/WinAppEx.h"

namespace {
constexpr UINT kMainMenu = 128;
}

CFrameWndEx::CFrameWndEx() {
  MapCommand(ID_APP_EXIT, [this] { SendMessage(WM_CLOSE); });
}

CFrameWndEx::~CFrameWndEx() {
  CWinAppEx* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
}

BOOL CFrameWndEx::PreCreateWindow(CREATESTRUCT&) { return TRUE; }

int CFrameWndEx::OnCreate(LPCREATESTRUCT) { return 0; }

BOOL CFrameWndEx::LoadFrame(UINT nIDResource, DWORD style, CWnd*) {
  if (GetWidget()) return FALSE;
  CREATESTRUCT cs;
  cs.style = style;
  cs.cx = 640;
  cs.cy = 480;
  if (!PreCreateWindow(cs)) return FALSE;
  auto* main = new QMainWindow;
  m_dwStyle = cs.style;
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint;
  if (cs.style & WS_MAXIMIZEBOX) flags |= Qt::WindowMaximizeButtonHint;
  main->setWindowFlags(flags);
  main->resize(cs.cx, cs.cy);
  // Without a sizing border only the program changes the size.
  if (!(cs.style & WS_THICKFRAME)) main->setFixedSize(cs.cx, cs.cy);
  Attach(main, 0, true);
  if (nIDResource == kMainMenu) {
    BuildMenu(nIDResource);
    BuildAccelerators();
    const char* doc = res::DocumentString();
    std::string title = doc ? std::string(doc).substr(0, std::string(doc).find('\n')) : std::string();
    SetWindowText(title);
  }
  SetIcon(static_cast<int>(nIDResource), TRUE);
  if (OnCreate(&cs) == -1) {
    DestroyWindow();
    return FALSE;
  }
  return TRUE;
}

void CFrameWndEx::BuildMenu(UINT) {
  auto* main = static_cast<QMainWindow*>(GetWidget());
  std::function<void(QMenu*, const std::vector<res::MenuItem>&)> fill = [&](QMenu* menu,
                                                                            const std::vector<res::MenuItem>& items) {
    for (const res::MenuItem& item : items) {
      if (item.separator) {
        menu->addSeparator();
      } else if (!item.children.empty()) {
        fill(menu->addMenu(ToQ(item.text)), item.children);
      } else {
        QAction* a = menu->addAction(ToQ(item.text));
        UINT id = item.command;
        m_menuActions.emplace_back(id, a);
        QObject::connect(a, &QAction::triggered, main, [this, id] { RunCommand(id); });
      }
    }
    QObject::connect(menu, &QMenu::aboutToShow, main, [this] { UpdateMenuState(); });
  };
  for (const res::MenuItem& popup : res::MainMenu()) {
    QMenu* menu = main->menuBar()->addMenu(ToQ(popup.text));
    fill(menu, popup.children);
  }
  UpdateMenuState();
}

void CFrameWndEx::BuildAccelerators() {
  auto* main = static_cast<QMainWindow*>(GetWidget());
  for (const res::Accelerator& acc : res::MainAccelerators()) {
    int key = VirtualKeyToQtKey(acc.key);
    if (key == 0) continue;
    QKeyCombination combo(Qt::KeyboardModifiers((acc.ctrl ? Qt::ControlModifier : Qt::NoModifier) |
                                                (acc.shift ? Qt::ShiftModifier : Qt::NoModifier) |
                                                (acc.alt ? Qt::AltModifier : Qt::NoModifier)),
                          static_cast<Qt::Key>(key));
    auto* a = new QAction(main);
    a->setShortcut(QKeySequence(combo));
    a->setShortcutContext(Qt::WindowShortcut);
    UINT id = acc.command;
    QObject::connect(a, &QAction::triggered, main, [this, id] { RunCommand(id, true); });
    main->addAction(a);
  }
}

bool CFrameWndEx::IsHandled(UINT id) const {
  if (HasCommandHandler(id)) return true;
  if (m_pView && m_pView->HasCommandHandler(id)) return true;
  if (m_pView && m_pView->GetDocument() && CDocument::HasCommandHandler(id)) return true;
  CWinAppEx* app = AfxGetApp();
  return app && app->HasCommandHandler(id);
}

void CFrameWndEx::MapUpdateCommandUI(UINT id, std::function<void(CCmdUI*)> handler) {
  m_updates[id] = std::move(handler);
}

CCmdUI CFrameWndEx::QueryCommandUI(UINT id) {
  int check = 0;
  for (auto& [cmd, action] : m_menuActions) {
    if (cmd == id && action->isChecked()) check = 1;
  }
  CCmdUI ui(id, IsHandled(id) ? TRUE : FALSE, check);
  auto it = m_updates.find(id);
  if (it != m_updates.end()) it->second(&ui);
  return ui;
}

void CFrameWndEx::UpdateMenuState() {
  for (auto& [id, action] : m_menuActions) {
    CCmdUI ui = QueryCommandUI(id);
    action->setEnabled(ui.m_bEnabled != FALSE);
    if (ui.m_bCheckSet) {
      action->setCheckable(true);
      action->setChecked(ui.m_nCheck != 0);
    }
  }
}

BOOL CFrameWndEx::RunCommand(UINT id, bool fromAccelerator) {
  if (!QueryCommandUI(id).m_bEnabled) return FALSE;
  SendMessage(WM_COMMAND, MAKEWPARAM(id, fromAccelerator ? 1 : 0), 0);
  return TRUE;
}

// Commands go to the frame, then its view, the view's document, then the
// application.
BOOL CFrameWndEx::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (CWnd::OnCommand(wParam, lParam)) return TRUE;
  if (m_pView && m_pView->GetWidget() && m_pView->WindowProc(WM_COMMAND, wParam, lParam)) return TRUE;
  UINT code = HIWORD(wParam);
  CDocument* doc = m_pView ? m_pView->GetDocument() : nullptr;
  if ((code == 0 || code == 1) && doc && doc->OnCmdMsg(LOWORD(wParam))) return TRUE;
  CWinAppEx* app = AfxGetApp();
  return (code == 0 || code == 1) && app && app->OnCommand(LOWORD(wParam));
}

BOOL CFrameWndEx::CreateView(CView* view, UINT id) {
  auto* main = static_cast<QMainWindow*>(GetWidget());
  if (!main || !view) return FALSE;
  CRect rc(0, 0, 1, 1);
  if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rc, this, id)) return FALSE;
  main->setCentralWidget(view->GetWidget());
  m_pView = view;
  return TRUE;
}

void CFrameWndEx::DrawMenuBar() {
  UpdateMenuState();
  if (auto* main = static_cast<QMainWindow*>(GetWidget())) main->menuBar()->update();
}

CPoint CFrameWndEx::ClientOrigin() const {
  auto* main = static_cast<QMainWindow*>(GetWidget());
  if (!main) return {};
  if (QWidget* c = main->centralWidget()) return CPoint(c->geometry().left(), c->geometry().top());
  QMenuBar* bar = main->menuBar();
  if (bar->isHidden()) return CPoint(0, 0);
  return CPoint(0, main->isVisible() ? bar->height() : bar->sizeHint().height());
}

void CFrameWndEx::GetClientRect(LPRECT rc) const {
  auto* main = static_cast<QMainWindow*>(GetWidget());
  if (!main) {
    *rc = CRect();
    return;
  }
  if (QWidget* c = main->centralWidget()) {
    *rc = CRect(0, 0, c->width(), c->height());
    return;
  }
  CPoint o = ClientOrigin();
  *rc = CRect(0, 0, main->width(), std::max(0, main->height() - o.y));
}

void CFrameWndEx::ClientToScreen(POINT* pt) const {
  CPoint o = ClientOrigin();
  POINT p{pt->x + o.x, pt->y + o.y};
  CWnd::ClientToScreen(&p);
  *pt = p;
}

void CFrameWndEx::ClientToScreen(LPRECT rc) const {
  POINT a{rc->left, rc->top}, b{rc->right, rc->bottom};
  ClientToScreen(&a);
  ClientToScreen(&b);
  *rc = CRect(a.x, a.y, b.x, b.y);
}

void CFrameWndEx::ScreenToClient(POINT* pt) const {
  CWnd::ScreenToClient(pt);
  CPoint o = ClientOrigin();
  pt->x -= o.x;
  pt->y -= o.y;
}

void CFrameWndEx::ScreenToClient(LPRECT rc) const {
  POINT a{rc->left, rc->top}, b{rc->right, rc->bottom};
  ScreenToClient(&a);
  ScreenToClient(&b);
  *rc = CRect(a.x, a.y, b.x, b.y);
}

// The main window gone ends the message loop, as on the platform.
void CFrameWndEx::OnWidgetGone() {
  m_menuActions.clear();
  m_pView = nullptr;
  CWinAppEx* app = AfxGetApp();
  if (app && app->m_pMainWnd == this) {
    app->m_pMainWnd = nullptr;
    PostQuitMessage(0);
  }
}
