#pragma once
// What the record download needs from whoever runs it: the operator's abort,
// the owner's end, and a place to show the counts. The device object calls it
// on the worker between two line reads; it must not block.

#include <cstdint>

class CDownloadProgress {
 public:
  virtual ~CDownloadProgress() = default;

  // True once for each press of the abort button: the logger gets an ESC.
  virtual bool AbortPressed() = 0;
  // True when the download must end at once, failed (its owner is going).
  virtual bool Stopping() = 0;
  // The number of records asked for, once the start was tried.
  virtual void ShowTotal(int32_t count) = 0;
  // The number of records received so far, after each one.
  virtual void ShowCount(int32_t lines) = 0;
};
