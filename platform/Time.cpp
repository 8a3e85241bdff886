#include "platform/Time.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

namespace platform {
namespace {
using Clock = std::chrono::steady_clock;

std::atomic<double> g_scale{1.0};
// TickCount stays continuous across a change of scale, so a wait that spans
// one (a reader thread outliving its test) never sees the clock jump back:
// the scaled ms reached when the scale last changed, and the real time then.
std::mutex g_tickLock;
double g_tickBase = 0.0;
Clock::time_point g_segmentStart = Clock::now();

double ScaledMsSinceSegment(Clock::time_point now) {
  const auto us = std::chrono::duration_cast<std::chrono::microseconds>(now - g_segmentStart).count();
  return static_cast<double>(us) / 1000.0 / g_scale.load();
}
}  // namespace

void SetTimeScale(double scale) {
  std::lock_guard<std::mutex> lock(g_tickLock);
  const auto now = Clock::now();
  g_tickBase += ScaledMsSinceSegment(now);
  g_segmentStart = now;
  g_scale.store(scale > 0 ? scale : 1.0);
}

double TimeScale() { return g_scale.load(); }

int64_t ScaledMicros(uint32_t ms) { return static_cast<int64_t>(ms * 1000.0 * g_scale.load()); }

void Sleep(uint32_t ms) {
  if (ms == 0) {
    std::this_thread::yield();
    return;
  }
  std::this_thread::sleep_for(std::chrono::microseconds(ScaledMicros(ms)));
}

uint32_t TickCount() {
  std::lock_guard<std::mutex> lock(g_tickLock);
  return static_cast<uint32_t>(static_cast<uint64_t>(g_tickBase + ScaledMsSinceSegment(Clock::now())));
}

}  // namespace platform
