#include "app/RingLogBuffer.h"

#include <new>

int32_t CRingLogBuffer::Resize(int32_t n) {
  m_nHead = 0;
  m_nCount = 0;
  m_nCapacity = 0;
  m_pLines.reset();
  if (n < 0) return 0;
  if (n == 0) return 1;
  m_pLines.reset(new (std::nothrow) CLogData[static_cast<size_t>(n)]);
  if (!m_pLines) return 0;
  m_nCapacity = n;
  return 1;
}

CLogData& CRingLogBuffer::At(int32_t i) { return m_pLines[static_cast<size_t>((m_nHead + i) % m_nCapacity)]; }

const CLogData& CRingLogBuffer::At(int32_t i) const {
  return m_pLines[static_cast<size_t>((m_nHead + i) % m_nCapacity)];
}

void CRingLogBuffer::Push(const CLogData& line) {
  if (m_nCapacity <= 0) return;
  if (m_nHead + m_nCount < m_nCapacity) {
    m_pLines[static_cast<size_t>(m_nHead + m_nCount)].Copy(line);
    ++m_nCount;
  } else {
    m_pLines[static_cast<size_t>((m_nHead + m_nCount) % m_nCapacity)].Copy(line);
    m_nHead = (m_nHead + 1) % m_nCapacity;
  }
}
