#pragma once
// CBrush: a solid brush. A colour handler (CWnd::OnCtlColor) answers one as
// an HBRUSH to paint a control's background; a null HBRUSH leaves the
// control's own background.

#include <memory>

#include "ui/WinDefs.h"

struct BrushHandle {
  COLORREF color;
};
using HBRUSH = const BrushHandle*;

class CBrush {
 public:
  CBrush() = default;
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }

  // FALSE when the brush holds one already.
  BOOL CreateSolidBrush(COLORREF color) {
    if (m_brush) return FALSE;
    m_brush = std::make_unique<BrushHandle>(BrushHandle{color});
    return TRUE;
  }
  BOOL DeleteObject() {
    const BOOL had = m_brush ? TRUE : FALSE;
    m_brush.reset();
    return had;
  }
  HBRUSH GetSafeHandle() const { return m_brush.get(); }
  operator HBRUSH() const { return GetSafeHandle(); }

 private:
  std::unique_ptr<BrushHandle> m_brush;
};
