#include "ui/Bitmap.h"

#include "ui/Images.h"

BOOL CBitmap::LoadBitmap(UINT id) {
  m_image = LoadPngResource(id);
  return m_image.isNull() ? FALSE : TRUE;
}

BOOL CBitmap::DeleteObject() {
  if (m_image.isNull()) return FALSE;
  m_image = QImage();
  return TRUE;
}

int CBitmap::GetBitmap(BITMAP* info) const {
  if (!info || m_image.isNull()) return 0;
  info->bmWidth = m_image.width();
  info->bmHeight = m_image.height();
  return static_cast<int>(sizeof(BITMAP));
}
