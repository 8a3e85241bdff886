#pragma once
// COrgColorRdioButton: a push-like radio button that shows its checked state
// as a coloured face (the ON/OFF switches of the rain criteria). Unchecked
// or disabled, it looks like any other such button.

#include "ui/Button.h"

class COrgColorRdioButton : public CButton {
 public:
  explicit COrgColorRdioButton(COLORREF crFace = RGB(80, 80, 240), COLORREF crText = RGB(255, 255, 0),
                               COLORREF crFocusFace = RGB(0, 175, 255));

  COLORREF m_crFace;       // face of a checked button without the focus
  COLORREF m_crText;       // its caption
  COLORREF m_crFocusFace;  // face of a checked button with the focus

 protected:
  // The coloured face is drawn here alone: every change of check, focus or
  // enabling repaints the button, so nothing else needs to ask for it.
  void OnPaint() override;
};
