#pragma once
// CBitmap: a picture of the program's resources, loaded by id, that a memory
// device context copies onto a window (CDC::SelectObject, StretchBlt).

#include <QImage>

#include "ui/WinDefs.h"

struct BITMAP {
  LONG bmWidth = 0;
  LONG bmHeight = 0;
};

class CBitmap {
 public:
  virtual ~CBitmap() = default;
  // The picture resource of that id; FALSE (and nothing held) when there is none.
  BOOL LoadBitmap(UINT id);
  // Lets the picture go; FALSE when none was held.
  BOOL DeleteObject();
  // Non-null while a picture is held.
  const void* GetSafeHandle() const { return m_image.isNull() ? nullptr : this; }
  int GetBitmap(BITMAP* info) const;
  const QImage& Image() const { return m_image; }

 private:
  QImage m_image;
};
