#include "app/Kestrix2CommView.h"

#include <QPainter>
#include <algorithm>

#include "ui/DC.h"

CKestrix2CommView::CKestrix2CommView() = default;
CKestrix2CommView::~CKestrix2CommView() = default;

BOOL CKestrix2CommView::PreCreateWindow(CREATESTRUCT& cs) { return CView::PreCreateWindow(cs); }

void CKestrix2CommView::OnInitialUpdate() {
  CView::OnInitialUpdate();
  m_imgBottom.LoadPngResource(nullptr, kBottomPicture);
  m_imgTop.LoadPngResource(nullptr, kTopPicture);
}

void CKestrix2CommView::OnDraw(CDC* pDC) {
  if (!GetDocument()) return;
  CRect rc;
  GetClientRect(&rc);
  pDC->GetPainter()->fillRect(rc.left, rc.top, rc.Width(), rc.Height(), Qt::black);
  // Pinned to the right edge; a client lower than a picture cuts off its
  // top rather than pushing it over the upper one.
  if (!m_imgBottom.IsNull()) {
    const int x = std::max(0, rc.Width() - m_imgBottom.GetWidth());
    m_imgBottom.BitBlt(pDC, x, rc.Height() - m_imgBottom.GetHeight());
  }
  if (!m_imgTop.IsNull()) {
    const int x = std::max(0, rc.Width() - m_imgTop.GetWidth());
    m_imgTop.BitBlt(pDC, x, 0);
  }
}
