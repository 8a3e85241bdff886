#include "ui/WndBridge.h"

#include <QEvent>
#include <QWheelEvent>
#include <QWidget>

#include "ui/Wnd.h"

namespace ui_detail {

WndBridge::WndBridge(CWnd* wnd, QWidget* widget) : QObject(widget), m_wnd(wnd) { widget->installEventFilter(this); }

bool WndBridge::eventFilter(QObject* watched, QEvent* e) {
  if (!m_wnd || watched != parent()) return false;
  auto* w = static_cast<QWidget*>(watched);
  switch (e->type()) {
    case QEvent::Resize:
      m_wnd->WindowProc(WM_SIZE, SIZE_RESTORED, static_cast<LPARAM>(MAKEWPARAM(w->width(), w->height())));
      break;
    case QEvent::Move:
      m_wnd->WindowProc(WM_MOVE, 0, static_cast<LPARAM>(MAKEWPARAM(w->x(), w->y())));
      break;
    case QEvent::Show:
      if (!m_shown) {
        m_shown = true;
        m_wnd->WindowProc(WM_SHOWWINDOW, TRUE, 0);
      }
      break;
    case QEvent::Hide:
      if (m_shown) {
        m_shown = false;
        m_wnd->WindowProc(WM_SHOWWINDOW, FALSE, 0);
      }
      break;
    case QEvent::Paint:
      // The background is painted by now; the window's own drawing comes
      // next, and the widget's (a dialog draws nothing) and the child
      // controls' after it.
      m_wnd->PaintNow();
      break;
    case QEvent::Close:
      // Whether the window goes is the window's own decision (OnClose).
      e->ignore();
      m_wnd->WindowProc(WM_CLOSE, 0, 0);
      return true;
    case QEvent::WindowActivate:
      if (w->isWindow()) m_wnd->WindowProc(WM_ACTIVATE, WA_ACTIVE, 0);
      break;
    case QEvent::WindowDeactivate:
      if (w->isWindow()) m_wnd->WindowProc(WM_ACTIVATE, WA_INACTIVE, 0);
      break;
    case QEvent::Wheel: {
      auto* we = static_cast<QWheelEvent*>(e);
      int delta = we->angleDelta().y();
      UINT flags = (we->modifiers() & Qt::ShiftModifier) ? 0x4 : 0;
      if (we->modifiers() & Qt::ControlModifier) flags |= 0x8;
      QPoint g = we->globalPosition().toPoint();
      WPARAM wp = MAKEWPARAM(flags, static_cast<unsigned>(static_cast<short>(delta)) & 0xFFFF);
      LPARAM lp = static_cast<LPARAM>(MAKEWPARAM(static_cast<unsigned>(g.x()), static_cast<unsigned>(g.y())));
      if (m_wnd->WindowProc(WM_MOUSEWHEEL, wp, lp)) {
        e->accept();
        return true;
      }
      break;
    }
    default:
      break;
  }
  return false;
}

}  // namespace ui_detail
