#pragma once
// Results of the logger device object's wake-up and record reads
// (CKX2Device::WakeUp, ReadSystemInfo, ReadMailInfo) and of its clock query
// (GetDeviceNow): done or not, nothing more. A read that was not done leaves
// the records and the clock as they were.

#include <cstdint>

// clang-format 14 takes an attributed enum for a braced list and mangles it.
// clang-format off
enum class [[nodiscard]] ReadResult : int32_t {
  kFailed = 0,
  kDone = 1,
};
// clang-format on
