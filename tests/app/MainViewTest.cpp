// The main window's client: black, the two pictures pinned to the right.
#include <QImage>
#include <QPainter>
#include <QWidget>

#include "tests/app/FrameFixture.h"
#include "ui/DC.h"
#include "ui/Document.h"

namespace {
QImage Paint(CKestrix2CommView& view, int width, int height) {
  view.GetWidget()->resize(width, height);
  return view.GetWidget()->grab().toImage();
}
}  // namespace

TEST(MainView, BlackWithTheTwoPicturesInTheRightCorners) {
  EnsureQtApplication();
  CKestrix2CommDoc doc;
  CKestrix2CommView view;
  view.SetDocument(&doc);
  ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), nullptr, 1));
  view.SendMessage(WM_INITIALUPDATE);
  ASSERT_FALSE(view.m_imgBottom.IsNull());
  ASSERT_FALSE(view.m_imgTop.IsNull());
  EXPECT_EQ(view.m_imgBottom.GetWidth(), 500);
  EXPECT_EQ(view.m_imgBottom.GetHeight(), 120);
  EXPECT_EQ(view.m_imgTop.GetWidth(), 142);
  EXPECT_EQ(view.m_imgTop.GetHeight(), 65);

  const QImage shot = Paint(view, 688, 420);
  EXPECT_EQ(shot.pixelColor(5, 200), QColor(Qt::black));
  EXPECT_EQ(shot.pixelColor(688 - 142 - 1, 10), QColor(Qt::black));  // left of the upper picture
  EXPECT_EQ(shot.pixelColor(688 - 500 - 1, 420 - 60), QColor(Qt::black));
  const QImage& top = view.m_imgTop.Image();
  EXPECT_EQ(shot.pixel(688 - 142 + 70, 30), top.convertToFormat(shot.format()).pixel(70, 30));
  const QImage& bottom = view.m_imgBottom.Image();
  const QImage bottomOnBlack = [&] {
    QImage out(bottom.size(), shot.format());
    out.fill(Qt::black);
    QPainter p(&out);
    p.drawImage(0, 0, bottom);
    return out;
  }();
  EXPECT_EQ(shot.pixel(688 - 500 + 250, 420 - 120 + 60), bottomOnBlack.pixel(250, 60));

  // Narrower than the wide picture: it starts at the left edge.
  const QImage narrow = Paint(view, 300, 420);
  EXPECT_EQ(narrow.pixel(10, 420 - 120 + 60), bottomOnBlack.pixel(10, 60));
  view.DestroyWindow();
}

TEST(MainView, AMissingPictureLeavesItsCornerBlack) {
  EnsureQtApplication();
  CTImage image;
  image.LoadPngResource(nullptr, 9999);
  EXPECT_TRUE(image.IsNull());

  CKestrix2CommDoc doc;
  CKestrix2CommView view;
  view.SetDocument(&doc);
  ASSERT_TRUE(view.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), nullptr, 1));
  const QImage shot = Paint(view, 688, 420);  // no initial update: no pictures
  EXPECT_EQ(shot.pixelColor(688 - 20, 20), QColor(Qt::black));
  EXPECT_EQ(shot.pixelColor(688 - 20, 400), QColor(Qt::black));
  view.DestroyWindow();
}
