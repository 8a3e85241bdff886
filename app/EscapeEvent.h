#pragma once
// The cancel event of a background operation: the progress window's abort
// button sets it, and the work polls it between exchanges (a cancellable
// send hands it to the protocol layer).

#include "platform/Event.h"

class CEscapeEvent {
 public:
  CEscapeEvent() = default;
  virtual ~CEscapeEvent() { delete m_hEvent; }
  CEscapeEvent(const CEscapeEvent&) = delete;
  CEscapeEvent& operator=(const CEscapeEvent&) = delete;

  // Manual-reset; made at the first cancellable run and kept for later runs.
  platform::Event* m_hEvent = nullptr;
};
