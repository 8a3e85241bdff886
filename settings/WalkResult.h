#pragma once
// How a walk of the settings wizard ended.

// clang-format 14 takes an attributed enum for a braced list and mangles it.
// clang-format off
enum class [[nodiscard]] WalkResult {
  kCancelled = -1,  // a page was cancelled, closed without a choice or failed; or there was no page to walk
  kBackedOut = 0,   // Back on the first page
  kFinished = 1,    // Next past the last page
};
// clang-format on
