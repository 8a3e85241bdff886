#pragma once
// Results of the two operations that drive the logger's inspection mode, the
// firmware transfer and the module monitor (CKX2Device::UpdateFirmware,
// ReadModuleVersion). Their -6 and -7 are not the device object's IMEI and
// module-setting failures, so they have no text of their own: the caller
// shows its own. CKX2Device::SetError takes the others to the device object's
// texts.

#include <cstdint>

// clang-format 14 takes an attributed enum for a braced list and mangles it.
// clang-format off
enum class [[nodiscard]] FirmwareResult : int32_t {
  kOk = 0,
  kFailed = -1,        // module monitor: the module did not come back within two passes
  kNoResponse = -2,    // the logger did not answer the wake-up
  kNotConnected = -3,  // the port is closed, or the link went during the operation
  kStepFailed = -6,    // a step of the sequence failed (also an image line refused six times)
  kImageWrite = -7,    // firmware transfer: the final write of the image failed
};
// clang-format on
