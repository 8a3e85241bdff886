#include "ui/ProgressCtrl.h"

#include <QProgressBar>

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

BOOL CProgressCtrl::SetMarquee(BOOL on, UINT) {
  auto* bar = qobject_cast<QProgressBar*>(GetWidget());
  if (!bar) return FALSE;
  m_bMarquee = on != FALSE;
  // Qt animates a bar with an empty range at its own pace.
  if (m_bMarquee) {
    ModifyStyle(0, PBS_MARQUEE);
    bar->setRange(0, 0);
  } else {
    bar->setRange(m_nLower, m_nUpper);
  }
  return TRUE;
}
