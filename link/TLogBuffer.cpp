#include "link/TLogBuffer.h"

#include <new>

CTLogBuffer::CTLogBuffer() = default;

CTLogBuffer::~CTLogBuffer() { Reset(); }

int32_t CTLogBuffer::Init() {
  {
    platform::CriticalSectionLock lock(m_csRing);
    m_nStart = m_nWrite = m_nCount = 0;
    m_arReadOut.clear();
  }
  platform::CriticalSectionLock lock(m_csRing);
  try {
    m_arEntries.resize(kEntries);
    m_arEntries.shrink_to_fit();
    // Reserved now so that a read-out never allocates while the link runs.
    m_arReadOut.reserve(kEntries);
  } catch (const std::bad_alloc&) {
    m_nStart = m_nWrite = m_nCount = 0;
    m_arReadOut.clear();
    m_arEntries.clear();
    return 0;
  }
  return 1;
}

int32_t CTLogBuffer::ReadOut() {
  platform::CriticalSectionLock lock(m_csRing);
  m_arReadOut.clear();
  const int32_t ringSize = static_cast<int32_t>(m_arEntries.size());
  const int32_t n = m_nCount < ringSize ? m_nCount : ringSize;
  int32_t copied = 0;
  try {
    for (int32_t pos = m_nStart; copied < n; ++copied) {
      m_arReadOut.push_back(m_arEntries[pos]);
      if (++pos >= ringSize) pos = 0;
    }
  } catch (const std::bad_alloc&) {
    // Whatever did not fit is dropped with the rest of the ring below.
  }
  m_nCount = 0;
  m_nStart = m_nWrite;
  return copied;
}

void CTLogBuffer::Append(const char* data, int32_t length, uint16_t mark) {
  platform::CriticalSectionLock lock(m_csRing);
  // Without a successful Init there is no ring to write into.
  if (m_arEntries.size() != static_cast<size_t>(kEntries)) return;
  const uint16_t high = static_cast<uint16_t>(mark << 8);
  for (int32_t i = 0; i < length; ++i) {
    const auto b = static_cast<unsigned char>(data[i]);
    if (b == 0) continue;
    if (m_nCount >= kEntries) {
      m_nStart = (m_nStart + 1) & (kEntries - 1);
    } else {
      ++m_nCount;
    }
    m_arEntries[static_cast<size_t>(m_nWrite)] = static_cast<uint16_t>(high | b);
    m_nWrite = (m_nWrite + 1) & (kEntries - 1);
  }
}

void CTLogBuffer::Reset() {
  platform::CriticalSectionLock lock(m_csRing);
  m_nStart = m_nWrite = m_nCount = 0;
  m_arReadOut.clear();
}

int32_t CTLogBuffer::Count() {
  platform::CriticalSectionLock lock(m_csRing);
  return m_nCount;
}
