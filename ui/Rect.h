#pragma once
// A rectangle in pixels: left and top inclusive, right and bottom exclusive.

#include "ui/WinDefs.h"

class CRect : public RECT {
 public:
  CRect() = default;
  CRect(int l, int t, int r, int b) {
    left = l;
    top = t;
    right = r;
    bottom = b;
  }
  CRect(const RECT& r) : RECT(r) {}
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  void SetRect(int l, int t, int r, int b) { *this = CRect(l, t, r, b); }
  // Moves every side inwards: x from left and right, y from top and bottom.
  void DeflateRect(int x, int y) {
    left += x;
    top += y;
    right -= x;
    bottom -= y;
  }
  bool operator==(const CRect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  operator LPRECT() { return this; }
};
