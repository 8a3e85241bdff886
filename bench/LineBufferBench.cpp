// Line buffer throughput and the cost of a read that waits for nothing.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "link/ReadData.h"
#include "platform/Hooks.h"
#include "tests/support/ProcessStats.h"

namespace {

// One reply of `lines` 40-byte lines (38 characters, CR, LF), as the reader
// thread hands it over, read back line by line. Every command purges the
// buffer first, so each round starts with a Clear.
void BM_LineBufferPutReadLine(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  std::string chunk;
  for (int i = 0; i < lines; ++i) {
    std::string line = "2026/12/09 04:30:00,  12.5, 3.61,#" + std::to_string(1000 + i % 9000);
    line.resize(38, ' ');
    chunk += line + "\r\n";
  }
  CReadData rd;
  if (rd.Init() != 1) {
    state.SkipWithError("no line buffer");
    return;
  }
  char buf[257];
  for (auto _ : state) {
    rd.Clear();
    rd.Put(chunk.data(), static_cast<int32_t>(chunk.size()));
    for (int i = 0; i < lines; ++i) benchmark::DoNotOptimize(rd.ReadLine(buf, sizeof buf, 0));
  }
  state.SetItemsProcessed(state.iterations() * lines);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(chunk.size()));
}
BENCHMARK(BM_LineBufferPutReadLine)->Arg(1)->Arg(100)->Arg(10000);

// A ReadLine that waits 2 s for a line that never comes, with a pump hook
// installed as the terminal's would be: on the window thread it serves (the
// wait is cut into slices between pumps), on a worker it does not (one wait).
// The figure that matters is cpu_pct: processor time of the waiting thread
// against the wall time.
void EmptyReadLine2s(benchmark::State& state, platform::PumpHook hook) {
  CReadData rd;
  if (rd.Init() != 1) {
    state.SkipWithError("no line buffer");
    return;
  }
  platform::InstallPumpHook(hook);
  double cpuMs = 0;
  double wallMs = 0;
  char buf[64];
  for (auto _ : state) {
    const double cpu0 = ThreadCpuMs();
    const auto t0 = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(rd.ReadLine(buf, sizeof buf, 2000));
    wallMs += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    cpuMs += ThreadCpuMs() - cpu0;
  }
  platform::InstallPumpHook(nullptr);
  state.counters["cpu_ms"] = cpuMs / static_cast<double>(state.iterations());
  state.counters["cpu_pct"] = wallMs > 0 ? 100.0 * cpuMs / wallMs : 0;
}

void BM_EmptyReadLine2s(benchmark::State& state) {
  EmptyReadLine2s(state, [] { return true; });
}

void BM_EmptyReadLine2sWorker(benchmark::State& state) {
  EmptyReadLine2s(state, [] { return false; });
}
BENCHMARK(BM_EmptyReadLine2s)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EmptyReadLine2sWorker)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
