#include "ui/DC.h"

#include <QPainter>
#include <QWidget>

#include "ui/Bitmap.h"
#include "ui/Font.h"
#include "ui/QtText.h"
#include "ui/Wnd.h"

namespace {
QColor ToColor(COLORREF c) { return QColor(GetRValue(c), GetGValue(c), GetBValue(c)); }
}  // namespace

CDC::CDC(QPainter* painter) : m_pPainter(painter) {}
CDC::~CDC() = default;

void CDC::SetPainter(QPainter* painter) { m_pPainter = painter; }

void CDC::FillSolidRect(LPCRECT rc, COLORREF color) {
  if (!m_pPainter || !rc) return;
  m_pPainter->fillRect(QRect(rc->left, rc->top, rc->right - rc->left, rc->bottom - rc->top), ToColor(color));
}

int CDC::SetBkMode(int mode) {
  int old = m_nBkMode;
  m_nBkMode = mode;
  return old;
}

COLORREF CDC::SetBkColor(COLORREF color) {
  COLORREF old = m_crBk;
  m_crBk = color;
  m_bBkSet = true;
  return old;
}

COLORREF CDC::SetTextColor(COLORREF color) {
  COLORREF old = m_crText;
  m_crText = color;
  m_bTextSet = true;
  return old;
}

CFont* CDC::SelectObject(CFont* font) {
  CFont* old = m_pFont;
  m_pFont = font;
  return old;
}

int CDC::DrawText(const std::string& text, LPRECT rc, UINT format) {
  if (!m_pPainter || !rc) return 0;
  int flags = Qt::AlignLeft;
  if (format & DT_CENTER) flags = Qt::AlignHCenter;
  if (format & DT_RIGHT) flags = Qt::AlignRight;
  if (format & DT_SINGLELINE) {
    flags |= Qt::TextSingleLine | ((format & DT_VCENTER) ? Qt::AlignVCenter : Qt::AlignTop);
  } else {
    flags |= Qt::AlignTop | Qt::TextWordWrap;
  }
  if (!(format & DT_NOPREFIX)) flags |= Qt::TextShowMnemonic;
  QRect box(rc->left, rc->top, rc->right - rc->left, rc->bottom - rc->top);
  m_pPainter->save();
  if (m_pFont) m_pPainter->setFont(m_pFont->GetQFont());
  QString q = ToQ(text);
  QRect used = m_pPainter->boundingRect(box, flags, q);
  if (m_nBkMode == OPAQUE) m_pPainter->fillRect(used, ToColor(m_crBk));
  m_pPainter->setPen(ToColor(m_crText));
  m_pPainter->drawText(box, flags, q);
  m_pPainter->restore();
  return used.height();
}

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
