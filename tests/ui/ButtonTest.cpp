// Buttons: push-like radio groups and their data exchange, the template's
// alignment, and the paint route through which a button draws itself.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPushButton>

#include "ui/Button.h"
#include "ui/Dialog.h"
#include "ui/Font.h"
#include "ui/PaintDC.h"

using res::ControlKind;

namespace {
constexpr uint64_t kPush = res::CS_AUTO | res::CS_PUSHLIKE;

res::DialogTemplateData Switches() {
  return {9300,
          "",
          200,
          80,
          res::DS_POPUP,
          "ＭＳ ゴシック",
          9,
          {
              {1100, ControlKind::RadioButton, "ON", kPush | res::CS_GROUP | res::CS_LEFT, 7, 7, 60, 14},
              {-1, ControlKind::Static, "or", res::CS_NONE, 70, 9, 20, 10},
              {1101, ControlKind::RadioButton, "OFF", kPush | res::CS_RIGHT, 90, 7, 60, 14},
              {1102, ControlKind::RadioButton, "&Auto", kPush | res::CS_GROUP, 7, 25, 60, 14},
              {1103, ControlKind::RadioButton, "Manual", res::CS_AUTO, 70, 25, 60, 14},
              {1104, ControlKind::RadioButton, "Off", res::CS_AUTO, 130, 25, 60, 14},
          }};
}

// Paints itself red while checked and leaves the rest to the control.
class RedWhenChecked : public CButton {
 public:
  int paints = 0;

 protected:
  void OnPaint() override {
    ++paints;
    if (GetCheck() != BST_CHECKED) {
      CButton::OnPaint();
      return;
    }
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(&rc, RGB(255, 0, 0));
  }
};

class Host : public CDialog {
 public:
  RedWhenChecked m_on;
  int m_nFirst = -1;
  int m_nSecond = -1;

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, 1100, m_on);
    DDX_Radio(dx, 1100, m_nFirst);
    DDX_Radio(dx, 1102, m_nSecond);
  }
};

CButton* Button(CWnd& dlg, int id) { return static_cast<CButton*>(dlg.GetDlgItem(id)); }
}  // namespace

TEST(RadioGroups, PushLikeButtonsExcludeEachOtherAndDataExchangeCountsFromTheFirst) {
  Host dlg;
  ASSERT_TRUE(dlg.CreateIndirect(Switches()));
  EXPECT_NE(qobject_cast<QPushButton*>(dlg.GetDlgItem(1100)->GetWidget()), nullptr);
  // Nothing checked reads as -1; writing -1 unchecks all.
  dlg.UpdateData(TRUE);
  EXPECT_EQ(dlg.m_nFirst, -1);
  dlg.m_nFirst = 1;
  dlg.m_nSecond = 2;
  dlg.UpdateData(FALSE);
  EXPECT_EQ(Button(dlg, 1101)->GetCheck(), BST_CHECKED);
  EXPECT_EQ(Button(dlg, 1104)->GetCheck(), BST_CHECKED);
  Button(dlg, 1100)->Click();
  EXPECT_EQ(Button(dlg, 1101)->GetCheck(), BST_UNCHECKED);
  Button(dlg, 1100)->Click();  // a checked one stays checked
  Button(dlg, 1102)->Click();
  dlg.UpdateData(TRUE);
  EXPECT_EQ(dlg.m_nFirst, 0);
  EXPECT_EQ(dlg.m_nSecond, 0);
  EXPECT_EQ(Button(dlg, 1104)->GetCheck(), BST_UNCHECKED);
  dlg.m_nSecond = -1;
  dlg.UpdateData(FALSE);
  EXPECT_EQ(Button(dlg, 1102)->GetCheck(), BST_UNCHECKED);
  // Counting starts at the named button.
  int fromSecond = -1;
  CDataExchange dx(&dlg, TRUE);
  Button(dlg, 1104)->SetCheck(BST_CHECKED);
  DDX_Radio(&dx, 1103, fromSecond);
  EXPECT_EQ(fromSecond, 1);
}

TEST(RadioGroups, ButtonStyleGivesTheTemplatesAlignment) {
  Host dlg;
  ASSERT_TRUE(dlg.CreateIndirect(Switches()));
  EXPECT_EQ(dlg.m_on.GetButtonStyle(), static_cast<UINT>(BS_LEFT | BS_PUSHLIKE));
  EXPECT_EQ(Button(dlg, 1101)->GetButtonStyle() & BS_CENTER, static_cast<UINT>(BS_RIGHT));
  EXPECT_EQ(Button(dlg, 1103)->GetButtonStyle(), 0u);
}

TEST(PaintRoute, AButtonPaintsItselfWhereItChoosesAndTheControlElsewhere) {
  Host dlg;
  ASSERT_TRUE(dlg.CreateIndirect(Switches()));
  QWidget* w = dlg.m_on.GetWidget();
  QImage plain = w->grab().toImage();
  EXPECT_GT(dlg.m_on.paints, 0);
  EXPECT_NE(plain.pixel(5, 5), qRgb(255, 0, 0));
  dlg.m_on.SetCheck(BST_CHECKED);
  QImage red = w->grab().toImage();
  EXPECT_EQ(red.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(red.pixel(red.width() - 1, red.height() - 1), qRgb(255, 0, 0));
  // Outside the paint message a paint DC draws nothing.
  CPaintDC outside(&dlg.m_on);
  EXPECT_EQ(outside.GetPainter(), nullptr);
}

TEST(PaintRoute, DeviceContextTextColoursBackgroundAndAlignment) {
  QImage image(100, 20, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  CDC dc(&painter);
  CFont big(QFont(QStringLiteral("monospace"), 12));
  EXPECT_EQ(dc.SelectObject(&big), nullptr);
  dc.SetTextColor(RGB(0, 0, 255));
  dc.SetBkColor(RGB(0, 255, 0));
  EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
  CRect left(0, 0, 50, 20), right(50, 0, 100, 20);
  EXPECT_GT(dc.DrawText("&ab", &left, DT_SINGLELINE | DT_VCENTER | DT_LEFT), 0);
  dc.SetBkMode(OPAQUE);
  dc.DrawText("ab", &right, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  EXPECT_EQ(dc.SelectObject(static_cast<CFont*>(nullptr)), &big);
  painter.end();
  const auto has = [&](QRgb colour, int x0, int x1) {
    for (int y = 0; y < 20; ++y) {
      for (int x = x0; x < x1; ++x) {
        if (image.pixel(x, y) == colour) return true;
      }
    }
    return false;
  };
  EXPECT_FALSE(has(qRgb(0, 255, 0), 0, 50));   // transparent
  EXPECT_TRUE(has(qRgb(0, 255, 0), 75, 100));  // opaque, at the right
  EXPECT_FALSE(has(qRgb(0, 255, 0), 50, 60));
  QColor text;
  for (int x = 0; x < 25 && !text.isValid(); ++x) {
    for (int y = 0; y < 20; ++y) {
      QColor c = image.pixelColor(x, y);
      if (c.blue() > 200 && c.red() < 100) text = c;
    }
  }
  EXPECT_TRUE(text.isValid());  // blue text at the left
}
