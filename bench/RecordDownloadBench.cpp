// A full ring of 100,000 records downloaded from the simulator, twice in one
// run: through the program's own road (the Data-recording page's work with
// its progress window and progress posts, the port's reader, the line buffer,
// the traffic log and the protocol), and as the raw bytes a bare reader takes
// from the same pseudo-terminal. The program must keep up with any serial
// line, so its rate is set beside the raw one; the resident memory after the
// download holds the text of all the records.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <string>

#include "app/DlgMainRecodeData.h"
#include "app/Kestrix2CommApp.h"
#include "sim/LoggerSim.h"
#include "tests/support/ProcessStats.h"
#include "tests/support/ScopedTimeScale.h"
#include "tests/support/qt/QtApplication.h"
#include "ui/MessagePump.h"

namespace {
constexpr int kRecords = 100000;

// What start-up wires between the link and the windows.
void WireAsStartUp() {
  static const bool once = [] {
    SetEchoLog(&theApp.m_log);
    theApp.m_log.m_echoBuffer.Init();
    theApp.m_dlgTerminal.SetLink(&theApp.m_device.m_port, &theApp.m_log);
    CDlgTerminal::InstallAsPump(&theApp.m_dlgTerminal);
    return true;
  }();
  (void)once;
}

void BM_PageDownloadFullRing(benchmark::State& state) {
  EnsureQtApplication(true);
  WireAsStartUp();
  sim::LoggerSim logger;
  logger.SetRecords(0, kRecords);
  if (!logger.Start()) return state.SkipWithError("no pseudo-terminal");
  CKX2Device& device = theApp.m_device;
  device.m_dcb.BaudRate = 9600;
  device.m_dcb.ByteSize = 8;
  {
    const ScopedTimeScale fast(0.001);  // the open's settling sleep
    if (device.OpenPort("\\\\.\\" + logger.SlavePath()) != PortOpenResult::kOpened)
      return state.SkipWithError("cannot open the pty");
  }
  CDlgMainRecodeData page;
  if (!theApp.CreateWithFont(page, CDlgMainRecodeData::IDD, nullptr)) return state.SkipWithError("no page");
  int64_t bytes = 0;
  for (auto _ : state) {
    page.m_nMode = CDlgMainRecodeData::kModeRecords;
    page.m_nStartId = 0;
    page.m_nCount = kRecords;
    if (page.RunWork() != RunResult::kDone) return state.SkipWithError("download failed");
    bytes += static_cast<int64_t>(page.m_strData.size());
  }
  int lines = 0;
  for (char c : page.m_strData) lines += c == '\n' ? 1 : 0;
  if (lines != kRecords) state.SkipWithError("records missing");
  state.SetBytesProcessed(bytes);
  state.counters["records/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kRecords, benchmark::Counter::kIsRate);
  state.counters["rss_MiB"] = static_cast<double>(ResidentKiB()) / 1024.0;
  page.DestroyWindow();
  const ScopedTimeScale fast(0.001);
  device.ClosePort();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_PageDownloadFullRing)->Unit(benchmark::kMillisecond)->UseRealTime();

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
