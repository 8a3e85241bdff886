#pragma once
// CDC: the device context a window paints with. It hands out the Qt painter
// of the paint event, which the program's drawing code uses directly, and
// carries the text and background colours that a colour handler
// (CWnd::OnCtlColor) chooses for a control before the control paints. A
// memory context (CreateCompatibleDC) holds a selected bitmap that
// StretchBlt and BitBlt copy from; a window's OnPaint gets its context as a
// CPaintDC.

#include "ui/WinDefs.h"

class QPainter;
class CBitmap;

// Background modes of SetBkMode.
enum : int { TRANSPARENT = 1, OPAQUE = 2 };
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

  // Each setter answers the previous value.
  COLORREF SetTextColor(COLORREF color) {
    const COLORREF old = m_crText;
    m_crText = color;
    m_bTextSet = true;
    return old;
  }
  COLORREF GetTextColor() const { return m_crText; }
  COLORREF SetBkColor(COLORREF color) {
    const COLORREF old = m_crBk;
    m_crBk = color;
    m_bBkSet = true;
    return old;
  }
  COLORREF GetBkColor() const { return m_crBk; }
  int SetBkMode(int mode) {
    const int old = m_nBkMode;
    m_nBkMode = mode;
    return old;
  }
  int GetBkMode() const { return m_nBkMode; }

  // Whether a colour was chosen at all: what was never set stays the
  // control's own.
  bool IsTextColorSet() const { return m_bTextSet; }
  bool IsBkColorSet() const { return m_bBkSet; }

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
  COLORREF m_crText = RGB(0, 0, 0);
  COLORREF m_crBk = RGB(255, 255, 255);
  int m_nBkMode = OPAQUE;
  bool m_bTextSet = false;
  bool m_bBkSet = false;
  bool m_bMemory = false;
  CBitmap* m_pSelected = nullptr;
};
