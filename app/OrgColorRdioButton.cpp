#include "app/OrgColorRdioButton.h"

#include "ui/PaintDC.h"

COrgColorRdioButton::COrgColorRdioButton(COLORREF crFace, COLORREF crText, COLORREF crFocusFace)
    : m_crFace(crFace), m_crText(crText), m_crFocusFace(crFocusFace) {}

void COrgColorRdioButton::OnPaint() {
  if (!IsWindowEnabled() || GetCheck() != BST_CHECKED) {
    CButton::OnPaint();
    return;
  }
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  rc.DeflateRect(2, 2);
  dc.FillSolidRect(&rc, GetFocus() == this ? m_crFocusFace : m_crFace);
  dc.SetBkMode(TRANSPARENT);
  dc.SetTextColor(m_crText);
  CFont* oldFont = dc.SelectObject(GetFont());
  rc.DeflateRect(2, 2);
  UINT align = DT_CENTER;
  switch (GetButtonStyle() & BS_CENTER) {
    case BS_LEFT:
      align = DT_LEFT;
      break;
    case BS_RIGHT:
      align = DT_RIGHT;
      break;
    default:
      break;
  }
  dc.DrawText(GetWindowText(), &rc, DT_SINGLELINE | DT_VCENTER | align);
  dc.SelectObject(oldFont);
}
