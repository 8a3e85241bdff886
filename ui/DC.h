#pragma once
// CDC: the device context a window paints with. It hands out the Qt painter
// of the paint event, which the program's drawing code uses directly, and
// carries the text and background colours that a colour handler
// (CWnd::OnCtlColor) chooses for a control before the control paints.

#include "ui/WinDefs.h"

class QPainter;

// Background modes of SetBkMode.
enum : int { TRANSPARENT = 1, OPAQUE = 2 };

class CDC {
 public:
  CDC() = default;
  explicit CDC(QPainter* painter) : m_pPainter(painter) {}
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

 private:
  QPainter* m_pPainter = nullptr;
  COLORREF m_crText = RGB(0, 0, 0);
  COLORREF m_crBk = RGB(255, 255, 255);
  int m_nBkMode = OPAQUE;
  bool m_bTextSet = false;
  bool m_bBkSet = false;
};
