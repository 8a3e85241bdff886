#pragma once
// Results of the logger device object's operations: 0 or a negative code,
// which CKX2Device::SetError turns into the failure text. The firmware
// transfer and the module monitor have a set of their own
// (link/FirmwareResult.h), the wake-up and the record reads answer a
// ReadResult (link/ReadResult.h).

#include <cstdint>

// clang-format 14 takes an attributed enum for a braced list and mangles it.
// clang-format off
enum class [[nodiscard]] DeviceResult : int32_t {
  kOk = 0,              // the operation succeeded
  kFailed = -1,         // it failed
  kNoResponse = -2,     // the logger did not answer the wake-up
  kNotConnected = -3,   // the port is closed; nothing was sent
  kNoMemory = -4,       // memory ran out
  kAborted = -5,        // the operator aborted the operation
  kNoImei = -6,         // the IMEI was not obtained
  kModuleSetting = -7,  // setting the communication module failed
  kNotSupported = -8,   // the logger answers but holds no network record
};
// clang-format on
