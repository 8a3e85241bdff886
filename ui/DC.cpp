#include "ui/DC.h"

#include <QPainter>
#include <QWidget>

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

CPaintDC::CPaintDC(CWnd* wnd) : CDC(nullptr) {
  QWidget* w = wnd ? wnd->GetWidget() : nullptr;
  if (!w || !w->testAttribute(Qt::WA_WState_InPaintEvent)) return;
  m_painter = std::make_unique<QPainter>(w);
  m_painter->setFont(w->font());
  SetPainter(m_painter.get());
}

CPaintDC::~CPaintDC() = default;
