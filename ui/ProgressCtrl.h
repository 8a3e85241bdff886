#pragma once
// CProgressCtrl: progress bar, with the marquee (busy) mode.

#include "ui/Wnd.h"

class MarqueeAnimation;

class CProgressCtrl : public CWnd {
 public:
  void SetRange32(int lower, int upper);
  int SetPos(int pos);  // the previous position
  int GetPos() const;
  // Marquee on: the bar shows activity and no position; the block advances
  // one step every intervalMs.
  BOOL SetMarquee(BOOL on, UINT intervalMs);
  bool IsMarquee() const { return m_bMarquee; }
  // The animation while the marquee is on, else null.
  const MarqueeAnimation* Marquee() const;

 private:
  int m_nLower = 0;
  int m_nUpper = 100;
  bool m_bMarquee = false;
};
