#pragma once
// Results of CRSPort::Open and CKX2Device::OpenPort.

#include <cstdint>

// clang-format 14 takes an attributed enum for a braced list and mangles it.
// clang-format off
enum class [[nodiscard]] PortOpenResult : int32_t {
  kOpened = 0,             // opened, or already open with the same name and settings
  kCannotCreate = 241,     // the port, its write event or its line buffer cannot be created (absent or in use)
  kSetupRejected = 242,    // queue sizes, time-outs, baud rate or parity rejected; closed again
  kStateUnreadable = 243,  // the port's line state cannot be read; closed again
};
// clang-format on
