// The window framework: posted messages through the bounded pump, a page
// built from its template with the dialog font, and a modal run.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <thread>

#include "tests/support/qt/QtApplication.h"
#include "ui/Dialog.h"
#include "ui/MessagePump.h"

namespace {
class Sink : public CDialog {
 public:
  long handled = 0;
  BOOL OnCommand(WPARAM, LPARAM) override {
    ++handled;
    return TRUE;
  }
};

const res::DialogTemplateData kEmpty{9300, "", 50, 20, res::DS_POPUP, "ＭＳ ゴシック", 9, {}};

// Commands posted by a worker (as the traffic log posts its refresh) and
// taken by the terminal's pump, at most 201 a call.
void BM_PostAndPump(benchmark::State& state) {
  EnsureQtApplication(false);
  Sink sink;
  sink.CreateIndirect(kEmpty);
  const int n = static_cast<int>(state.range(0));
  for (auto _ : state) {
    std::thread worker([&] {
      for (int i = 0; i < n; ++i) platform::PostCommand(sink.m_hWnd, 505, i);
    });
    worker.join();
    while (PendingMessageCount() > 0) PumpMessages(201);
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_PostAndPump)->Arg(1000);

// A logger page (the largest template) built with the dialog font and destroyed.
void BM_BuildPage(benchmark::State& state) {
  EnsureQtApplication(false);
  for (auto _ : state) {
    CDialogTemplate t;
    if (!t.Load(static_cast<UINT>(state.range(0)))) {
      state.SkipWithError("no template");
      break;
    }
    t.SetFont("ＭＳ ゴシック", 10);
    CDialog page;
    page.CreateIndirect(t);
    page.DestroyWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}
BENCHMARK(BM_BuildPage)->Arg(317)->Arg(151)->Unit(benchmark::kMicrosecond);

// A modal dialog run to the end from its test hook.
void BM_ModalRun(benchmark::State& state) {
  EnsureQtApplication(false);
  CDialog::ModalHook previous = CDialog::SetModalHook([](CDialog* d) { d->EndDialog(IDOK); });
  for (auto _ : state) {
    CDialog dlg;
    dlg.InitModalIndirect(kEmpty);
    benchmark::DoNotOptimize(dlg.DoModal());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  CDialog::SetModalHook(previous);
}
BENCHMARK(BM_ModalRun)->Unit(benchmark::kMicrosecond);
}  // namespace
