#pragma once
// The busy (marquee) animation of a progress bar: a block that slides
// through the bar while the length of the work is unknown.
//
// It paints the bar itself, in flat rectangles, at a modest frame rate and
// only while the bar is shown. The style's own busy bar repaints at the
// animation framework's 60 frames a second and draws diagonal stripes whose
// many spans the raster engine spreads over pooled threads: a tenth of a
// core for a window that only says "still working", often for minutes on a
// laptop's battery.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QProgressBar;

class MarqueeAnimation : public QObject {
  Q_OBJECT

 public:
  // Time between repaints (ms).
  static constexpr int kFrameMs = 50;
  // The block's advance per step interval (pixels).
  static constexpr int kStepPx = 3;

  // Child of the bar: it goes with the bar. stepMs: how often the block
  // advances by one step (ms); the frames take as many steps as have passed.
  MarqueeAnimation(QProgressBar* bar, unsigned stepMs);

  // Left edge of the block now (pixels from the bar's left edge; may be
  // negative while it enters), and its width.
  int BlockLeft() const;
  int BlockWidth() const;
  bool IsRunning() const { return m_frames.isActive(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Paint();
  void Follow(bool shown);

  QProgressBar* m_bar;
  unsigned m_stepMs;
  QElapsedTimer m_clock;
  QTimer m_frames;
};
