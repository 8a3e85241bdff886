#pragma once
// Result of a background operation's run (CKXCWorkingThread::Run): the
// work's result, or kBusy when the run did not start because another logger
// operation was running. A busy refusal did nothing, so it is neither a
// success nor the work's failure: nothing was sent and no text was set.

#include "app/WorkResult.h"

// clang-format 14 takes an attributed enum for a braced list and mangles it.
// clang-format off
enum class [[nodiscard]] RunResult : int {
  kBusy = -1,
  kFailed = 0,
  kDone = 1,
};
// clang-format on

// The runner hands the work's result on as the run's.
constexpr RunResult RunResultOf(WorkResult work) {
  return work == WorkResult::kDone ? RunResult::kDone : RunResult::kFailed;
}
