#pragma once
// CDC: the device context a window paints with. It hands out the Qt painter
// of the paint event, which the program's drawing code may use directly,
// the few GDI drawing calls that controls painting themselves are written
// with, and the text and background colours that a colour handler
// (CWnd::OnCtlColor) chooses for a control before the control paints. A
// memory context (CreateCompatibleDC) holds a selected bitmap that
// StretchBlt and BitBlt copy from; a window's OnPaint gets its context as a
// CPaintDC (ui/PaintDC.h).

#include <string>

#include "ui/WinDefs.h"

class QPainter;
class CBitmap;
class CFont;

// Raster operation of the copies: the source replaces the destination.
enum : DWORD { SRCCOPY = 0x00CC0020 };

class CDC {
 public:
  CDC() = default;
  explicit CDC(QPainter* painter);
  virtual ~CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;
  QPainter* GetPainter() const { return m_pPainter; }

  void FillSolidRect(LPCRECT rc, COLORREF color);
  // TRANSPARENT or OPAQUE (the text's cell filled with the background
  // colour); answers the previous mode.
  int SetBkMode(int mode);
  int GetBkMode() const { return m_nBkMode; }
  // Each setter answers the previous value.
  COLORREF SetBkColor(COLORREF color);
  COLORREF GetBkColor() const { return m_crBk; }
  COLORREF SetTextColor(COLORREF color);
  COLORREF GetTextColor() const { return m_crText; }
  // Whether a colour was chosen at all: what was never set stays the
  // control's own.
  bool IsTextColorSet() const { return m_bTextSet; }
  bool IsBkColorSet() const { return m_bBkSet; }
  // Draws text in this font from now on; answers the font selected before
  // (nullptr for the painter's own, which selecting nullptr brings back).
  CFont* SelectObject(CFont* font);
  // Text in the rectangle as the DT_ format bits say: DT_LEFT, DT_CENTER or
  // DT_RIGHT; DT_SINGLELINE with DT_VCENTER centres one line vertically; an
  // '&' marks the next character as a mnemonic unless DT_NOPREFIX. Answers
  // the height of the text drawn.
  int DrawText(const std::string& text, LPRECT rc, UINT format);

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
  void SetPainter(QPainter* painter);

 private:
  QPainter* m_pPainter = nullptr;
  int m_nBkMode = OPAQUE;
  COLORREF m_crBk = RGB(255, 255, 255);
  COLORREF m_crText = RGB(0, 0, 0);
  bool m_bTextSet = false;
  bool m_bBkSet = false;
  CFont* m_pFont = nullptr;
  bool m_bMemory = false;
  CBitmap* m_pSelected = nullptr;
};
