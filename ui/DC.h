#pragma once
// CDC: the device context a window paints with. Here it hands out the Qt
// painter of the paint event; the program's drawing code uses it directly.

class QPainter;

class CDC {
 public:
  explicit CDC(QPainter* painter) : m_pPainter(painter) {}
  QPainter* GetPainter() const { return m_pPainter; }

 private:
  QPainter* m_pPainter;
};
