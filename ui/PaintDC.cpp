#include "ui/PaintDC.h"

#include <QPainter>
#include <QWidget>

#include "ui/Wnd.h"

CPaintDC::CPaintDC(CWnd* wnd) {
  // Qt lets a widget be painted only inside its own paint event.
  QWidget* w = wnd ? wnd->GetWidget() : nullptr;
  if (!w || !w->testAttribute(Qt::WA_WState_InPaintEvent)) return;
  m_painter = std::make_unique<QPainter>(w);
  m_painter->setFont(w->font());
  SetPainter(m_painter.get());
}

CPaintDC::~CPaintDC() {
  SetPainter(nullptr);
  m_painter.reset();
}
