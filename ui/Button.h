#pragma once
// CButton: push button, default button, check box, radio button or group box.

#include <QPointer>

#include "ui/Wnd.h"

class CButton : public CWnd {
 public:
  CButton();
  ~CButton() override;
  int GetCheck() const;
  void SetCheck(int nCheck);
  // Clicks the button as the user would (its command goes to the parent).
  void Click();
  // The text alignment (BS_LEFT, BS_RIGHT, both for BS_CENTER) and
  // BS_PUSHLIKE of the template the button was made from.
  UINT GetButtonStyle() const;

 protected:
  // The button's paint message, whenever the button shows a change (check,
  // focus, enabling, text) or is uncovered. The base lets the control paint
  // itself as usual; a class that draws the button itself paints through a
  // CPaintDC of the button and calls the base for the states it leaves to
  // the control.
  void OnPaint() override;
  void OnAttached() override;
  void OnDetaching() override;

 private:
  friend class ButtonPaintFilter;
  bool m_bDefaultPaint = false;
  QPointer<QObject> m_paintFilter;
};
