// The coloured switches by their pixels: unchecked or disabled they are
// plain push-like buttons; checked they show the face colour, another one
// while they have the focus, and the caption in the text colour, placed as
// the button's alignment says.
#include <QImage>
#include <QWidget>
#include <vector>

#include "InputControlsFixture.h"

namespace {
using Dlg = InputControlsDialog;

QImage Grab(CWnd& w) { return w.GetWidget()->grab().toImage(); }
QRgb Colour(COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); }

int CountOf(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
  }
  return n;
}

// The columns of the caption's pixels: yellow, or mostly yellow where the
// glyphs' smoothed edges blend into the face.
std::vector<int> CaptionColumns(const QImage& image) {
  std::vector<int> xs;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      QColor c = image.pixelColor(x, y);
      if (c.red() > 200 && c.green() > 200 && c.blue() < 100) xs.push_back(x);
    }
  }
  return xs;
}

// Where the caption stands, as a share of the width; -1 without caption.
double CaptionCentre(const QImage& image) {
  std::vector<int> xs = CaptionColumns(image);
  if (xs.empty()) return -1;
  double sum = 0;
  for (int x : xs) sum += x;
  return sum / static_cast<double>(xs.size()) / image.width();
}

using ColorSwitches = InputControlsFixture;
}  // namespace

TEST_F(ColorSwitches, CheckedShowsTheFaceAndTheFocusFaceWithTheCaptionInTheTextColour) {
  COrgColorRdioButton& on = dlg.m_btnSwitch[0];
  ASSERT_EQ(on.GetCheck(), BST_CHECKED);
  dlg.GetDlgItem(Dlg::kPlain)->SetFocus();
  QImage face = Grab(on);
  EXPECT_EQ(face.pixel(3, 3), Colour(RGB(80, 80, 240)));
  EXPECT_EQ(face.pixel(face.width() - 3, face.height() - 3), Colour(RGB(80, 80, 240)));
  EXPECT_NE(face.pixel(0, 0), Colour(RGB(80, 80, 240)));  // two pixels of margin
  EXPECT_GT(CaptionColumns(face).size(), 10u);
  EXPECT_NEAR(CaptionCentre(face), 0.5, 0.1);

  on.SetFocus();
  ASSERT_EQ(CWnd::GetFocus(), &on);
  QImage focused = Grab(on);
  EXPECT_EQ(focused.pixel(3, 3), Colour(RGB(0, 175, 255)));
  EXPECT_EQ(CountOf(focused, Colour(RGB(80, 80, 240))), 0);
}

TEST_F(ColorSwitches, UncheckedAndDisabledLookLikePlainButtons) {
  const auto plain = [](COrgColorRdioButton& b) {
    QImage own = Grab(b);
    QWidget* w = b.GetWidget();
    b.Detach();  // the control paints itself alone now
    QImage ordinary = w->grab().toImage();
    return own == ordinary && CountOf(own, Colour(RGB(80, 80, 240))) == 0;
  };
  EXPECT_TRUE(plain(dlg.m_btnSwitch[1]));  // unchecked OFF
  ASSERT_EQ(dlg.m_btnSwitch[4].GetCheck(), BST_CHECKED);
  EXPECT_TRUE(plain(dlg.m_btnSwitch[4]));  // checked, but disabled
}

TEST_F(ColorSwitches, TheCaptionFollowsTheButtonsAlignment) {
  dlg.m_nSwitch2 = 0;
  dlg.UpdateData(FALSE);
  EXPECT_LT(CaptionCentre(Grab(dlg.m_btnSwitch[2])), 0.4);  // left
  dlg.m_nSwitch2 = 1;
  dlg.UpdateData(FALSE);
  EXPECT_GT(CaptionCentre(Grab(dlg.m_btnSwitch[3])), 0.6);  // right
  EXPECT_EQ(CountOf(Grab(dlg.m_btnSwitch[2]), Colour(RGB(80, 80, 240))), 0);
}

TEST_F(ColorSwitches, AClickMovesTheFaceWithinItsGroupAndDataExchangeReadsIt) {
  dlg.m_btnSwitch[1].Click();
  EXPECT_EQ(dlg.m_btnSwitch[0].GetCheck(), BST_UNCHECKED);
  EXPECT_EQ(CountOf(Grab(dlg.m_btnSwitch[0]), Colour(RGB(80, 80, 240))), 0);
  EXPECT_EQ(Grab(dlg.m_btnSwitch[1]).pixel(3, 3), Colour(RGB(80, 80, 240)));
  EXPECT_EQ(dlg.m_btnSwitch[2].GetCheck(), BST_UNCHECKED);  // another group
  dlg.UpdateData(TRUE);
  EXPECT_EQ(dlg.m_nSwitch1, 1);
  EXPECT_EQ(dlg.m_nSwitch2, 1);
  EXPECT_EQ(dlg.m_nSwitch3, 0);
}
