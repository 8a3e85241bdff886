// Control colours chosen by the dialog (seen in grabbed pixels) and keys
// held for GetKeyState.
#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include "UiTestSupport.h"
#include "ui/DC.h"
#include "ui/Dialog.h"
#include "ui/KeyboardHook.h"

using res::ControlKind;

namespace {
constexpr int kRed = 1300, kBlue = 1323, kPlain = 1400, kBand = 1500, kOpaque = 1501, kCheck = 1600;

res::DialogTemplateData Coloured() {
  // Full blocks give solid glyph pixels, free of anti-aliasing.
  return {9300,
          "",
          200,
          120,
          res::DS_POPUP,
          "ＭＳ ゴシック",
          9,
          {
              {kRed, ControlKind::Static, "■■■■", res::CS_NONE, 5, 5, 80, 10},
              {kBlue, ControlKind::Static, "■■■■", res::CS_NONE, 5, 20, 80, 10},
              {kPlain, ControlKind::Static, "■■■■", res::CS_NONE, 5, 35, 80, 10},
              {kBand, ControlKind::Static, "", res::CS_NONE, 5, 50, 80, 10},
              {kOpaque, ControlKind::Static, "", res::CS_NONE, 5, 65, 80, 10},
              {kCheck, ControlKind::CheckBox, "■■■■", res::CS_NONE, 5, 80, 80, 10},
          }};
}

class ColourDialog : public CDialog {
 public:
  COLORREF m_crRed = RGB(255, 0, 0);
  std::vector<std::pair<int, UINT>> asked;

 protected:
  HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) override {
    HBRUSH hbr = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    const int id = pWnd->GetDlgCtrlID();
    asked.emplace_back(id, nCtlColor);
    if (nCtlColor != CTLCOLOR_STATIC) return hbr;
    switch (id) {
      case kRed:
      case kCheck:
        pDC->SetTextColor(m_crRed);
        break;
      case kBlue:
        pDC->SetTextColor(RGB(100, 100, 255));
        break;
      case kBand:
        pDC->SetBkColor(RGB(255, 255, 255));
        return m_white;
      case kOpaque:
        pDC->SetBkColor(RGB(0, 128, 0));
        break;
      default:
        break;
    }
    return hbr;
  }

 private:
  CBrush m_white{RGB(255, 255, 255)};
};

// How many pixels of the control's rectangle in the dialog's picture have
// exactly that colour.
int Count(const QImage& image, CWnd* control, QColor colour) {
  const QRect r = control->GetWidget()->geometry();
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += image.pixelColor(x, y) == colour ? 1 : 0;
  return n;
}
}  // namespace

TEST(CtlColor, TheDialogChoosesTextAndBackgroundPerControl) {
  ColourDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(Coloured()));
  dlg.ShowWindow(SW_SHOW);
  const QImage first = dlg.GetWidget()->grab().toImage();
  const QColor red(255, 0, 0), blue(100, 100, 255), white(255, 255, 255), green(0, 128, 0);

  // Already the first picture has the colours: they are asked as the
  // controls paint.
  EXPECT_GT(Count(first, dlg.GetDlgItem(kRed), red), 20);
  EXPECT_EQ(Count(first, dlg.GetDlgItem(kRed), blue), 0);
  EXPECT_GT(Count(first, dlg.GetDlgItem(kBlue), blue), 20);
  EXPECT_EQ(Count(first, dlg.GetDlgItem(kPlain), red) + Count(first, dlg.GetDlgItem(kPlain), blue), 0);
  EXPECT_GT(Count(first, dlg.GetDlgItem(kCheck), red), 20);
  // A brush fills the whole control; an opaque background colour alone too.
  const QRect band = dlg.GetDlgItem(kBand)->GetWidget()->geometry();
  EXPECT_EQ(Count(first, dlg.GetDlgItem(kBand), white), band.width() * band.height());
  const QRect opaque = dlg.GetDlgItem(kOpaque)->GetWidget()->geometry();
  EXPECT_EQ(Count(first, dlg.GetDlgItem(kOpaque), green), opaque.width() * opaque.height());
  EXPECT_NE(first.pixelColor(band.left(), band.top() - 2), white);

  // Only the kinds that take a colour ask, and as statics.
  for (const auto& [id, kind] : dlg.asked) EXPECT_EQ(kind, static_cast<UINT>(CTLCOLOR_STATIC)) << id;

  // The answer is asked anew at each paint: a changed answer shows at the
  // next repaint, and no answer brings the control's own colour back.
  dlg.m_crRed = RGB(0, 0, 255);
  dlg.GetDlgItem(kRed)->Invalidate();
  const QImage second = dlg.GetWidget()->grab().toImage();
  EXPECT_EQ(Count(second, dlg.GetDlgItem(kRed), red), 0);
  EXPECT_GT(Count(second, dlg.GetDlgItem(kRed), QColor(0, 0, 255)), 20);
  dlg.DestroyWindow();
}

TEST(CtlColor, DisabledStaticKeepsItsGreyedText) {
  ColourDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(Coloured()));
  dlg.ShowWindow(SW_SHOW);
  dlg.GetDlgItem(kRed)->EnableWindow(FALSE);
  const QImage image = dlg.GetWidget()->grab().toImage();
  EXPECT_EQ(Count(image, dlg.GetDlgItem(kRed), QColor(255, 0, 0)), 0);
  dlg.DestroyWindow();
}

TEST(KeyState, HeldKeysAndTheChord) {
  const KeyChord chord{VK_CONTROL, VK_SHIFT};
  EXPECT_EQ(GetKeyState(VK_CONTROL) & 0x8000, 0);
  EXPECT_FALSE(IsKeyChordHeld(chord));
  {
    ScopedKeyHold first({VK_CONTROL});
    EXPECT_NE(GetKeyState(VK_CONTROL) & 0x8000, 0);
    EXPECT_FALSE(IsKeyChordHeld(chord));
    {
      // Holds nest: the inner one's end leaves the outer key down.
      ScopedKeyHold both(chord);
      EXPECT_TRUE(IsKeyChordHeld(chord));
    }
    EXPECT_NE(GetKeyState(VK_CONTROL) & 0x8000, 0);
    EXPECT_FALSE(IsKeyChordHeld(chord));
  }
  {
    ScopedKeyHold second({VK_SHIFT});
    EXPECT_FALSE(IsKeyChordHeld(chord));
  }
  EXPECT_EQ(GetKeyState(VK_CONTROL) & 0x8000, 0);
}
