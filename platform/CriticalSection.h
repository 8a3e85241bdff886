#pragma once
// A recursive lock: the thread that holds it may take it again, so an
// operation that holds a lock may call another that takes the same lock.

#include <mutex>

namespace platform {

class CriticalSection {
 public:
  void Enter() { m_mutex.lock(); }
  void Leave() { m_mutex.unlock(); }
  bool TryEnter() { return m_mutex.try_lock(); }

 private:
  std::recursive_mutex m_mutex;
};

// Holds a critical section for one scope.
class CriticalSectionLock {
 public:
  explicit CriticalSectionLock(CriticalSection& cs) : m_cs(cs) { m_cs.Enter(); }
  ~CriticalSectionLock() { m_cs.Leave(); }
  CriticalSectionLock(const CriticalSectionLock&) = delete;
  CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;

 private:
  CriticalSection& m_cs;
};

}  // namespace platform
