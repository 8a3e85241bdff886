#pragma once
// Bits of the failure masks that the device object's setting writes return:
// one bit per step that still failed after all its tries. The wizard pages
// name the failed steps from them in the failure text.

#include <cstdint>

struct WriteFailMask {
  // CKX2Device::WriteRainAlarms: the text and the on/off switch of each of
  // the two rain criteria.
  enum RainAlarm : int32_t {
    kAlarm1Text = 4,
    kAlarm1Switch = 8,
    kAlarm2Text = 16,
    kAlarm2Switch = 32,
  };
  // CKX2Device::WriteMeasureSettings, in the order the steps go out.
  enum Measure : uint16_t {
    kSampling = 1,        // "ST SMP"
    kSendCount = 2,       // "ST ITV"
    kSamplingEvent = 4,   // "ST SMP2"
    kSendCountEvent = 8,  // "ST ITV2"
    kStop = 16,           // "ST STP"
    kStart = 32,          // "ST STM"
  };
  // CKX2Device::WriteNetworkSettings: one per module key.
  enum Network : uint16_t {
    kApn = 1,       // "MAIL APN"
    kUser = 2,      // "MAIL APU"
    kPassword = 4,  // "MAIL APP"
    kAuth = 8,      // "MAIL APA"
  };
};
