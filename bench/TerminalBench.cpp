// The terminal under received traffic. BM_TerminalBatch: one 4 KiB batch
// moved from the traffic log's echo ring into the text view and painted, the
// unit cost. BM_TerminalMebibyte: the real road of a mebibyte, as a download
// brings it: over a pseudo-terminal into the port, whose reader writes each
// chunk into the traffic log, which posts the terminal's refresh; the window
// thread pulls what has gathered and Qt merges the repaints. Timed until the
// last line is in the view and painted, with the paints it took and the
// longest time the window thread kept input waiting meanwhile.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "app/DlgTerminal.h"
#include "app/LogView.h"
#include "link/MLog.h"
#include "link/RSPort.h"
#include "tests/support/ScopedTimeScale.h"
#include "tests/support/ScriptedPeer.h"
#include "tests/support/SerialSettings.h"
#include "tests/support/qt/QtApplication.h"
#include "ui/MessagePump.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kBatch = 4096;
constexpr int kTotal = 1 << 20;

// Records as the logger sends them in a download: short CR LF lines.
std::string Traffic() {
  std::string text;
  char line[64];
  for (int i = 0; text.size() < static_cast<size_t>(kBatch); ++i) {
    std::snprintf(line, sizeof line, "%06d,26/12/09 04:%02d:00,  12.5,   0.0,3.61\r\n", 10000 + i, i % 60);
    text += line;
  }
  text.resize(kBatch);
  return text;
}

struct Terminal {
  Terminal() {
    EnsureQtApplication(false);
    ready = log.m_echoBuffer.Init() == 1;
    dialog.SetLink(nullptr, &log);
    dialog.CreateTerminal(nullptr);
    dialog.ShowWindow(SW_SHOW);
    dialog.MoveWindow(0, 0, 1024, 640);
    QCoreApplication::processEvents();
  }
  ~Terminal() { dialog.DestroyWindow(); }

  // The direct road, without the posted refresh.
  void Batch(const std::string& bytes) {
    log.WriteReceived(bytes.data(), static_cast<int32_t>(bytes.size()));
    log.m_echoBuffer.ReadOut();
    CLogView* view = dialog.GetView();
    view->AppendText(log.m_echoBuffer.GetReadOut());
    view->Render();
  }

  CMLog log;
  CDlgTerminal dialog;
  bool ready = false;  // the echo ring had its memory
};

void BM_TerminalBatch(benchmark::State& state) {
  Terminal terminal;
  if (!terminal.ready) return state.SkipWithError("no memory for the echo ring");
  terminal.log.m_hNotifyWnd.store(0);  // the benchmark moves each batch itself
  const std::string bytes = Traffic();
  for (auto _ : state) terminal.Batch(bytes);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kBatch);
  state.counters["rows"] = terminal.dialog.GetView()->VisibleRows();
  state.counters["cols"] = terminal.dialog.GetView()->VisibleColumns();
}
BENCHMARK(BM_TerminalBatch)->Unit(benchmark::kMicrosecond);

// Counts the view's paints, and answers the probe: an event posted every
// millisecond from another thread, whose delay until the window thread takes
// it is how long input would have waited.
class Watch : public QObject {
 public:
  static constexpr QEvent::Type kProbe = static_cast<QEvent::Type>(QEvent::User + 181);
  struct Probe : QEvent {
    Probe() : QEvent(kProbe), posted(Clock::now()) {}
    Clock::time_point posted;
  };

  bool event(QEvent* e) override {
    if (e->type() != kProbe) return QObject::event(e);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - static_cast<Probe*>(e)->posted).count();
    longestStallMs = std::max(longestStallMs, ms);
    return true;
  }
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) ++paints;
    return false;
  }

  double longestStallMs = 0;
  int paints = 0;
};

// The last complete line the view holds, as text.
std::string LastLine(const CLogView& view) {
  const CRingLogBuffer& lines = view.Lines();
  std::string text;
  if (lines.GetCount() == 0) return text;
  for (uint16_t entry : lines.At(lines.GetCount() - 1).Data()) text += static_cast<char>(CLogData::Char(entry));
  return text;
}

void BM_TerminalMebibyte(benchmark::State& state) {
  Terminal terminal;
  if (!terminal.ready) return state.SkipWithError("no memory for the echo ring");
  ScriptedPeer peer;
  CRSPort port;
  {
    ScopedTimeScale scale(0.001);  // the open's settling sleep
    if (port.Open(peer.DeviceName(), LoggerLineSettings()) != PortOpenResult::kOpened) {
      state.SkipWithError("cannot open the pty");
      return;
    }
  }
  if (!peer.SyncWith(port)) {
    state.SkipWithError("the port's reader does not run");
    return;
  }
  SetEchoLog(&terminal.log);

  std::string mebibyte;
  while (mebibyte.size() < static_cast<size_t>(kTotal)) mebibyte += Traffic();
  CLogView* view = terminal.dialog.GetView();
  Watch watch;
  view->GetWidget()->installEventFilter(&watch);
  int paints = 0, round = 0;

  for (auto _ : state) {
    // A line of its own at the end says when this round's last byte is in.
    const std::string marker = "END " + std::to_string(++round);
    const int paintsBefore = watch.paints;
    std::atomic<bool> probing{true};
    std::thread probe([&] {
      while (probing) {
        QCoreApplication::postEvent(&watch, new Watch::Probe);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    });
    peer.Reply(mebibyte + "\r\n" + marker + "\r\n");
    const auto giveUp = Clock::now() + std::chrono::seconds(30);
    bool arrived = false;
    while (!arrived && Clock::now() < giveUp) {
      WaitForWindowEvents();
      arrived = LastLine(*view) == marker + "\r\n" && PendingMessageCount() == 0;
    }
    QCoreApplication::processEvents();  // the merged repaint of the last pull
    probing = false;
    probe.join();
    QCoreApplication::sendPostedEvents(&watch);
    paints += watch.paints - paintsBefore;
    if (!arrived) {
      state.SkipWithError("the mebibyte did not reach the view");
      break;
    }
  }
  peer.Finish(10000);
  SetEchoLog(nullptr);
  port.Close();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kTotal);
  state.counters["paints_per_MiB"] = state.iterations() ? static_cast<double>(paints) / state.iterations() : 0;
  state.counters["longest_stall_ms"] = watch.longestStallMs;
}
BENCHMARK(BM_TerminalMebibyte)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
