#include "ui/TabControlWidget.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>

TabControlWidget::TabControlWidget(QWidget* parent) : QWidget(parent), m_bar(new QTabBar(this)) {
  m_bar->setDrawBase(false);
  m_bar->setExpanding(false);
  m_bar->setUsesScrollButtons(true);
}

QRect TabControlWidget::DisplayRect() const {
  int barHeight = m_bar->sizeHint().height();
  return QRect(2, barHeight + 2, std::max(0, width() - 4), std::max(0, height() - barHeight - 4));
}

void TabControlWidget::resizeEvent(QResizeEvent*) { m_bar->setGeometry(0, 0, width(), m_bar->sizeHint().height()); }

void TabControlWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QStyleOptionTabWidgetFrame opt;
  opt.initFrom(this);
  int barHeight = m_bar->sizeHint().height();
  opt.rect = QRect(0, barHeight - 1, width(), height() - barHeight + 1);
  opt.shape = QTabBar::RoundedNorth;
  opt.tabBarSize = m_bar->sizeHint();
  opt.tabBarRect = m_bar->geometry();
  style()->drawPrimitive(QStyle::PE_FrameTabWidget, &opt, &p, this);
}
