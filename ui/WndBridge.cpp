#include "ui/WndBridge.h"

#include <QEvent>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <memory>

#include "ui/Wnd.h"

namespace ui_detail {
namespace {
const char* kPendingOuterSize = "kx2outersize";
const char* kKeptSize = "kx2keptsize";

bool IsFixed(const QWidget* w) { return w->minimumSize() == w->maximumSize(); }

// The client size, as the window's kind of sizing allows it.
void SetClientSize(QWidget* w, QSize size) {
  if (w->property(kKeptSize).isValid()) {
    w->setProperty(kKeptSize, size);
    w->setMinimumSize(size);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (!(w->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) w->resize(size);
  } else if (IsFixed(w)) {
    w->setFixedSize(size);
  } else {
    w->resize(size);
  }
}

QSize FrameExtra(const QWidget* w) {
  const QRect frame = w->frameGeometry(), inner = w->geometry();
  return QSize(frame.width() - inner.width(), frame.height() - inner.height());
}

// Applies an outer size given while the frame was not yet known.
void ApplyPendingOuterSize(QWidget* w) {
  const QVariant pending = w->property(kPendingOuterSize);
  if (!pending.isValid() || !w->isVisible()) return;
  const QSize extra = FrameExtra(w);
  if (extra.isNull()) return;
  w->setProperty(kPendingOuterSize, QVariant());
  const QSize outer = pending.toSize();
  SetClientSize(w, QSize(std::max(0, outer.width() - extra.width()), std::max(0, outer.height() - extra.height())));
}

// The window system frames a shown window a moment later, and Qt tells the
// widget no event when the frame arrives: the pending size waits for it.
void AwaitFrame(QWidget* w) {
  if (!w->property(kPendingOuterSize).isValid()) return;
  auto* timer = new QTimer(w);
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, w, [w, timer, tries] {
    ApplyPendingOuterSize(w);
    if (!w->property(kPendingOuterSize).isValid() || ++*tries >= 100) timer->deleteLater();
  });
  timer->start(20);
}

// A maximisable window without a sizing border goes back to its size when
// the operator drags it to another one.
void KeepSize(QWidget* w) {
  const QVariant kept = w->property(kKeptSize);
  if (!kept.isValid() || w->size() == kept.toSize()) return;
  if (w->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) return;
  QTimer::singleShot(0, w, [w] {
    const QVariant size = w->property(kKeptSize);
    if (size.isValid() && !(w->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) w->resize(size.toSize());
  });
}
}  // namespace

void SetOuterSize(QWidget* w, int cx, int cy) {
  const QSize outer(std::max(0, cx), std::max(0, cy));
  const QSize extra = w->isVisible() ? FrameExtra(w) : QSize(0, 0);
  if (extra.isNull()) {
    // Not framed yet: the client gets the whole size until the frame is known.
    w->setProperty(kPendingOuterSize, outer);
    SetClientSize(w, outer);
    return;
  }
  w->setProperty(kPendingOuterSize, QVariant());
  SetClientSize(w, QSize(std::max(0, cx - extra.width()), std::max(0, cy - extra.height())));
}

void MakeMaximisable(QWidget* w) {
  if (!IsFixed(w) || w->property(kKeptSize).isValid()) return;
  w->setProperty(kKeptSize, w->size());
  SetClientSize(w, w->size());
}

WndBridge::WndBridge(CWnd* wnd, QWidget* widget) : QObject(widget), m_wnd(wnd) { widget->installEventFilter(this); }

bool WndBridge::eventFilter(QObject* watched, QEvent* e) {
  if (!m_wnd || watched != parent()) return false;
  auto* w = static_cast<QWidget*>(watched);
  switch (e->type()) {
    case QEvent::Resize:
      if (w->isWindow()) {
        ApplyPendingOuterSize(w);
        KeepSize(w);
      }
      m_wnd->WindowProc(WM_SIZE, SIZE_RESTORED, static_cast<LPARAM>(MAKEWPARAM(w->width(), w->height())));
      break;
    case QEvent::Move:
      if (w->isWindow()) ApplyPendingOuterSize(w);
      m_wnd->WindowProc(WM_MOVE, 0, static_cast<LPARAM>(MAKEWPARAM(w->x(), w->y())));
      break;
    case QEvent::Show:
      if (w->isWindow()) {
        ApplyPendingOuterSize(w);
        AwaitFrame(w);
      }
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
