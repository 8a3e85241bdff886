// The serial device over a pseudo-terminal (one command-and-reply exchange,
// bulk reading as the reader thread does it, waking a blocked read) and the
// text conversions that run on every line shown.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "platform/Event.h"
#include "platform/SerialDevice.h"
#include "platform/Text.h"

namespace {

using platform::IoResult;
using platform::SerialDevice;

// An open device on the slave side of a fresh pseudo-terminal.
struct Pty {
  int master = -1;
  SerialDevice dev;
  bool ok = false;

  Pty() {
    int slave = -1;
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) != 0) return;
    ::close(slave);
    ok = dev.Open(std::string("\\\\.\\") + name);
    platform::COMMTIMEOUTS t;
    t.ReadIntervalTimeout = platform::MAXDWORD;
    t.ReadTotalTimeoutMultiplier = 10000;
    t.ReadTotalTimeoutConstant = 10;
    t.WriteTotalTimeoutMultiplier = 3000;
    t.WriteTotalTimeoutConstant = 10;
    dev.SetTimeouts(t);
  }
  ~Pty() {
    dev.Close();
    if (master >= 0) ::close(master);
  }
};

void BM_CommandAndReply(benchmark::State& state) {
  Pty pty;
  if (!pty.ok) return state.SkipWithError("no pseudo-terminal");
  const std::string command = "RD SYS\r\n";
  const std::string reply = "YES END\r\n";
  char buf[64];
  for (auto _ : state) {
    uint32_t n = 0;
    if (pty.dev.Write(command.data(), command.size(), n, 10000) != IoResult::Ok)
      return state.SkipWithError("write failed");
    size_t seen = 0;
    while (seen < command.size()) {
      const ssize_t r = ::read(pty.master, buf, sizeof buf);
      if (r > 0) seen += static_cast<size_t>(r);
    }
    if (::write(pty.master, reply.data(), reply.size()) != static_cast<ssize_t>(reply.size())) break;
    uint32_t got = 0;
    for (size_t have = 0; have < reply.size(); have += got)
      if (pty.dev.Read(buf, sizeof buf, got) != IoResult::Ok) return state.SkipWithError("read failed");
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CommandAndReply)->UseRealTime();

// Bytes pouring in (a record download) read as the reader thread reads them:
// the queue size first, then up to 4096 bytes.
void BM_BulkRead(benchmark::State& state) {
  Pty pty;
  if (!pty.ok) return state.SkipWithError("no pseudo-terminal");
  std::atomic<bool> stop{false};
  ::fcntl(pty.master, F_SETFL, ::fcntl(pty.master, F_GETFL) | O_NONBLOCK);
  std::thread logger([&] {
    const std::string line(78, '0');
    std::string block;
    while (block.size() < 4096) block += line + "\r\n";
    while (!stop) {
      pollfd p{pty.master, POLLOUT, 0};
      if (::poll(&p, 1, 20) > 0 && ::write(pty.master, block.data(), block.size()) < 0) break;
    }
  });
  char chunk[4096];
  int64_t bytes = 0;
  for (auto _ : state) {
    uint32_t waiting = 0;
    pty.dev.ClearError(nullptr, &waiting);
    const uint32_t size = waiting == 0 ? 1 : (waiting < sizeof chunk ? waiting : sizeof chunk);
    uint32_t got = 0;
    if (pty.dev.Read(chunk, size, got) == IoResult::Ok) bytes += got;
  }
  stop = true;
  pty.dev.CancelIo();
  logger.join();
  state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_BulkRead)->UseRealTime();

// How long a shutdown waits for a reader blocked on an idle line: from
// CancelIo to the reader's Read returning.
void BM_CancelBlockedRead(benchmark::State& state) {
  Pty pty;
  if (!pty.ok) return state.SkipWithError("no pseudo-terminal");
  platform::Event go(false, false);
  std::atomic<int> finished{0};
  std::atomic<bool> quit{false};
  std::thread reader([&] {
    for (int r = 1;; ++r) {
      // A wait without a limit ends only when signalled.
      static_cast<void>(go.Wait(platform::kInfinite));
      if (quit) return;
      char c;
      uint32_t got;
      // CancelIo ends it; how soon is what is measured, not how it ended.
      static_cast<void>(pty.dev.Read(&c, 1, got));
      finished = r;
    }
  });
  int r = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ++r;
    go.Set();
    std::this_thread::sleep_for(std::chrono::microseconds(300));  // let it block in poll
    state.ResumeTiming();
    pty.dev.CancelIo();
    while (finished.load() != r) {
    }
  }
  quit = true;
  go.Set();
  reader.join();
}
BENCHMARK(BM_CancelBlockedRead)->UseRealTime();

// The same hand-over through an Event, for comparison: what the scheduler
// alone costs on this machine.
void BM_EventWake(benchmark::State& state) {
  platform::Event go(false, false);
  std::atomic<int> finished{0};
  std::atomic<bool> quit{false};
  std::thread waiter([&] {
    for (int r = 1;; ++r) {
      static_cast<void>(go.Wait(platform::kInfinite));  // ends only when signalled
      if (quit) return;
      finished = r;
    }
  });
  int r = 0;
  for (auto _ : state) {
    state.PauseTiming();
    ++r;
    std::this_thread::sleep_for(std::chrono::microseconds(300));
    state.ResumeTiming();
    go.Set();
    while (finished.load() != r) {
    }
  }
  quit = true;
  go.Set();
  waiter.join();
}
BENCHMARK(BM_EventWake)->UseRealTime();

std::string MixedText(size_t size) {
  std::string text;
  const std::string piece = "2024/05/01 12:00:00 ,  0.5 mm 通信中 ";
  while (text.size() < size) text += piece;
  text.push_back('\x82');  // one stray byte, as a garbled line has
  return text;
}

void BM_ToValidUtf8(benchmark::State& state) {
  const std::string text = MixedText(static_cast<size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(platform::ToValidUtf8(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ToValidUtf8)->Arg(256)->Arg(1 << 20);

void BM_ToHalfWidth(benchmark::State& state) {
  std::string text;
  while (text.size() < 256) text += "ｉｎｔｅｒｎｅｔ．ｊｐ　データ ";
  for (auto _ : state) benchmark::DoNotOptimize(platform::ToHalfWidth(std::string_view(text)));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ToHalfWidth);

}  // namespace
