#pragma once
// A point in pixels.

#include "ui/WinDefs.h"

class CPoint : public POINT {
 public:
  CPoint() = default;
  CPoint(int px, int py) {
    x = px;
    y = py;
  }
  bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
};
