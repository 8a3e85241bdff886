#pragma once
// CProgressCtrl: progress bar, with the marquee (busy) mode.

#include "ui/Wnd.h"

class CProgressCtrl : public CWnd {
 public:
  void SetRange32(int lower, int upper);
  int SetPos(int pos);  // the previous position
  int GetPos() const;
  // Marquee on: the bar shows activity and no position.
  BOOL SetMarquee(BOOL on, UINT intervalMs);
  bool IsMarquee() const { return m_bMarquee; }

 private:
  int m_nLower = 0;
  int m_nUpper = 100;
  bool m_bMarquee = false;
};
