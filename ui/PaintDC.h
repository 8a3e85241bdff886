#pragma once
// CPaintDC: the device context of a window's OnPaint. Made anywhere else it
// paints nothing (its painter is null).

#include <memory>

#include "ui/DC.h"

class CWnd;

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* wnd);
  ~CPaintDC() override;

 private:
  std::unique_ptr<QPainter> m_painter;
};
