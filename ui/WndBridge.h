#pragma once
// The event filter on a window's widget that turns the widget's Qt events
// (size, place, showing, close, activation, wheel) into the window's
// messages. CWnd makes one for every widget it attaches.

#include <QObject>

class CWnd;
class QWidget;

namespace ui_detail {

class WndBridge : public QObject {
 public:
  WndBridge(CWnd* wnd, QWidget* widget);
  // The window let go of the widget: its events reach nobody any more.
  void Forget() { m_wnd = nullptr; }
  // Whether the window was last told it is shown; WM_SHOWWINDOW goes only
  // when that changes.
  bool m_shown = false;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  CWnd* m_wnd;
};

// Sizes of top-level windows. The program gives a window's outer size, frame
// included; Qt sizes the client area, and learns the frame only once the
// window system has framed the shown window. A size given before that is
// kept and applied as soon as the frame is known.
void SetOuterSize(QWidget* window, int cx, int cy);

// A window without a sizing border keeps the size the program gives it. One
// that may still be maximised must look resizable to the window system, or
// it would refuse to maximise it: its size becomes its minimum, and a size
// the operator drags it to is undone.
void MakeMaximisable(QWidget* window);

}  // namespace ui_detail
