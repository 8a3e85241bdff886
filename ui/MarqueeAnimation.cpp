#include "ui/MarqueeAnimation.h"

#include <QEvent>
#include <QPainter>
#include <QProgressBar>
#include <algorithm>

MarqueeAnimation::MarqueeAnimation(QProgressBar* bar, unsigned stepMs)
    : QObject(bar), m_bar(bar), m_stepMs(std::max(1u, stepMs)) {
  m_clock.start();
  m_frames.setInterval(kFrameMs);
  connect(&m_frames, &QTimer::timeout, m_bar, [this] { m_bar->update(); });
  bar->installEventFilter(this);
  Follow(bar->isVisible());
  bar->update();
}

int MarqueeAnimation::BlockWidth() const { return std::max(8, m_bar->width() / 4); }

int MarqueeAnimation::BlockLeft() const {
  const int block = BlockWidth();
  const long long travel = m_bar->width() + block;
  // It starts at the left edge, runs out at the right and comes in again
  // from the left.
  const long long moved = m_clock.elapsed() / m_stepMs * kStepPx + block;
  return static_cast<int>(moved % travel) - block;
}

bool MarqueeAnimation::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_bar) return false;
  switch (event->type()) {
    case QEvent::Paint:
      Paint();
      return true;
    case QEvent::Show:
      Follow(true);
      break;
    case QEvent::Hide:
      Follow(false);
      break;
    default:
      break;
  }
  return false;
}

// A hidden bar needs no frames: nothing wakes the window thread for it.
void MarqueeAnimation::Follow(bool shown) {
  if (shown && !m_frames.isActive()) m_frames.start();
  if (!shown) m_frames.stop();
}

// Axis-aligned solid rectangles only: the raster engine fills them directly.
void MarqueeAnimation::Paint() {
  QPainter p(m_bar);
  const QPalette& pal = m_bar->palette();
  const QRect r = m_bar->rect();
  if (r.width() < 3 || r.height() < 3) return;
  const QColor edge = pal.color(QPalette::Mid);
  p.fillRect(QRect(r.left(), r.top(), r.width(), 1), edge);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), edge);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height()), edge);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), edge);
  const QRect inner = r.adjusted(1, 1, -1, -1);
  p.fillRect(inner, pal.color(QPalette::Base));
  const QRect block(inner.left() + BlockLeft(), inner.top(), BlockWidth(), inner.height());
  p.fillRect(block.intersected(inner), pal.color(QPalette::Highlight));
}
