#pragma once
// Result of a background operation's work (CKXCWorkingThread::ThreadWork):
// done or failed. A failed work has put its text, where it has one, into the
// device object (CKX2Device::SetError).

// clang-format 14 takes an attributed enum for a braced list and mangles it.
// clang-format off
enum class [[nodiscard]] WorkResult : int {
  kFailed = 0,
  kDone = 1,
};
// clang-format on
