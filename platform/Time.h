#pragma once
// Clock and sleeping, with one process-wide time scale.
//
// The logger's time-outs are long (45 s, 360 s). Tests shrink them by setting a
// scale below 1: Sleep and Event::Wait then wait scale x ms of real time, and
// TickCount runs 1/scale times faster, so every "ms" the link layer counts is
// consistent. The program itself never changes the scale (default 1).

#include <cstdint>

namespace platform {

constexpr uint32_t kInfinite = 0xFFFFFFFFu;

void SetTimeScale(double scale);
double TimeScale();

// Sleeps ms scaled milliseconds; 0 only yields the processor.
void Sleep(uint32_t ms);

// Milliseconds from a monotonic clock, 32 bits, wrapping. Callers subtract two
// values as unsigned numbers, so the wrap is harmless.
uint32_t TickCount();

// Real (unscaled) duration in microseconds that `ms` scaled milliseconds take.
int64_t ScaledMicros(uint32_t ms);

}  // namespace platform
