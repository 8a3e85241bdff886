#pragma once
// The font faces that templates and views name, on this system, and dialog
// units in pixels.

#include <QFont>
#include <string>

// The Qt font for a face name and a point size as templates and views give
// them: "ＭＳ ゴシック" and its relatives become the installed Gothic font,
// "Courier New" a fixed-pitch font; the point size becomes a pixel size at
// the screen's logical resolution, as the platform sizes its fonts.
QFont FontForFace(const std::string& faceName, int pointSize);

// Logical resolution of the screen (96 without a screen).
int ScreenLogicalDpi();

// Dialog units of one font, as the platform computes them: the horizontal
// base is the average advance of A-Z a-z, the vertical base the font height.
class DluMetrics {
 public:
  explicit DluMetrics(const QFont& font);
  DluMetrics(int baseX, int baseY) : m_baseX(baseX), m_baseY(baseY) {}
  int X(int dlu) const;
  int Y(int dlu) const;
  int BaseX() const { return m_baseX; }
  int BaseY() const { return m_baseY; }

 private:
  int m_baseX;
  int m_baseY;
};
