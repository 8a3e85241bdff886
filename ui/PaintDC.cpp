#include "ui/PaintDC.h"

#include <QPainter>
#include <QWidget>

#include "ui/Wnd.h"

CPaintDC::CPaintDC(CWnd* wnd) {
  // Qt paints a widget only inside its paint event.
  if (!wnd || !wnd->IsPainting() || !wnd->GetWidget()) return;
  m_painter = std::make_unique<QPainter>(wnd->GetWidget());
  m_pPainter = m_painter.get();
}

CPaintDC::~CPaintDC() {
  m_pPainter = nullptr;
  m_painter.reset();
}
