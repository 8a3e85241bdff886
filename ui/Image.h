#pragma once
// CImage: a decoded picture that a view copies onto its device context.

#include <QImage>

#include "ui/WinDefs.h"

class CDC;

class CImage {
 public:
  virtual ~CImage() = default;
  bool IsNull() const { return m_image.isNull(); }
  int GetWidth() const { return m_image.width(); }
  int GetHeight() const { return m_image.height(); }
  // Takes a decoded picture (a null one empties the image).
  void Attach(const QImage& image) { m_image = image; }
  // Copies the picture at its own size to (x, y) of the device context.
  BOOL BitBlt(CDC* dc, int x, int y) const;
  const QImage& Image() const { return m_image; }

 private:
  QImage m_image;
};
