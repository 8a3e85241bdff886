#pragma once
// A thread that is created suspended and started by Resume, with an exit code
// and a "still running" query.
//
// A thread that does not end in time is never killed (that would leave locks
// held and memory torn). Abandon() detaches it instead and raises its
// abandoned flag; the thread runs on alone, its state stays alive until it
// ends, and code that may outlive its owner polls Thread::CurrentAbandoned()
// to leave early.

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/Time.h"

namespace platform {

class Thread {
 public:
  using Body = std::function<uint32_t()>;

  Thread();
  ~Thread();  // joins a thread still running (after Resume), unless abandoned
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // Creates the thread suspended: the body runs only after Resume. onEnded,
  // when given, runs last on the thread, once IsRunning already says it has
  // ended: a waiter can be woken without racing the end it waits for.
  bool Create(Body body, std::function<void()> onEnded = {});
  void Resume();
  // Raises the thread's priority where the OS allows it; otherwise keeps it.
  // Returns whether it was raised.
  bool SetPriorityHighest();

  // Waits up to ms scaled milliseconds for the end (kInfinite: no limit).
  bool Join(uint32_t ms = kInfinite);
  bool IsCreated() const { return static_cast<bool>(m_state); }
  bool IsRunning() const;  // created and not yet ended (a suspended thread counts)
  uint32_t ExitCode() const;

  // Detach-and-flag in place of termination (see above). The object forgets
  // the thread afterwards.
  void Abandon();
  // True on a thread whose Thread object abandoned it.
  static bool CurrentAbandoned();

  struct State;

 private:
  std::shared_ptr<State> m_state;
};

}  // namespace platform
