#include "platform/Thread.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "platform/Event.h"

namespace platform {

struct Thread::State {
  Body body;
  Event started{true, false};
  Event ended{true, false};
  std::atomic<uint32_t> exitCode{0};
  std::atomic<bool> abandoned{false};
  std::atomic<bool> resumed{false};
  std::atomic<bool> skipBody{false};
  std::atomic<pid_t> tid{0};
  Event tidKnown{true, false};
  std::mutex joinLock;  // Join may be called from more than one thread
  std::thread thread;
};

namespace {
thread_local Thread::State* t_current = nullptr;
}

Thread::Thread() = default;

Thread::~Thread() {
  if (!m_state) return;
  // An owner destroyed by its own worker cannot wait for itself: the thread
  // keeps its state alive and ends on its own.
  if (t_current == m_state.get()) {
    std::lock_guard<std::mutex> lock(m_state->joinLock);
    if (m_state->thread.joinable()) m_state->thread.detach();
    return;
  }
  if (!m_state->resumed) m_state->skipBody = true;  // never started: end without running the body
  m_state->started.Set();
  Join();
}

bool Thread::Create(Body body, std::function<void()> onEnded) {
  if (m_state) return false;
  auto state = std::make_shared<State>();
  state->body = std::move(body);
  try {
    // The thread keeps its own reference, so an abandoned thread can end safely.
    state->thread = std::thread([state, onEnded = std::move(onEnded)] {
      t_current = state.get();
      state->tid = static_cast<pid_t>(::syscall(SYS_gettid));
      state->tidKnown.Set();
      // Resume or the destructor sets it; a wait without a limit ends only so.
      static_cast<void>(state->started.Wait(kInfinite));
      if (!state->skipBody && state->body) state->exitCode = state->body();
      state->body = nullptr;
      state->ended.Set();
      if (onEnded) onEnded();
    });
  } catch (...) {
    return false;
  }
  m_state = std::move(state);
  return true;
}

void Thread::Resume() {
  if (!m_state) return;
  m_state->resumed = true;
  m_state->started.Set();
}

bool Thread::SetPriorityHighest() {
  if (!m_state) return false;
  // The id is known once the new thread has run its first lines, which it
  // does even while suspended. A wait without a limit ends only signalled.
  static_cast<void>(m_state->tidKnown.Wait(kInfinite));
  const pid_t tid = m_state->tid.load();
  if (tid == 0) return false;
  // Linux threads have their own nice value; lowering it needs privilege,
  // which we silently do without.
  return ::setpriority(PRIO_PROCESS, static_cast<id_t>(tid), -10) == 0;
}

bool Thread::Join(uint32_t ms) {
  if (!m_state) return true;
  if (t_current == m_state.get()) return false;  // a thread never sees its own end
  if (m_state->ended.Wait(ms) != WaitResult::Signaled) return false;
  std::lock_guard<std::mutex> lock(m_state->joinLock);
  if (m_state->thread.joinable()) m_state->thread.join();
  return true;
}

bool Thread::IsRunning() const { return m_state && m_state->ended.Wait(0) != WaitResult::Signaled; }

uint32_t Thread::ExitCode() const { return m_state ? m_state->exitCode.load() : 0; }

void Thread::Abandon() {
  if (!m_state) return;
  m_state->abandoned = true;
  if (!m_state->resumed) m_state->skipBody = true;
  m_state->started.Set();
  {
    std::lock_guard<std::mutex> lock(m_state->joinLock);
    if (m_state->thread.joinable()) m_state->thread.detach();
  }
  m_state.reset();
}

bool Thread::CurrentAbandoned() { return t_current && t_current->abandoned.load(); }

}  // namespace platform
