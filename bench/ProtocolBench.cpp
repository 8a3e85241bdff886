// One command-and-reply exchange against a peer that answers at once over a
// pseudo-terminal, and the bare pty round trip of the same bytes for
// comparison: the difference is what the port, the line buffer and the
// protocol layer add per exchange.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "link/ComCtrlKestrix2.h"
#include "link/RSPort.h"
#include "tests/support/ScopedTimeScale.h"
#include "tests/support/ScriptedPeer.h"
#include "tests/support/SerialSettings.h"

namespace {

constexpr char kCommand[] = "ST RES\r\n";
constexpr char kReply[] = "YES END\r\n";
constexpr int kBatch = 1000;

// The peer's script is topped up outside the timed part.
void QueueExchanges(ScriptedPeer& peer, int& queued) {
  for (int i = 0; i < kBatch; ++i) peer.Expect(kCommand).Reply(kReply);
  queued = kBatch;
}

void BM_SendCommandExpect(benchmark::State& state) {
  ScriptedPeer peer;
  CRSPort port;
  CComCtrlKestrix2 proto;
  ScopedTimeScale scale(0.001);  // the open's settling sleep
  if (port.Open(peer.DeviceName(), LoggerLineSettings()) != PortOpenResult::kOpened) {
    state.SkipWithError("cannot open the pty");
    return;
  }
  scale.Set(1.0);
  if (!peer.SyncWith(port)) {
    state.SkipWithError("the port's reader does not run");
    return;
  }
  int queued = 0;
  int64_t failed = 0;
  for (auto _ : state) {
    if (queued == 0) {
      state.PauseTiming();
      QueueExchanges(peer, queued);
      state.ResumeTiming();
    }
    --queued;
    if (proto.SendCommandExpect(&port, kCommand, nullptr, 5000) != ComResult::kOk) ++failed;
  }
  if (failed != 0) state.SkipWithError("an exchange failed");
  state.SetItemsProcessed(state.iterations());
  state.counters["exchanges/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
  // Leave the script dry so the peer stops reading before the port goes.
  for (int i = 0; i < queued; ++i) {
    port.Write(kCommand, 0, 0);
  }
  peer.Finish(10000);
  scale.Set(0.001);
  port.Close();
}
BENCHMARK(BM_SendCommandExpect)->UseRealTime()->Unit(benchmark::kMicrosecond);

// Reads as the port's reader thread does: what is waiting in one read of up
// to a chunk, or a single byte (the wait for the reply's start) when nothing
// is; until the line's end.
bool ReadLine(int fd) {
  char chunk[4096];
  for (;;) {
    int waiting = 0;
    if (ioctl(fd, FIONREAD, &waiting) != 0) return false;
    if (waiting == 0) {
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 5000) <= 0) return false;
    }
    const size_t size = waiting <= 0 ? 1 : std::min(static_cast<size_t>(waiting), sizeof chunk);
    const ssize_t got = read(fd, chunk, size);
    if (got <= 0) return false;
    if (std::memchr(chunk, '\n', static_cast<size_t>(got)) != nullptr) return true;
  }
}

void BM_PtyRoundTrip(benchmark::State& state) {
  ScriptedPeer peer;
  const int fd = open(peer.SlavePath().c_str(), O_RDWR | O_NOCTTY);
  if (fd < 0) {
    state.SkipWithError("cannot open the pty");
    return;
  }
  int queued = 0;
  for (auto _ : state) {
    if (queued == 0) {
      state.PauseTiming();
      QueueExchanges(peer, queued);
      state.ResumeTiming();
    }
    --queued;
    if (write(fd, kCommand, std::strlen(kCommand)) < 0 || !ReadLine(fd)) {
      state.SkipWithError("pty round trip failed");
      break;
    }
  }
  state.SetItemsProcessed(state.iterations());
  for (int i = 0; i < queued; ++i) {
    if (write(fd, kCommand, std::strlen(kCommand)) < 0 || !ReadLine(fd)) break;
  }
  peer.Finish(10000);
  close(fd);
}
BENCHMARK(BM_PtyRoundTrip)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
