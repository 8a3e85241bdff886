// A full ring of 100,000 records downloaded from the simulator, twice in one
// run: through the program's own road (the Data-recording page's work with
// its progress window and progress posts, the port's reader, the line buffer,
// the traffic log and the protocol), and as the raw bytes a bare reader takes
// from the same pseudo-terminal. The program must keep up with any serial
// line, so its rate is set beside the raw one. After each download the page
// shows the records in the downloaded-data dialog, which is closed at once:
// how long it takes to show (not part of the download's time), the resident
// memory while it shows and once it has closed. A paced download, as a slow
// line delivers it, gives the processor share of the whole program.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <ctime>
#include <string>

#include "app/DlgAqcuired.h"
#include "app/DlgMainRecodeData.h"
#include "app/Kestrix2CommApp.h"
#include "sim/LoggerSim.h"
#include "tests/support/ProcessStats.h"
#include "tests/support/ScopedTimeScale.h"
#include "tests/support/qt/QtApplication.h"
#include "ui/Dialog.h"
#include "ui/MessagePump.h"

namespace {
constexpr int kRecords = 100000;
using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

// What start-up wires between the link and the windows.
void WireAsStartUp() {
  static const bool once = [] {
    SetEchoLog(&theApp.m_log);
    // Without the ring the terminal shows nothing; the download is measured all the same.
    static_cast<void>(theApp.m_log.m_echoBuffer.Init());
    theApp.m_dlgTerminal.SetLink(&theApp.m_device.m_port, &theApp.m_log);
    CDlgTerminal::InstallAsPump(&theApp.m_dlgTerminal);
    return true;
  }();
  (void)once;
}

// The logger on a pseudo-terminal at the line settings of start-up, with the
// page that downloads from it.
class PageRoad {
 public:
  explicit PageRoad(benchmark::State& state, int records) {
    EnsureQtApplication(true);
    WireAsStartUp();
    m_logger.SetRecords(0, records);
    if (!m_logger.Start()) {
      state.SkipWithError("no pseudo-terminal");
      return;
    }
    CKX2Device& device = theApp.m_device;
    device.m_dcb.BaudRate = 9600;
    device.m_dcb.ByteSize = 8;
    {
      const ScopedTimeScale fast(0.001);  // the open's settling sleep
      if (device.OpenPort("\\\\.\\" + m_logger.SlavePath()) != PortOpenResult::kOpened) {
        state.SkipWithError("cannot open the pty");
        return;
      }
    }
    if (!theApp.CreateWithFont(m_page, CDlgMainRecodeData::IDD, nullptr)) {
      state.SkipWithError("no page");
      return;
    }
    m_ready = true;
  }
  ~PageRoad() {
    m_page.DestroyWindow();
    const ScopedTimeScale fast(0.001);
    theApp.m_device.ClosePort();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  bool Download(int count) {
    m_page.m_nMode = CDlgMainRecodeData::kModeRecords;
    m_page.m_nStartId = 0;
    m_page.m_nCount = count;
    return m_page.RunWork() == RunResult::kDone;
  }

  sim::LoggerSim m_logger;
  CDlgMainRecodeData m_page;
  bool m_ready = false;
};

void BM_PageDownloadFullRing(benchmark::State& state) {
  PageRoad road(state, kRecords);
  if (!road.m_ready) return;
  CDlgMainRecodeData& page = road.m_page;
  // The dialog is closed as soon as it has painted itself once.
  Clock::time_point showFrom;
  double showMs = 0, dialogKiB = 0;
  const CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog* d) {
    if (dynamic_cast<CDlgAqcuired*>(d) == nullptr) return;
    d->GetWidget()->repaint();
    showMs += MsSince(showFrom);
    dialogKiB += static_cast<double>(ResidentKiB());
    d->SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
  int64_t bytes = 0;
  int lines = 0;
  for (auto _ : state) {
    if (!road.Download(kRecords)) {
      state.SkipWithError("download failed");
      break;
    }
    state.PauseTiming();
    bytes += static_cast<int64_t>(page.m_strData.size());
    lines = 0;
    for (char c : page.m_strData) lines += c == '\n' ? 1 : 0;
    showFrom = Clock::now();
    page.ShowData();
    PumpAllPendingMessages();
    state.ResumeTiming();
  }
  CDialog::SetModalHook(previous);
  if (lines != kRecords) state.SkipWithError("records missing");
  const double n = static_cast<double>(state.iterations());
  state.SetBytesProcessed(bytes);
  state.counters["records/s"] = benchmark::Counter(n * kRecords, benchmark::Counter::kIsRate);
  state.counters["show_ms"] = showMs / n;
  state.counters["rss_dialog_MiB"] = dialogKiB / n / 1024.0;
  state.counters["rss_closed_MiB"] = static_cast<double>(ResidentKiB()) / 1024.0;
}
BENCHMARK(BM_PageDownloadFullRing)->Unit(benchmark::kMillisecond)->UseRealTime();

// A download as a slow line delivers it, one record every 36 ms: the
// processor share of the whole process (the progress window, its counts, the
// reader and the worker, and here the simulated logger's thread too) and of
// the window thread, over the steady part once the progress window has
// settled.
void BM_PageDownloadPacedCpu(benchmark::State& state) {
  constexpr int kPacedRecords = 100;
  constexpr int kSettleMs = 1000;
  PageRoad road(state, kPacedRecords);
  if (!road.m_ready) return;
  sim::Fault pace;
  pace.kind = sim::FaultKind::Pace;
  pace.delayMs = 36;
  pace.command = "RD ALL";
  pace.count = -1;
  road.m_logger.InjectFault(pace);
  clockid_t windowClock;
  pthread_getcpuclockid(pthread_self(), &windowClock);
  auto clockMs = [](clockid_t clock) {
    timespec ts{};
    clock_gettime(clock, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
  };
  double wallMs = 0, processMs = 0, windowMs = 0;
  for (auto _ : state) {
    double process0 = 0, window0 = 0;
    Clock::time_point t0;
    // Taken inside the run's wait, on the window thread.
    QTimer::singleShot(kSettleMs, [&] {
      process0 = ProcessCpuMs();
      window0 = clockMs(windowClock);
      t0 = Clock::now();
    });
    if (!road.Download(kPacedRecords)) {
      state.SkipWithError("download failed");
      break;
    }
    wallMs += MsSince(t0);
    processMs += ProcessCpuMs() - process0;
    windowMs += clockMs(windowClock) - window0;
  }
  if (wallMs <= 0) return;
  state.counters["cpu_share_pct"] = 100.0 * processMs / wallMs;
  state.counters["window_thread_pct"] = 100.0 * windowMs / wallMs;
}
BENCHMARK(BM_PageDownloadPacedCpu)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// The same download read by a bare reader: raw mode, plain read().
void BM_RawPtyFullRing(benchmark::State& state) {
  sim::LoggerSim logger;
  logger.SetRecords(0, kRecords);
  if (!logger.Start()) return state.SkipWithError("no pseudo-terminal");
  const int fd = ::open(logger.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios tio{};
  tcgetattr(fd, &tio);
  cfmakeraw(&tio);
  tcsetattr(fd, TCSANOW, &tio);
  const std::string marker = "YES END\r\n";
  const std::string command = "RD ALL 0 " + std::to_string(kRecords) + "\r\n";
  int64_t bytes = 0;
  char buf[65536];
  for (auto _ : state) {
    if (::write(fd, command.data(), command.size()) != static_cast<ssize_t>(command.size()))
      return state.SkipWithError("write failed");
    std::string tail;
    for (;;) {
      pollfd p{fd, POLLIN, 0};
      if (::poll(&p, 1, 5000) <= 0) return state.SkipWithError("download stalled");
      const ssize_t n = ::read(fd, buf, sizeof buf);
      if (n <= 0) return state.SkipWithError("read failed");
      bytes += n;
      tail.append(buf, static_cast<size_t>(n));
      if (tail.size() >= marker.size() && tail.compare(tail.size() - marker.size(), marker.size(), marker) == 0) break;
      if (tail.size() > 64) tail.erase(0, tail.size() - 64);
    }
  }
  ::close(fd);
  state.SetBytesProcessed(bytes);
  state.counters["records/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kRecords, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RawPtyFullRing)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace
