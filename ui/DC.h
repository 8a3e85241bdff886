#pragma once
// CDC: a device context. A window's paint hands out one on the Qt painter of
// the paint event (CPaintDC); a memory context (CreateCompatibleDC) holds a
// selected bitmap that StretchBlt and BitBlt copy from. The program's drawing
// code may also use the painter directly.

#include "ui/WinDefs.h"

class QPainter;
class CBitmap;

// Raster operation of the copies: the source replaces the destination.
enum : DWORD { SRCCOPY = 0x00CC0020 };

class CDC {
 public:
  CDC() = default;
  explicit CDC(QPainter* painter) : m_pPainter(painter) {}
  virtual ~CDC() = default;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  QPainter* GetPainter() const { return m_pPainter; }

  // A memory context for copies onto `dc` (which may be null).
  BOOL CreateCompatibleDC(CDC* dc);
  // Selects a bitmap into a memory context; the one selected before (or null).
  CBitmap* SelectObject(CBitmap* bitmap);
  // Copies a part of a memory context's bitmap onto this context, stretched
  // to the destination's size. FALSE when either side cannot take part.
  BOOL StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int widthSrc, int heightSrc,
                  DWORD rop);
  BOOL BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop);

 protected:
  QPainter* m_pPainter = nullptr;

 private:
  bool m_bMemory = false;
  CBitmap* m_pSelected = nullptr;
};
