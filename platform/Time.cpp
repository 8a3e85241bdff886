#include "platform/Time.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace platform {
namespace {
std::atomic<double> g_scale{1.0};
// TickCount stays continuous across a change of scale: it accumulates scaled
// time from this origin.
const auto g_origin = std::chrono::steady_clock::now();
}  // namespace

void SetTimeScale(double scale) { g_scale.store(scale > 0 ? scale : 1.0); }

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
  const auto us =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - g_origin).count();
  return static_cast<uint32_t>(static_cast<uint64_t>(us / 1000.0 / g_scale.load()));
}

}  // namespace platform
