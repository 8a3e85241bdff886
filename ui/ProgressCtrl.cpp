#include "ui/ProgressCtrl.h"

#include <QProgressBar>

#include "ui/MarqueeAnimation.h"

namespace {
// The animation lives as a child of the bar, so it goes with the bar.
MarqueeAnimation* MarqueeOf(const QWidget* widget) {
  return widget ? widget->findChild<MarqueeAnimation*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}
}  // namespace

void CProgressCtrl::SetRange32(int lower, int upper) {
  m_nLower = lower;
  m_nUpper = upper;
  if (auto* bar = qobject_cast<QProgressBar*>(GetWidget()); bar && !m_bMarquee) bar->setRange(lower, upper);
}

int CProgressCtrl::SetPos(int pos) {
  auto* bar = qobject_cast<QProgressBar*>(GetWidget());
  if (!bar) return 0;
  int old = bar->value();
  if (!m_bMarquee) bar->setValue(std::min(std::max(pos, m_nLower), m_nUpper));
  return old;
}

int CProgressCtrl::GetPos() const {
  auto* bar = qobject_cast<QProgressBar*>(GetWidget());
  return bar ? bar->value() : 0;
}

BOOL CProgressCtrl::SetMarquee(BOOL on, UINT intervalMs) {
  auto* bar = qobject_cast<QProgressBar*>(GetWidget());
  if (!bar) return FALSE;
  m_bMarquee = on != FALSE;
  delete MarqueeOf(bar);
  // The bar keeps its range: an empty one would start the style's own busy
  // animation beneath ours.
  if (m_bMarquee) {
    ModifyStyle(0, PBS_MARQUEE);
    new MarqueeAnimation(bar, intervalMs);
  } else {
    bar->setRange(m_nLower, m_nUpper);
  }
  bar->update();
  return TRUE;
}

const MarqueeAnimation* CProgressCtrl::Marquee() const { return MarqueeOf(GetWidget()); }
