#include "ui/Image.h"

#include <QPainter>

#include "ui/DC.h"

BOOL CImage::BitBlt(CDC* dc, int x, int y) const {
  if (IsNull() || !dc || !dc->GetPainter()) return FALSE;
  dc->GetPainter()->drawImage(x, y, m_image);
  return TRUE;
}
