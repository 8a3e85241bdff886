// kx2shots OUTDIR: renders every window of the shot list offscreen into
// OUTDIR/<name>.png, with a plain caption bar drawn above windows that have
// one, so the program can be looked at without a display.
#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QWidget>
#include <cstdio>
#include <vector>

#include "tools/shots/ShotList.h"
#include "ui/ApplicationSetUp.h"
#include "ui/Fonts.h"
#include "ui/MessagePump.h"
#include "ui/QtText.h"
#include "ui/RecordingMessageService.h"
#include "ui/Wnd.h"

namespace {
// Is the window owned, directly or through others, by that one.
bool OwnedBy(CWnd* wnd, CWnd* owner) {
  for (CWnd* p = wnd ? wnd->GetParent() : nullptr; p; p = p->GetParent()) {
    if (p == owner) return true;
  }
  return false;
}

// Is the top-level widget a dialog that Qt keeps over that window (a file
// dialog or a message box opened from it)?
bool OpenedFrom(QWidget* top, QWidget* w) { return top->parentWidget() && top->parentWidget()->window() == w; }

// The window with the visible pop-ups it owns (the tabbed panel lies over
// the main window's client area as a window of its own) and the standard
// dialogs open over it; the picture grows to hold them.
QImage WithOwnedPopUps(CWnd* wnd) {
  QWidget* w = wnd->GetWidget();
  const QPoint origin = w->mapToGlobal(QPoint(0, 0));
  std::vector<QWidget*> popUps;
  QRect all(QPoint(0, 0), w->size());
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (top == w || !top->isVisible()) continue;
    if (!OpenedFrom(top, w) && !OwnedBy(CWnd::FromWidget(top), wnd)) continue;
    popUps.push_back(top);
    all |= QRect(top->mapToGlobal(QPoint(0, 0)) - origin, top->size());
  }
  QImage body(all.size(), QImage::Format_RGB32);
  body.fill(QColor(30, 30, 30));
  QPainter p(&body);
  p.drawImage(-all.topLeft(), w->grab().toImage());
  for (QWidget* top : popUps)
    p.drawImage(top->mapToGlobal(QPoint(0, 0)) - origin - all.topLeft(), top->grab().toImage());
  return body;
}

QImage WithCaption(QWidget* w, const QImage& body) {
  if (!w->isWindow() || w->windowTitle().isEmpty()) return body;
  const int bar = 24;
  QImage out(body.width() + 2, body.height() + bar + 1, QImage::Format_RGB32);
  out.fill(QColor(60, 60, 60));
  QPainter p(&out);
  p.fillRect(1, 1, body.width(), bar - 1, QColor(40, 70, 120));
  p.setPen(Qt::white);
  p.setFont(FontForFace("ＭＳ ゴシック", 9));
  QString title = w->windowTitle();
  title.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  p.drawText(QRect(8, 1, body.width() - 16, bar - 1), Qt::AlignVCenter | Qt::AlignLeft, title.trimmed());
  p.drawImage(1, bar, body);
  return out;
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  SetUpQtApplication(false);
  RecordingMessageService quiet;  // no real box ever blocks a shot
  QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("shots");
  QDir().mkpath(dir);
  int written = 0;
  for (const ShotEntry& shot : AllShots()) {
    std::unique_ptr<CWnd> wnd = shot.make ? shot.make() : nullptr;
    if (!wnd || !wnd->GetWidget()) {
      std::fprintf(stderr, "kx2shots: %s: not built\n", shot.name.c_str());
      continue;
    }
    QWidget* w = wnd->GetWidget();
    w->show();
    PumpAllPendingMessages();
    QImage image = WithCaption(w, WithOwnedPopUps(wnd.get()));
    QString file = dir + QLatin1Char('/') + ToQ(shot.name) + QStringLiteral(".png");
    if (image.save(file)) {
      ++written;
      std::printf("%s\n", qPrintable(file));
    }
    wnd->DestroyWindow();
  }
  CWnd::DestroyAllWindows();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  std::printf("kx2shots: %d pictures\n", written);
  return 0;
}
