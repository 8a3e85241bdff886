// The application: the program's start-up up to the shown main window, and
// the background runner's cost around a logger operation (the progress
// window, the worker, and the processor time the process spends waiting).
#include <benchmark/benchmark.h>
#include <pthread.h>

#include <chrono>
#include <ctime>

#include "app/KXCWorkingThread.h"
#include "app/Kestrix2CommApp.h"
#include "platform/Event.h"
#include "platform/Time.h"
#include "tests/support/ProcessStats.h"
#include "tests/support/ProgramProcess.h"
#include "tests/support/qt/QtApplication.h"
#include "ui/Dialog.h"

namespace {
class Owner : public CDialog, public CKXCWorkingThread {
 public:
  Owner() { Create(100); }
  WorkResult ThreadWork() override { return WorkResult::kDone; }
};

// The program's start as the operator sees it, one fresh process each time:
// from its launch to the shown main window with the message loop about to
// run (the program catches SIGTERM from there on). Closing it is not timed.
void BM_StartUp(benchmark::State& state) {
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    ProgramProcess program(KX2_PROGRAM_PATH, {{"KX2_PORTS", ""}});
    if (!program.WaitUntilRunning(std::chrono::seconds(30))) {
      state.SkipWithError(("start-up failed: " + program.DescribeStatus()).c_str());
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    program.RequestTerminate();
    if (!program.WaitForEnd(std::chrono::seconds(30))) {
      state.SkipWithError("the program did not end on a terminate request");
      break;
    }
  }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(10);

// A run of an empty work: what every logger operation costs on top of its
// exchanges (the worker's start is held back 50 ms, as the program does).
void BM_EmptyRun(benchmark::State& state) {
  EnsureQtApplication(true);
  Owner owner;
  for (auto _ : state) benchmark::DoNotOptimize(owner.Run(&owner, nullptr, TRUE));
}
BENCHMARK(BM_EmptyRun)->Unit(benchmark::kMillisecond)->UseRealTime();

// The processor share while a work waits for the logger, as a reply that
// takes seconds keeps it waiting: the whole process (getrusage), and of it the
// window thread (progress window, wait loop); the rest is Qt's threads, since
// the worker only sleeps on an event. Measured from the worker once the
// progress window has settled.
class WaitingOwner : public CDialog, public CKXCWorkingThread {
 public:
  WaitingOwner() : m_windowThread(pthread_self()) { Create(100); }
  WorkResult ThreadWork() override {
    // Never set: it stands for a reply still on its way, so every wait on it
    // runs to its end.
    platform::Event reply(true, false);
    static_cast<void>(reply.Wait(300));
    clockid_t windowClock;
    pthread_getcpuclockid(m_windowThread, &windowClock);
    const double process0 = ProcessCpuMs(), window0 = ClockMs(windowClock);
    const auto t0 = std::chrono::steady_clock::now();
    static_cast<void>(reply.Wait(kWaitMs));
    wallMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    processMs += ProcessCpuMs() - process0;
    windowMs += ClockMs(windowClock) - window0;
    return WorkResult::kDone;
  }
  static double ClockMs(clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
  }
  static constexpr uint32_t kWaitMs = 2000;
  double wallMs = 0, processMs = 0, windowMs = 0;

 private:
  pthread_t m_windowThread;
};

void BM_WaitingRunCpu(benchmark::State& state) {
  EnsureQtApplication(true);
  WaitingOwner owner;
  for (auto _ : state) static_cast<void>(owner.Run(&owner, nullptr, TRUE));
  if (owner.wallMs <= 0) return;
  state.counters["cpu_share_pct"] = 100.0 * owner.processMs / owner.wallMs;
  state.counters["window_thread_pct"] = 100.0 * owner.windowMs / owner.wallMs;
  state.counters["other_threads_pct"] = 100.0 * (owner.processMs - owner.windowMs) / owner.wallMs;
}
BENCHMARK(BM_WaitingRunCpu)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
}  // namespace
