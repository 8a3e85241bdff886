// The application: start-up up to the shown main window, and the background
// runner's cost around a logger operation (the progress window, the worker,
// and the processor time the window side spends waiting).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <chrono>
#include <ctime>

#include "app/KXCWorkingThread.h"
#include "app/Kestrix2CommApp.h"
#include "platform/Time.h"
#include "tests/support/qt/QtApplication.h"
#include "ui/Dialog.h"

namespace {
class Owner : public CDialog, public CKXCWorkingThread {
 public:
  Owner() { Create(100); }
  int ThreadWork() override {
    if (workMs > 0) platform::Sleep(workMs);
    return 1;
  }
  uint32_t workMs = 0;
};

// InitInstance to the shown, titled main window with the traffic ring
// allocated, and the windows torn down again.
void BM_StartUp(benchmark::State& state) {
  EnsureQtApplication(true);
  for (auto _ : state) {
    if (!theApp.InitInstance()) {
      state.SkipWithError("start-up failed");
      break;
    }
    state.PauseTiming();
    theApp.CloseDocTemplates();
    theApp.m_pMainWnd = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond);

// A run of an empty work: what every logger operation costs on top of its
// exchanges (the worker's start is held back 50 ms, as the program does).
void BM_EmptyRun(benchmark::State& state) {
  EnsureQtApplication(true);
  Owner owner;
  for (auto _ : state) benchmark::DoNotOptimize(owner.Run(&owner, nullptr, TRUE));
}
BENCHMARK(BM_EmptyRun)->Unit(benchmark::kMillisecond)->UseRealTime();

// The processor share of the whole process while a 500 ms work runs: the
// window side waits for the worker instead of spinning.
void BM_WaitingRunCpu(benchmark::State& state) {
  EnsureQtApplication(true);
  Owner owner;
  owner.workMs = 500;
  double cpu = 0, wall = 0;
  for (auto _ : state) {
    const std::clock_t c0 = std::clock();
    const auto t0 = std::chrono::steady_clock::now();
    owner.Run(&owner, nullptr);
    cpu += static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
    wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
  state.counters["cpu_share_pct"] = wall > 0 ? 100.0 * cpu / wall : 0;
}
BENCHMARK(BM_WaitingRunCpu)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(4);
}  // namespace
