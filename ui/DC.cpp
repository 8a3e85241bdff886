#include "ui/DC.h"

#include <QPainter>

#include "ui/Bitmap.h"

BOOL CDC::CreateCompatibleDC(CDC*) {
  if (m_pPainter) return FALSE;
  m_bMemory = true;
  return TRUE;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap) {
  if (!m_bMemory) return nullptr;
  CBitmap* before = m_pSelected;
  m_pSelected = bitmap;
  return before;
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int widthSrc, int heightSrc,
                     DWORD rop) {
  if (!m_pPainter || !src || !src->m_pSelected || src->m_pSelected->Image().isNull() || rop != SRCCOPY) return FALSE;
  if (width <= 0 || height <= 0 || widthSrc <= 0 || heightSrc <= 0) return FALSE;
  m_pPainter->save();
  m_pPainter->setCompositionMode(QPainter::CompositionMode_Source);
  // Pixels are copied, not blended: a picture stays as sharp as its source.
  m_pPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
  m_pPainter->drawImage(QRect(x, y, width, height), src->m_pSelected->Image(), QRect(xSrc, ySrc, widthSrc, heightSrc));
  m_pPainter->restore();
  return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop) {
  return StretchBlt(x, y, width, height, src, xSrc, ySrc, width, height, rop);
}
