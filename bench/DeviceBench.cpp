// The device object against the logger simulator on a pseudo-terminal: the
// whole Connect sequence (open, wake-up, "RD SYS", "MAIL DSP") and a firmware
// transfer of 2000 image lines. Real time and the process's CPU time (the
// port's reader and the simulator's thread included) are both reported.

#include <benchmark/benchmark.h>

#include <string>

#include "link/KX2Device.h"
#include "sim/LoggerSim.h"
#include "tests/support/ScopedTimeScale.h"
#include "tests/support/SerialSettings.h"
#include "tools/samples/HexImage.h"

namespace {

// At the real time scale: the wake-up's drain (100 ms of silence after the
// identification line) is part of what the operator waits for.
void BM_DeviceConnect(benchmark::State& state) {
  sim::LoggerSim logger;
  if (!logger.Start()) return state.SkipWithError("no pseudo-terminal");
  CKX2Device device;
  device.m_dcb = LoggerLineSettings();
  const std::string name = "\\\\.\\" + logger.SlavePath();
  int failures = 0;
  for (auto _ : state) {
    if (device.OpenPort(name) != PortOpenResult::kOpened) return state.SkipWithError("open failed");
    if (device.WakeUp() != ReadResult::kDone || device.ReadSystemInfo() != ReadResult::kDone ||
        device.ReadMailInfo() != ReadResult::kDone) {
      ++failures;
    }
    state.PauseTiming();
    // The main frame closes the port before it asks for one; closing waits for
    // the reader thread and is not part of the connect.
    {
      const ScopedTimeScale fast(0.001);
      device.ClosePort();
    }
    state.ResumeTiming();
  }
  state.counters["failed"] = failures;
}
BENCHMARK(BM_DeviceConnect)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(20);

// The logger's fixed waits (11 s for the flash write, 3 s of writing in the
// simulator) are scaled by 0.01 so the 2000 line exchanges dominate.
void BM_DeviceFirmware2000(benchmark::State& state) {
  sim::LoggerSim logger;
  if (!logger.Start()) return state.SkipWithError("no pseudo-terminal");
  CKX2Device device;
  device.m_dcb = LoggerLineSettings();
  ScopedTimeScale scale(0.001);
  if (device.OpenPort("\\\\.\\" + logger.SlavePath()) != PortOpenResult::kOpened)
    return state.SkipWithError("open failed");
  scale.Set(0.01);
  const std::string image = HexImage(1999);  // and the end record
  int failures = 0;
  for (auto _ : state) {
    if (device.UpdateFirmware(image, 0, 0) != FirmwareResult::kOk) ++failures;
  }
  state.counters["failed"] = failures;
  state.counters["lines/s"] =
      benchmark::Counter(2000.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  scale.Set(0.001);
  device.ClosePort();
}
BENCHMARK(BM_DeviceFirmware2000)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(5);

}  // namespace
