#include "ui/Wnd.h"

#include <QApplication>
#include <QPointer>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <atomic>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "ui/DialogWidget.h"
#include "ui/Font.h"
#include "ui/Images.h"
#include "ui/MessagePump.h"
#include "ui/MessageService.h"
#include "ui/QtText.h"
#include "ui/ScrollBar.h"
#include "ui/WidgetText.h"
#include "ui/WndBridge.h"

namespace {
const char* kHandleProperty = "kx2hwnd";
const char* kIdProperty = "kx2id";

// Handles are read from any thread (IsWindow, PostMessage) and changed on
// the user-interface thread only.
std::mutex g_registryLock;
std::unordered_map<HWND, CWnd*> g_windows;
std::atomic<HWND> g_nextHandle{1};

HWND HandleOf(const QObject* o) {
  if (!o) return 0;
  QVariant v = o->property(kHandleProperty);
  return v.isValid() ? static_cast<HWND>(v.toLongLong()) : 0;
}

// Is the widget's window kept from input by a modal window above it (a modal
// dialog, a file dialog, a message box), as a disabled window is? Windows
// that the modal one owns stay usable.
bool BlockedByModal(const QWidget* w) {
  const QWindow* modal = QGuiApplication::modalWindow();
  const QWidget* top = w->window();
  if (!modal || !top->windowHandle()) return false;
  for (const QWindow* t = top->windowHandle(); t; t = t->transientParent()) {
    if (t == modal) return false;
  }
  return true;
}

// The platform tells a window its size at once, shown or not, while Qt keeps
// a hidden widget's size to itself until the widget is shown. A window that
// sizes its contents in OnSize (a view whose text arrives while it is hidden)
// needs it now; the widget gets the event Qt would have sent at the show.
void SendPendingSize(QWidget* w) {
  if (w->isVisible() || !w->testAttribute(Qt::WA_PendingResizeEvent)) return;
  w->setAttribute(Qt::WA_PendingResizeEvent, false);
  QResizeEvent e(w->size(), QSize());
  QCoreApplication::sendEvent(w, &e);
}
}  // namespace

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  long long p = static_cast<long long>(a) * b;
  long long q = p / c, r = p % c;
  if (2 * (r < 0 ? -r : r) >= (c < 0 ? -static_cast<long long>(c) : c)) q += ((p < 0) != (c < 0)) ? -1 : 1;
  return static_cast<int>(q);
}

BOOL IsWindow(HWND hWnd) {
  if (hWnd == 0) return FALSE;
  std::lock_guard<std::mutex> lock(g_registryLock);
  return g_windows.count(hWnd) ? TRUE : FALSE;
}

struct CWnd::Impl {
  QPointer<QWidget> widget;
  bool owns = false;
  QMetaObject::Connection destroyed;
  ui_detail::WndBridge* bridge = nullptr;
  std::map<UINT_PTR, QTimer*> timers;
  std::vector<std::unique_ptr<CWnd>> children;
  HWND owner = 0;
  CFont font;
  bool painting = false;
};

CWnd::CWnd() : m_impl(std::make_unique<Impl>()) {}

CWnd::~CWnd() {
  if (m_impl->owns && m_impl->widget) {
    DestroyWindow();
  } else {
    Detach();
  }
}

CWnd* CWnd::FromHandle(HWND hWnd) {
  if (hWnd == 0) return nullptr;
  std::lock_guard<std::mutex> lock(g_registryLock);
  auto it = g_windows.find(hWnd);
  return it == g_windows.end() ? nullptr : it->second;
}

std::vector<HWND> CWnd::TopLevelWindows() {
  std::vector<HWND> out;
  std::lock_guard<std::mutex> lock(g_registryLock);
  for (const auto& [h, wnd] : g_windows) {
    if (wnd->m_impl->widget && wnd->m_impl->widget->isWindow()) out.push_back(h);
  }
  return out;
}

CWnd* CWnd::FromWidget(QWidget* widget) {
  for (QWidget* w = widget; w; w = w->parentWidget()) {
    if (CWnd* wnd = FromHandle(HandleOf(w))) return wnd;
  }
  return nullptr;
}

QWidget* CWnd::GetWidget() const { return m_impl->widget.data(); }

void CWnd::Attach(QWidget* widget, int id, bool ownsWidget) {
  Detach();
  if (!widget) return;
  EnsureMessageDispatcher();
  m_impl->widget = widget;
  m_impl->owns = ownsWidget;
  m_nID = id;
  HWND h = HandleOf(widget);
  if (h == 0) {
    h = g_nextHandle++;
    widget->setProperty(kHandleProperty, static_cast<qlonglong>(h));
  }
  widget->setProperty(kIdProperty, id);
  m_hWnd = h;
  {
    std::lock_guard<std::mutex> lock(g_registryLock);
    g_windows[h] = this;
  }
  m_impl->bridge = new ui_detail::WndBridge(this, widget);
  m_impl->bridge->m_shown = widget->isVisible();
  m_impl->destroyed = QObject::connect(widget, &QObject::destroyed, [this] { WidgetDestroyed(); });
  OnAttached();
}

void CWnd::Unregister() {
  if (m_hWnd == 0) return;
  std::lock_guard<std::mutex> lock(g_registryLock);
  auto it = g_windows.find(m_hWnd);
  if (it != g_windows.end() && it->second == this) g_windows.erase(it);
}

void CWnd::Detach() {
  if (m_impl->widget) OnDetaching();
  QObject::disconnect(m_impl->destroyed);
  if (m_impl->bridge && m_impl->widget) {
    m_impl->bridge->Forget();
    m_impl->bridge->deleteLater();
  }
  m_impl->bridge = nullptr;
  for (auto& [id, timer] : m_impl->timers) delete timer;
  m_impl->timers.clear();
  Unregister();
  m_hWnd = 0;
  m_impl->widget = nullptr;
  m_impl->owns = false;
  m_impl->owner = 0;
}

void CWnd::WidgetDestroyed() {
  // The timers were children of the widget and went with it.
  m_impl->timers.clear();
  m_impl->bridge = nullptr;
  Unregister();
  m_hWnd = 0;
  m_impl->owns = false;
  m_impl->children.clear();
  OnWidgetGone();
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  if (GetWidget() || !parent) return FALSE;
  CWnd* item = parent->GetDlgItem(static_cast<int>(id));
  QWidget* widget = item ? item->GetWidget() : nullptr;
  if (!widget) return FALSE;
  // The wrapper made with the dialog lets go, so the widget's events reach
  // this object alone; the handle stays the same.
  item->Detach();
  Attach(widget, static_cast<int>(id), false);
  return TRUE;
}

CFont* CWnd::GetFont() const {
  QWidget* w = GetWidget();
  m_impl->font = w ? CFont(w->font()) : CFont();
  return &m_impl->font;
}

CWnd* CWnd::AdoptChild(std::unique_ptr<CWnd> child) {
  m_impl->children.push_back(std::move(child));
  return m_impl->children.back().get();
}

BOOL CWnd::DestroyWindow() {
  QWidget* w = m_impl->widget;
  if (!w) return FALSE;
  WindowProc(WM_DESTROY, 0, 0);
  if (!m_impl->widget) return TRUE;  // a handler destroyed it already
  // Owned pop-ups go with their owner.
  for (;;) {
    CWnd* owned = nullptr;
    {
      std::lock_guard<std::mutex> lock(g_registryLock);
      for (auto& [h, other] : g_windows) {
        if (other != this && other->m_impl->owner == m_hWnd && other->m_impl->owns && other->m_impl->widget) {
          owned = other;
          break;
        }
      }
    }
    if (!owned) break;
    owned->DestroyWindow();
  }
  // Windows of their own below this one (pages, views) go next, each with
  // its own WM_DESTROY; control wrappers lose their handles now.
  for (QWidget* child : w->findChildren<QWidget*>()) {
    CWnd* c = FromHandle(HandleOf(child));
    if (!c || c == this) continue;
    if (c->m_impl->owns) {
      c->DestroyWindow();
    } else {
      c->Detach();
    }
  }
  bool owns = m_impl->owns;
  if (auto* dw = dynamic_cast<DialogWidget*>(w)) dw->Forget();
  Detach();
  m_impl->children.clear();
  if (owns) {
    // Later, not now: the call may come from one of the widget's own event
    // handlers (a button of the window that closes it).
    w->hide();
    w->deleteLater();
  }
  OnWidgetGone();
  return TRUE;
}

void CWnd::DestroyAllWindows() {
  for (;;) {
    CWnd* victim = nullptr;
    {
      std::lock_guard<std::mutex> lock(g_registryLock);
      for (auto& [h, w] : g_windows) {
        if (w->m_impl->owns && w->m_impl->widget && w->m_impl->widget->isWindow()) {
          victim = w;
          break;
        }
      }
    }
    if (!victim) break;
    victim->DestroyWindow();
  }
}

void CWnd::SetWindowText(const std::string& text) { OnSetText(text); }
std::string CWnd::GetWindowText() const { return OnGetText(); }
void CWnd::OnSetText(const std::string& text) { SetWidgetText(GetWidget(), text); }
std::string CWnd::OnGetText() const { return GetWidgetText(GetWidget()); }

CWnd* CWnd::GetDlgItem(int id) const {
  QWidget* w = GetWidget();
  if (!w) return nullptr;
  for (QObject* o : w->children()) {
    if (!o->isWidgetType()) continue;
    QVariant v = o->property(kIdProperty);
    if (v.isValid() && v.toInt() == id) {
      if (CWnd* c = FromHandle(HandleOf(o))) return c;
    }
  }
  return nullptr;
}

void CWnd::SetDlgItemText(int id, const std::string& text) {
  if (CWnd* c = GetDlgItem(id)) c->SetWindowText(text);
}

std::string CWnd::GetDlgItemText(int id) const {
  CWnd* c = GetDlgItem(id);
  return c ? c->GetWindowText() : std::string();
}

BOOL CWnd::EnableWindow(BOOL enable) {
  QWidget* w = GetWidget();
  if (!w) return FALSE;
  BOOL wasDisabled = !w->isEnabled();
  w->setEnabled(enable != FALSE);
  return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const {
  QWidget* w = GetWidget();
  return w && w->isEnabled();
}

BOOL CWnd::ShowWindow(int cmd) {
  QWidget* w = GetWidget();
  if (!w) return FALSE;
  BOOL was = w->isVisible();
  switch (cmd) {
    case SW_HIDE:
      w->hide();
      break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
      w->showMinimized();
      break;
    case SW_SHOWMAXIMIZED:
      w->showMaximized();
      break;
    case SW_RESTORE:
      if (w->isMinimized() || w->isMaximized()) w->showNormal();
      w->show();
      break;
    default:
      w->show();
      if (w->isWindow() && cmd != SW_SHOWNA && cmd != SW_SHOWNOACTIVATE) w->raise();
      break;
  }
  return was;
}

BOOL CWnd::IsWindowVisible() const {
  QWidget* w = GetWidget();
  return w && w->isVisible();
}

CWnd* CWnd::SetFocus() {
  CWnd* previous = GetFocus();
  QWidget* w = GetWidget();
  // The key belongs to the modal window: a window behind it takes no focus.
  if (w && BlockedByModal(w)) return previous;
  if (w) {
    if (w->isWindow()) w->activateWindow();
    w->setFocus(Qt::OtherFocusReason);
  }
  return previous;
}

CWnd* CWnd::GetFocus() { return FromWidget(QApplication::focusWidget()); }

void CWnd::Invalidate(BOOL) {
  if (QWidget* w = GetWidget()) w->update();
}

void CWnd::InvalidateFromAnyThread() { PostWindowMessage(m_hWnd, WM_PAINT, 0, 0); }

void CWnd::UpdateWindow() {
  if (QWidget* w = GetWidget()) w->repaint();
}

void CWnd::MoveWindow(int x, int y, int cx, int cy, BOOL repaint) {
  QWidget* w = GetWidget();
  if (!w) return;
  if (w->isWindow()) {
    // x, y, cx, cy are the outer frame (Qt places a window by its frame).
    w->move(x, y);
    ui_detail::SetOuterSize(w, cx, cy);
  } else {
    w->setGeometry(x, y, std::max(0, cx), std::max(0, cy));
  }
  SendPendingSize(w);
  if (repaint) w->update();
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
  QWidget* w = GetWidget();
  if (!w) return FALSE;
  CRect rc;
  GetWindowRect(&rc);
  if (!w->isWindow()) {
    if (CWnd* p = GetParent()) p->ScreenToClient(&rc);
  }
  if (flags & SWP_NOMOVE) {
    x = rc.left;
    y = rc.top;
  }
  if (flags & SWP_NOSIZE) {
    cx = rc.Width();
    cy = rc.Height();
  }
  if ((flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
    MoveWindow(x, y, cx, cy, !(flags & SWP_NOREDRAW));
  if (insertAfter && !(flags & SWP_NOZORDER)) w->raise();
  if (flags & SWP_SHOWWINDOW) ShowWindow((flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
  if (flags & SWP_HIDEWINDOW) ShowWindow(SW_HIDE);
  return TRUE;
}

void CWnd::MoveWindow(const RECT& rc, BOOL repaint) {
  MoveWindow(rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, repaint);
}

void CWnd::GetClientRect(LPRECT rc) const {
  QWidget* w = GetWidget();
  *rc = w ? CRect(0, 0, w->width(), w->height()) : CRect();
}

void CWnd::GetWindowRect(LPRECT rc) const {
  QWidget* w = GetWidget();
  if (!w) {
    *rc = CRect();
    return;
  }
  if (w->isWindow()) {
    QRect f = w->frameGeometry();
    *rc = CRect(f.left(), f.top(), f.left() + f.width(), f.top() + f.height());
  } else {
    QPoint g = w->mapToGlobal(QPoint(0, 0));
    *rc = CRect(g.x(), g.y(), g.x() + w->width(), g.y() + w->height());
  }
}

void CWnd::ClientToScreen(POINT* pt) const {
  if (QWidget* w = GetWidget()) {
    QPoint g = w->mapToGlobal(QPoint(pt->x, pt->y));
    pt->x = g.x();
    pt->y = g.y();
  }
}

void CWnd::ClientToScreen(LPRECT rc) const {
  POINT a{rc->left, rc->top}, b{rc->right, rc->bottom};
  ClientToScreen(&a);
  ClientToScreen(&b);
  *rc = CRect(a.x, a.y, b.x, b.y);
}

void CWnd::ScreenToClient(POINT* pt) const {
  if (QWidget* w = GetWidget()) {
    QPoint c = w->mapFromGlobal(QPoint(pt->x, pt->y));
    pt->x = c.x();
    pt->y = c.y();
  }
}

void CWnd::ScreenToClient(LPRECT rc) const {
  POINT a{rc->left, rc->top}, b{rc->right, rc->bottom};
  ScreenToClient(&a);
  ScreenToClient(&b);
  *rc = CRect(a.x, a.y, b.x, b.y);
}

void CWnd::CenterWindow(CWnd* alternate) {
  QWidget* w = GetWidget();
  if (!w) return;
  CWnd* other = alternate ? alternate : GetParent();
  QRect area;
  if (other && other->GetWidget()) {
    CRect rc;
    other->GetWindowRect(&rc);
    area = QRect(rc.left, rc.top, rc.Width(), rc.Height());
  } else if (QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen()) {
    area = s->availableGeometry();
  }
  CRect own;
  GetWindowRect(&own);
  int x = area.left() + (area.width() - own.Width()) / 2;
  int y = area.top() + (area.height() - own.Height()) / 2;
  if (w->isWindow()) {
    w->move(x, y);
  } else if (QWidget* p = w->parentWidget()) {
    w->move(p->mapFromGlobal(QPoint(x, y)));
  }
}

CWnd* CWnd::GetParent() const {
  if (m_impl->owner) return FromHandle(m_impl->owner);
  QWidget* w = GetWidget();
  return w ? FromWidget(w->parentWidget()) : nullptr;
}

// Owned pop-ups are top-level windows of their own for Qt, so that disabling
// the owner (as the program does around its background work) leaves them
// usable, as on the platform; Qt only keeps them above their owner.
void CWnd::SetOwner(CWnd* owner) {
  QWidget* w = GetWidget();
  m_impl->owner = owner ? owner->m_hWnd : 0;
  if (!w || !owner || !owner->GetWidget()) return;
  QWidget* ownerWindow = owner->GetWidget()->window();
  ownerWindow->winId();
  w->winId();
  if (w->windowHandle() && ownerWindow->windowHandle()) {
    w->windowHandle()->setTransientParent(ownerWindow->windowHandle());
  }
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add) {
  DWORD old = m_dwStyle;
  m_dwStyle = (m_dwStyle & ~remove) | add;
  // The maximise box of a top-level window is the window system's.
  QWidget* w = GetWidget();
  if (w && w->isWindow() && ((old ^ m_dwStyle) & WS_MAXIMIZEBOX)) {
    const bool visible = w->isVisible();
    w->setWindowFlag(Qt::WindowMaximizeButtonHint, (m_dwStyle & WS_MAXIMIZEBOX) != 0);
    if (m_dwStyle & WS_MAXIMIZEBOX) ui_detail::MakeMaximisable(w);
    if (visible) w->show();
  }
  if (old == m_dwStyle) return FALSE;
  OnStyleChanged(old);
  return TRUE;
}

bool CWnd::IsPainting() const { return m_impl->painting && m_impl->widget; }

void CWnd::PaintNow() {
  m_impl->painting = true;
  OnPaint();
  m_impl->painting = false;
}

void CWnd::SetIcon(int iconResourceId, BOOL) {
  if (QWidget* w = GetWidget()) w->setWindowIcon(LoadIconResource(static_cast<unsigned>(iconResourceId)));
}

void CWnd::SetMinClientSize(int cx, int cy) {
  if (QWidget* w = GetWidget()) w->setMinimumSize(std::max(0, cx), std::max(0, cy));
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, void*) {
  QWidget* w = GetWidget();
  if (!w) return 0;
  QTimer*& timer = m_impl->timers[id];
  if (!timer) {
    timer = new QTimer(w);
    QObject::connect(timer, &QTimer::timeout, w, [this, id] { WindowProc(WM_TIMER, id, 0); });
  }
  timer->start(static_cast<int>(std::max<UINT>(elapseMs, 1)));
  return id == 0 ? 1 : id;
}

BOOL CWnd::KillTimer(UINT_PTR id) {
  auto it = m_impl->timers.find(id);
  if (it == m_impl->timers.end()) return FALSE;
  delete it->second;
  m_impl->timers.erase(it);
  return TRUE;
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return PostWindowMessage(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) { return WindowProc(message, wParam, lParam); }

int CWnd::MessageBox(const std::string& text, const char* caption, UINT type) {
  return ShowMessageBox(this, text, caption, type);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (OnCommand(wParam, lParam)) return 1;
      break;
    case WM_NOTIFY: {
      LRESULT result = 0;
      if (OnNotify(wParam, lParam, &result)) return result;
      break;
    }
    case WM_TIMER:
      OnTimer(wParam);
      return 0;
    case WM_SHOWWINDOW:
      OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wParam), FromHandle(static_cast<HWND>(lParam)), HIWORD(wParam));
      return 0;
    case WM_SIZE:
      OnSize(static_cast<UINT>(wParam), LOWORD(static_cast<uintptr_t>(lParam)), HIWORD(static_cast<uintptr_t>(lParam)));
      return 0;
    case WM_MOVE:
      OnMove(static_cast<short>(LOWORD(static_cast<uintptr_t>(lParam))),
             static_cast<short>(HIWORD(static_cast<uintptr_t>(lParam))));
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_MOUSEWHEEL:
      return OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)),
                          CPoint(static_cast<short>(LOWORD(static_cast<uintptr_t>(lParam))),
                                 static_cast<short>(HIWORD(static_cast<uintptr_t>(lParam)))));
    case WM_HSCROLL:
      OnHScroll(LOWORD(wParam), HIWORD(wParam), static_cast<CScrollBar*>(FromHandle(lParam)));
      return 0;
    case WM_VSCROLL:
      OnVScroll(LOWORD(wParam), HIWORD(wParam), static_cast<CScrollBar*>(FromHandle(lParam)));
      return 0;
    case WM_PAINT:
      Invalidate(FALSE);
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<CDC*>(wParam), FromHandle(static_cast<HWND>(lParam)),
                                                  message - WM_CTLCOLORMSGBOX));
    default:
      break;
  }
  return DefWindowProc(message, wParam, lParam);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM) {
  UINT id = LOWORD(wParam), code = HIWORD(wParam);
  // Menu items (0), accelerators (1) and button clicks (BN_CLICKED = 0).
  if (code != 0 && code != 1) return FALSE;
  auto it = m_commands.find(id);
  if (it == m_commands.end()) return FALSE;
  auto handler = it->second;
  handler();
  return TRUE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
  auto* hdr = reinterpret_cast<NMHDR*>(lParam);
  if (!hdr) return FALSE;
  auto it = m_notifies.find({hdr->code, static_cast<UINT>(hdr->idFrom)});
  if (it == m_notifies.end()) return FALSE;
  auto handler = it->second;
  handler(hdr, result);
  return TRUE;
}

void CWnd::OnTimer(UINT_PTR) {}
void CWnd::OnShowWindow(BOOL, UINT) {}
void CWnd::OnActivate(UINT, CWnd*, BOOL) {}
void CWnd::OnSize(UINT, int, int) {}
void CWnd::OnMove(int, int) {}
void CWnd::OnDestroy() {}
void CWnd::OnClose() { DestroyWindow(); }
void CWnd::OnPaint() {}
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return FALSE; }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) {}
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) {}
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return nullptr; }
LRESULT CWnd::DefWindowProc(UINT, WPARAM, LPARAM) { return 0; }
void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::MapCommand(UINT id, std::function<void()> handler) { m_commands[id] = std::move(handler); }
void CWnd::MapNotify(UINT code, UINT id, std::function<void(NMHDR*, LRESULT*)> handler) {
  m_notifies[{code, id}] = std::move(handler);
}
