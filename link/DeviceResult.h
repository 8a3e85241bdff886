#pragma once
// Results of the logger device object's operations: 0 or a negative code,
// which CKX2Device::SetError turns into the failure text. WakeUp,
// ReadSystemInfo and ReadMailInfo are the exception: they answer 1 (done) or
// 0 (not done).

#include <cstdint>

struct DeviceResult {
  enum Code : int32_t {
    kOk = 0,              // the operation succeeded
    kFailed = -1,         // it failed (every other negative code shows the same text)
    kNoResponse = -2,     // the logger did not answer the wake-up
    kNotConnected = -3,   // the port is closed; nothing was sent
    kNoMemory = -4,       // memory ran out
    kAborted = -5,        // the operator aborted the operation
    kNoImei = -6,         // the IMEI was not obtained
    kStepFailed = -6,     // firmware transfer, module query: a step of the sequence failed (same code)
    kModuleSetting = -7,  // setting the communication module failed
    kImageWrite = -7,     // firmware transfer: the final write of the image failed (same code)
  };
};
