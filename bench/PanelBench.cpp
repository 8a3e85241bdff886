// The tabbed panel: building it with its five pages (what a Connect shows),
// refreshing the pages after an operation, and one tick of the logger clock
// that rewrites the field.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include "app/DlgRefMain.h"
#include "app/Kestrix2CommApp.h"
#include "sim/LoggerSim.h"
#include "sim/SimClock.h"
#include "tests/support/qt/QtApplication.h"

namespace {
// The logger as a Connect leaves it: port open, records and clock read.
bool Connected() {
  static sim::LoggerSim logger;
  if (theApp.m_device.m_port.IsOpen()) return true;
  if (!logger.IsRunning()) {
    if (!logger.Start()) return false;
    logger.SetClock(sim::SimClock::HostNow(), false);
  }
  CKX2Device& device = theApp.m_device;
  device.m_dcb.BaudRate = 9600;
  device.m_dcb.ByteSize = 8;
  if (device.OpenPort("\\\\.\\" + logger.SlavePath()) != PortOpenResult::kOpened) return false;
  return device.WakeUp() == ReadResult::kDone && device.ReadSystemInfo() == ReadResult::kDone &&
         device.ReadMailInfo() == ReadResult::kDone;
}

void BM_ShowPanel(benchmark::State& state) {
  EnsureQtApplication(true);
  CDlgRefMain panel;
  for (auto _ : state) {
    if (!panel.ShowPanel(nullptr, 0)) {
      state.SkipWithError("no panel");
      break;
    }
    state.PauseTiming();
    panel.DestroyWindow();
    panel.m_nDeviceKind = -1;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ShowPanel)->Unit(benchmark::kMillisecond);

void BM_UpdatePagesConnected(benchmark::State& state) {
  EnsureQtApplication(true);
  if (!Connected()) {
    state.SkipWithError("no simulator");
    return;
  }
  CDlgRefMain panel;
  panel.ShowPanel(nullptr, 0);
  for (auto _ : state) panel.UpdatePages();
  panel.DestroyWindow();
  theApp.m_device.ClosePort();
}
BENCHMARK(BM_UpdatePagesConnected)->Unit(benchmark::kMicrosecond);

// Every tick here finds a new second, so the field is rewritten each time.
void BM_ClockTickRewrite(benchmark::State& state) {
  EnsureQtApplication(true);
  if (!Connected()) {
    state.SkipWithError("no simulator");
    return;
  }
  CDlgRefMain panel;
  panel.ShowPanel(nullptr, 0);
  CDlgMainSystem& page = panel.m_pageSystem;
  for (auto _ : state) {
    page.m_tShownClock.reset();
    page.SendMessage(WM_TIMER, CDlgMainSystem::kClockTimer, 0);
  }
  panel.DestroyWindow();
  theApp.m_device.ClosePort();
}
BENCHMARK(BM_ClockTickRewrite)->Unit(benchmark::kMicrosecond);
}  // namespace
