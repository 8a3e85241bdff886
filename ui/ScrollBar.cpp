#include "ui/ScrollBar.h"

#include <QScrollBar>

BOOL CScrollBar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  if (GetWidget() || !parent || !parent->GetWidget()) return FALSE;
  auto* bar = new QScrollBar((style & SBS_VERT) ? Qt::Vertical : Qt::Horizontal, parent->GetWidget());
  bar->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
  Attach(bar, static_cast<int>(id), true);
  m_dwStyle = style;
  Apply();
  if (style & WS_VISIBLE) bar->show();
  return TRUE;
}

void CScrollBar::OnAttached() {
  auto* bar = qobject_cast<QScrollBar*>(GetWidget());
  if (!bar) return;
  m_info.nMin = bar->minimum();
  m_info.nMax = bar->maximum() + std::max(bar->pageStep(), 1) - 1;
  m_info.nPage = static_cast<UINT>(bar->pageStep());
  m_info.nPos = bar->value();
  QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [this, bar](int action) {
    if (m_bApplying || GetWidget() != bar) return;
    UINT code;
    switch (action) {
      case QAbstractSlider::SliderSingleStepAdd:
        code = SB_LINEDOWN;
        break;
      case QAbstractSlider::SliderSingleStepSub:
        code = SB_LINEUP;
        break;
      case QAbstractSlider::SliderPageStepAdd:
        code = SB_PAGEDOWN;
        break;
      case QAbstractSlider::SliderPageStepSub:
        code = SB_PAGEUP;
        break;
      case QAbstractSlider::SliderToMinimum:
        code = SB_TOP;
        break;
      case QAbstractSlider::SliderToMaximum:
        code = SB_BOTTOM;
        break;
      case QAbstractSlider::SliderMove:
        code = SB_THUMBTRACK;
        break;
      default:
        return;
    }
    int track = bar->sliderPosition();
    m_info.nTrackPos = track;
    CWnd* parent = GetParent();
    if (parent) {
      UINT msg = bar->orientation() == Qt::Vertical ? WM_VSCROLL : WM_HSCROLL;
      parent->SendMessage(msg, MAKEWPARAM(code, static_cast<unsigned>(track)), m_hWnd);
    }
    // Qt would move the bar on its own; the platform's bar stays where the
    // parent put it.
    if (GetWidget() == bar) bar->setSliderPosition(m_info.nPos);
  });
  QObject::connect(bar, &QAbstractSlider::sliderReleased, bar, [this, bar] {
    if (m_bApplying || GetWidget() != bar) return;
    UINT msg = bar->orientation() == Qt::Vertical ? WM_VSCROLL : WM_HSCROLL;
    if (CWnd* parent = GetParent()) {
      parent->SendMessage(msg, MAKEWPARAM(SB_THUMBPOSITION, static_cast<unsigned>(m_info.nTrackPos)), m_hWnd);
    }
  });
}

int CScrollBar::GetScrollLimit() const {
  int limit = m_info.nMax - (m_info.nPage ? static_cast<int>(m_info.nPage) - 1 : 0);
  return std::max(limit, m_info.nMin);
}

void CScrollBar::Apply() {
  m_info.nPos = std::min(std::max(m_info.nPos, m_info.nMin), GetScrollLimit());
  auto* bar = qobject_cast<QScrollBar*>(GetWidget());
  if (!bar) return;
  m_bApplying = true;
  bar->setRange(m_info.nMin, GetScrollLimit());
  bar->setPageStep(std::max(1, static_cast<int>(m_info.nPage)));
  bar->setValue(m_info.nPos);
  m_bApplying = false;
}

BOOL CScrollBar::GetScrollInfo(SCROLLINFO* info, UINT mask) const {
  if (!info) return FALSE;
  info->fMask = mask;
  if (mask & SIF_RANGE) {
    info->nMin = m_info.nMin;
    info->nMax = m_info.nMax;
  }
  if (mask & SIF_PAGE) info->nPage = m_info.nPage;
  if (mask & SIF_POS) info->nPos = m_info.nPos;
  if (mask & SIF_TRACKPOS) info->nTrackPos = m_info.nTrackPos;
  return TRUE;
}

BOOL CScrollBar::SetScrollInfo(SCROLLINFO* info, BOOL) {
  if (!info) return FALSE;
  if (info->fMask & SIF_RANGE) {
    m_info.nMin = info->nMin;
    m_info.nMax = std::max(info->nMax, info->nMin);
  }
  if (info->fMask & SIF_PAGE) {
    int span = m_info.nMax - m_info.nMin + 1;
    m_info.nPage = std::min(info->nPage, static_cast<UINT>(std::max(span, 0)));
  }
  if (info->fMask & SIF_POS) m_info.nPos = info->nPos;
  Apply();
  return TRUE;
}

int CScrollBar::SetScrollPos(int pos, BOOL) {
  int old = m_info.nPos;
  m_info.nPos = pos;
  Apply();
  return old;
}

void CScrollBar::GetScrollRange(int* minPos, int* maxPos) const {
  if (minPos) *minPos = m_info.nMin;
  if (maxPos) *maxPos = m_info.nMax;
}

void CScrollBar::SetScrollRange(int minPos, int maxPos, BOOL) {
  m_info.nMin = minPos;
  m_info.nMax = std::max(maxPos, minPos);
  Apply();
}
