// Resident memory of an open port over a pseudo-terminal: the port object with
// its 100 MB line buffer and reader thread, idle and after some traffic.

#include <benchmark/benchmark.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <string>

#include "link/RSPort.h"
#include "tests/support/ProcessStats.h"
#include "tests/support/ScopedTimeScale.h"
#include "tests/support/SerialSettings.h"

namespace {

void BM_OpenPortResidentMemory(benchmark::State& state) {
  int master = -1;
  int slave = -1;
  char name[256] = {};
  if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) {
    state.SkipWithError("no pseudo-terminal");
    return;
  }
  ::close(slave);
  const platform::DCB dcb = LoggerLineSettings();
  const ScopedTimeScale scale(0.01);  // the port's open and close pauses
  long idleKiB = 0;
  long busyKiB = 0;
  long baseKiB = 0;
  for (auto _ : state) {
    baseKiB = ResidentKiB();
    CRSPort port;
    if (port.Open(std::string("\\\\.\\") + name, dcb) != PortOpenResult::kOpened) {
      state.SkipWithError("open failed");
      break;
    }
    idleKiB = ResidentKiB() - baseKiB;
    // A record download's worth of replies: 10,000 lines of 40 bytes.
    std::string reply;
    for (int i = 0; i < 10000; ++i) reply += "2026/12/09 04:30:00,  12.5, 3.61,  1234\r\n";
    for (size_t off = 0; off < reply.size();) {
      const ssize_t n = ::write(master, reply.data() + off, reply.size() - off);
      if (n > 0) off += static_cast<size_t>(n);
    }
    char buf[64];
    for (int i = 0; i < 10000; ++i) port.GetReadData()->ReadLine(buf, sizeof buf, 100000);
    busyKiB = ResidentKiB() - baseKiB;
    port.Close();
  }
  ::close(master);
  state.counters["base_kib"] = static_cast<double>(baseKiB);
  state.counters["open_idle_kib"] = static_cast<double>(idleKiB);
  state.counters["after_400kb_kib"] = static_cast<double>(busyKiB);
}
BENCHMARK(BM_OpenPortResidentMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
