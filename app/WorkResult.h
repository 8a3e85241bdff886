#pragma once
// Result of a background operation's work (CKXCWorkingThread::ThreadWork):
// done or failed. A failed work has put its text, where it has one, into the
// device object (CKX2Device::SetError).

enum class WorkResult : int {
  kFailed = 0,
  kDone = 1,
};
