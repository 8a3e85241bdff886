// The terminal under received traffic: bytes go through the traffic log's
// echo ring into the text view in 4 KiB batches, as the refresh command moves
// them, with a paint of the view after each batch.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <cstdio>
#include <string>

#include "app/DlgTerminal.h"
#include "app/LogView.h"
#include "link/MLog.h"
#include "tests/support/qt/QtApplication.h"

namespace {

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
    log.m_echoBuffer.Init();
    dialog.SetLink(nullptr, &log);
    dialog.CreateTerminal(nullptr);
    // No posted refreshes: the benchmark moves each batch itself.
    log.m_hNotifyWnd.store(0);
    dialog.ShowWindow(SW_SHOW);
    dialog.MoveWindow(0, 0, 1024, 640);
    QCoreApplication::processEvents();
  }
  ~Terminal() { dialog.DestroyWindow(); }

  void Batch(const std::string& bytes) {
    log.WriteReceived(bytes.data(), static_cast<int32_t>(bytes.size()));
    log.m_echoBuffer.ReadOut();
    CLogView* view = dialog.GetView();
    view->AppendText(log.m_echoBuffer.GetReadOut());
    view->Render();
  }

  CMLog log;
  CDlgTerminal dialog;
};

void BM_TerminalBatch(benchmark::State& state) {
  Terminal terminal;
  const std::string bytes = Traffic();
  for (auto _ : state) terminal.Batch(bytes);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kBatch);
  state.counters["rows"] = terminal.dialog.GetView()->VisibleRows();
  state.counters["cols"] = terminal.dialog.GetView()->VisibleColumns();
}
BENCHMARK(BM_TerminalBatch)->Unit(benchmark::kMicrosecond);

void BM_TerminalMebibyte(benchmark::State& state) {
  Terminal terminal;
  const std::string bytes = Traffic();
  for (auto _ : state) {
    for (int done = 0; done < kTotal; done += kBatch) terminal.Batch(bytes);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kTotal);
}
BENCHMARK(BM_TerminalMebibyte)->Unit(benchmark::kMillisecond);

}  // namespace
