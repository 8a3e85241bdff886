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

}  // namespace ui_detail
