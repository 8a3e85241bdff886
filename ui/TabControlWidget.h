#pragma once
// The Qt side of a tab control: a tab bar over a framed display area, in
// which the owner lays its page windows (they are siblings, not children).

#include <QTabBar>
#include <QWidget>

class TabControlWidget : public QWidget {
 public:
  explicit TabControlWidget(QWidget* parent);
  QTabBar* Bar() const { return m_bar; }
  // The display area in the control's own coordinates.
  QRect DisplayRect() const;
  // Changes made by the program are not the user's selection changes.
  bool m_bProgrammatic = false;

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void paintEvent(QPaintEvent* e) override;

 private:
  QTabBar* m_bar;
};
