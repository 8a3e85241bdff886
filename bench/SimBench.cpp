// The logger simulator's own pace, so benchmarks and tests that use it know it
// is not their bottleneck: commands answered per second and records streamed
// per second to a bare reader, and the program's whole record download (port,
// line buffer, protocol) against it.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <string>

#include "link/ComCtrlKestrix2.h"
#include "link/RSPort.h"
#include "sim/LoggerSim.h"
#include "tests/support/ScopedTimeScale.h"
#include "tests/support/SerialSettings.h"

namespace {

// A bare reader on the slave side: raw mode, plain read().
class RawSlave {
 public:
  explicit RawSlave(const std::string& path) : m_fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC)) {
    termios tio{};
    tcgetattr(m_fd, &tio);
    cfmakeraw(&tio);
    tcsetattr(m_fd, TCSANOW, &tio);
  }
  ~RawSlave() { ::close(m_fd); }
  bool Ok() const { return m_fd >= 0; }
  bool Send(const std::string& s) { return ::write(m_fd, s.data(), s.size()) == static_cast<ssize_t>(s.size()); }
  // Reads until the received text ends with `marker`; returns the bytes read, -1 on a stall.
  int64_t ReadUntil(const std::string& marker) {
    std::string tail;
    int64_t total = 0;
    char buf[65536];
    for (;;) {
      pollfd p{m_fd, POLLIN, 0};
      if (::poll(&p, 1, 5000) <= 0) return -1;
      const ssize_t n = ::read(m_fd, buf, sizeof buf);
      if (n <= 0) return -1;
      total += n;
      tail.append(buf, static_cast<size_t>(n));
      if (tail.size() >= marker.size() && tail.compare(tail.size() - marker.size(), marker.size(), marker) == 0)
        return total;
      if (tail.size() > 64) tail.erase(0, tail.size() - 64);
    }
  }

 private:
  int m_fd;
};

void BM_SimExchange(benchmark::State& state) {
  sim::LoggerSim logger;
  if (!logger.Start()) return state.SkipWithError("no pseudo-terminal");
  RawSlave slave(logger.SlavePath());
  for (auto _ : state) {
    if (!slave.Send("ST STP\r\n") || slave.ReadUntil("YES END\r\n") < 0) return state.SkipWithError("no answer");
  }
  state.counters["commands/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SimExchange)->UseRealTime();

void BM_SimRecordStream(benchmark::State& state) {
  sim::LoggerSim logger;
  logger.SetRecords(1, static_cast<int>(state.range(0)));
  if (!logger.Start()) return state.SkipWithError("no pseudo-terminal");
  RawSlave slave(logger.SlavePath());
  int64_t bytes = 0;
  for (auto _ : state) {
    if (!slave.Send("RD ALL\r\n")) return state.SkipWithError("write failed");
    const int64_t n = slave.ReadUntil("YES END\r\n");
    if (n < 0) return state.SkipWithError("download stalled");
    bytes += n;
  }
  state.SetBytesProcessed(bytes);
  state.counters["records/s"] =
      benchmark::Counter(static_cast<double>(state.iterations() * state.range(0)), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SimRecordStream)->Arg(1000)->Arg(60000)->UseRealTime()->Unit(benchmark::kMillisecond);

// The program's download path: StartReadAll, then ReadDataLine up to the end marker.
void BM_LinkDownloadFromSim(benchmark::State& state) {
  sim::LoggerSim logger;
  logger.SetRecords(1, static_cast<int>(state.range(0)));
  if (!logger.Start()) return state.SkipWithError("no pseudo-terminal");
  CRSPort port;
  CComCtrlKestrix2 proto;
  ScopedTimeScale scale(0.001);  // the open's settling sleep
  const PortOpenResult opened = port.Open("\\\\.\\" + logger.SlavePath(), LoggerLineSettings());
  scale.Set(1.0);
  if (opened != PortOpenResult::kOpened) return state.SkipWithError("cannot open the pty");
  std::string line;
  std::string data;
  for (auto _ : state) {
    data.clear();
    if (proto.StartReadAll(&port, -1, 0) != ComResult::kOk) return state.SkipWithError("download refused");
    ComResult rc;
    while ((rc = proto.ReadDataLine(&port, line)) == ComResult::kDataLine) data += line;
    if (rc != ComResult::kEndOfData) return state.SkipWithError("download ended without its marker");
  }
  state.SetBytesProcessed(static_cast<int64_t>(data.size()) * state.iterations());
  state.counters["records/s"] =
      benchmark::Counter(static_cast<double>(state.iterations() * state.range(0)), benchmark::Counter::kIsRate);
  scale.Set(0.001);
  port.Close();
}
BENCHMARK(BM_LinkDownloadFromSim)->Arg(10000)->Arg(60000)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
