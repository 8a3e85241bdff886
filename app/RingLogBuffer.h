#pragma once
// A fixed-capacity ring of terminal lines: once full, every new line
// overwrites the oldest in place. The terminal keeps its display lines and
// its input history in two of them.

#include <cstdint>
#include <memory>

#include "app/LogData.h"

class CRingLogBuffer {
 public:
  CRingLogBuffer() = default;
  virtual ~CRingLogBuffer() = default;
  CRingLogBuffer(const CRingLogBuffer&) = delete;
  CRingLogBuffer& operator=(const CRingLogBuffer&) = delete;

  // n empty lines; 1, or 0 when they cannot be allocated (the ring is then
  // empty with no capacity, and pushing does nothing).
  int32_t Resize(int32_t n);
  // The line i places after the oldest (0 <= i < count).
  CLogData& At(int32_t i);
  const CLogData& At(int32_t i) const;
  // Copies the line into the next slot, over the oldest once the ring is full.
  void Push(const CLogData& line);

  int32_t GetCount() const { return m_nCount; }
  int32_t GetCapacity() const { return m_nCapacity; }

 private:
  int32_t m_nHead = 0;
  int32_t m_nCount = 0;
  int32_t m_nCapacity = 0;
  std::unique_ptr<CLogData[]> m_pLines;
};
