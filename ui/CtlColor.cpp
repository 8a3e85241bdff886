#include "ui/CtlColor.h"

#include <QEvent>
#include <QPainter>
#include <QWidget>
#include <optional>

#include "ui/DC.h"
#include "ui/Wnd.h"

namespace ui_detail {
namespace {

QColor ToQColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }

class CtlColorFilter : public QObject {
 public:
  CtlColorFilter(QWidget* control, HWND dialog, UINT message)
      : QObject(control), m_dialog(dialog), m_message(message) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() == QEvent::Paint && watched->isWidgetType()) BeforePaint(static_cast<QWidget*>(watched));
    return false;
  }

 private:
  void BeforePaint(QWidget* w) {
    CWnd* dialog = CWnd::FromHandle(m_dialog);
    CWnd* control = CWnd::FromWidget(w);
    if (!dialog || !control || control == dialog) return;
    CDC dc;
    const auto brush = reinterpret_cast<HBRUSH>(
        dialog->SendMessage(m_message, reinterpret_cast<WPARAM>(&dc), static_cast<LPARAM>(control->m_hWnd)));
    std::optional<QColor> text;
    if (dc.IsTextColorSet()) text = ToQColor(dc.GetTextColor());
    std::optional<QColor> back;
    if (brush) {
      back = ToQColor(brush->color);
    } else if (dc.IsBkColorSet() && dc.GetBkMode() == OPAQUE) {
      back = ToQColor(dc.GetBkColor());
    }
    if (text != m_text) ApplyText(w, text);
    // The paint event's background is already done by now, so the chosen
    // one is painted here, beneath what the control paints next.
    if (back) QPainter(w).fillRect(w->rect(), *back);
  }

  // The palette changes only when the colour does: a change repaints.
  void ApplyText(QWidget* w, const std::optional<QColor>& text) {
    m_text = text;
    if (!text) {
      w->setPalette(QPalette());
      return;
    }
    QPalette p = w->palette();
    // A disabled control keeps its greyed text, as on the platform.
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
      p.setColor(group, QPalette::WindowText, *text);
      p.setColor(group, w->foregroundRole(), *text);
    }
    w->setPalette(p);
  }

  HWND m_dialog;
  UINT m_message;
  std::optional<QColor> m_text;
};

}  // namespace

UINT CtlColorMessage(res::ControlKind kind) {
  switch (kind) {
    case res::ControlKind::Static:
    case res::ControlKind::Icon:
    case res::ControlKind::GroupBox:
    case res::ControlKind::CheckBox:
    case res::ControlKind::RadioButton:
      return WM_CTLCOLORSTATIC;
    default:
      return 0;
  }
}

void AskColoursBeforePaint(QWidget* control, HWND dialog, UINT message) {
  control->installEventFilter(new CtlColorFilter(control, dialog, message));
}

}  // namespace ui_detail
