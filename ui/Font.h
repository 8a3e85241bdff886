#pragma once
// CFont: a font that a window was given (CWnd::GetFont) and that a device
// context draws text with (CDC::SelectObject).

#include <QFont>

class CFont {
 public:
  CFont() = default;
  explicit CFont(const QFont& font) : m_font(font) {}
  const QFont& GetQFont() const { return m_font; }

 private:
  QFont m_font;
};
