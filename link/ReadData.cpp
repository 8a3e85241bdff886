#include "link/ReadData.h"

#include <algorithm>
#include <cstdlib>
#include <new>

#include "platform/Hooks.h"
#include "platform/Time.h"

namespace {
// Longest wait on the line event between two pump calls, on a thread the pump
// serves. Short enough that the terminal stays responsive while an exchange
// waits, long enough that a 45 s wait for a reply costs next to no processor
// time. A thread no pump serves (every worker) waits in long slices: a line,
// a shut or the time-out end them early, so they only bound how late a
// change of the time scale (tests) is noticed.
constexpr uint32_t kWaitSliceMs = 5;
constexpr uint32_t kUnpumpedSliceMs = 250;
}  // namespace

CReadData::CReadData() = default;

CReadData::~CReadData() { Free(); }

int32_t CReadData::Init() { return InitCapacity(kCapacity); }

int32_t CReadData::InitCapacity(int32_t capacity) {
  Free();
  // calloc hands back untouched zero pages for a block this large, so the
  // 100 MB cost resident memory only as far as the ring is actually filled.
  // Nothing ever reads a byte that Put has not written, so the content of the
  // rest does not matter.
  char* storage = static_cast<char*>(capacity > 0 ? std::calloc(static_cast<size_t>(capacity), 1) : nullptr);
  platform::Event* lineEvent = new (std::nothrow) platform::Event(true, false);
  platform::CriticalSectionLock lock(m_csData);
  m_pData = storage;
  m_nSize = storage ? capacity : 0;
  m_pLineEvent = lineEvent;
  m_nReadPos = m_nWritePos = m_nCount = m_nColumn = m_nSkip = m_nLines = 0;
  return (m_pData && m_pLineEvent) ? 1 : 0;
}

void CReadData::Put(const char* bytes, int32_t n) {
  platform::CriticalSectionLock lock(m_csData);
  PutLocked(bytes, n);
}

void CReadData::PutUnlessFlushed(const char* bytes, int32_t n, const std::atomic<uint64_t>& flushes, uint64_t seen) {
  platform::CriticalSectionLock lock(m_csData);
  if (flushes.load() != seen) {
    // Counted all the same: the bytes did arrive, a purge only threw them away.
    if (bytes && n > 0) m_nBytesPut += n - std::count(bytes, bytes + n, '\0');
    return;
  }
  PutLocked(bytes, n);
}

// The caller holds the data lock.
void CReadData::PutLocked(const char* bytes, int32_t n) {
  if (!bytes || n <= 0) return;
  m_nBytesPut += n - std::count(bytes, bytes + n, '\0');
  if (!m_pData) return;
  int32_t option;
  {
    platform::CriticalSectionLock optionLock(m_csOption);
    option = m_nOption;
  }
  for (int32_t i = 0; i < n; ++i) {
    const char b = bytes[i];
    if (b == '\0' || b == '\r') continue;
    m_nColumn = (b == '\n') ? 0 : m_nColumn + 1;
    if (m_nSkip) {
      if (b == '\n') m_nSkip = 0;
      continue;
    }
    // The communication module echoes its traffic as lines that begin with
    // '#'; the exchanges never want them unless the module monitor asks.
    if (option && m_nColumn == 1 && b == '#') {
      m_nSkip = 1;
      continue;
    }
    if (m_nCount >= m_nSize) {
      if (m_pData[m_nReadPos] == '\n') --m_nLines;
      if (++m_nReadPos >= m_nSize) m_nReadPos = 0;
    } else {
      ++m_nCount;
    }
    m_pData[m_nWritePos] = b;
    if (++m_nWritePos >= m_nSize) m_nWritePos = 0;
    if (b == '\n') ++m_nLines;
  }
  if (m_nLines >= 1 && m_pLineEvent) m_pLineEvent->Set();
}

int32_t CReadData::ReadLine(char* buffer, int32_t size, uint32_t timeoutMs) {
  if (!buffer || size < 1) return 0;
  m_csData.Enter();
  if (m_nLines == 0) {
    platform::Event* lineEvent = m_pLineEvent;
    if (lineEvent) lineEvent->Reset();
    m_csData.Leave();
    platform::Sleep(0);
    bool got = false;
    {
      platform::CriticalSectionLock readerLock(m_csReader);
      const uint32_t start = platform::TickCount();
      got = lineEvent && lineEvent->Wait(0) == platform::WaitResult::Signaled;
      while (!got && timeoutMs != 0 && !m_bShut) {
        const uint32_t elapsed = platform::TickCount() - start;
        if (elapsed > timeoutMs) break;
        const bool pumped = platform::PumpMessages();
        const uint32_t rest = timeoutMs - elapsed;
        const uint32_t slice = std::min(pumped ? kWaitSliceMs : kUnpumpedSliceMs, rest);
        if (lineEvent) {
          got = lineEvent->Wait(slice) == platform::WaitResult::Signaled;
        } else {
          platform::Sleep(slice);
        }
      }
    }
    if (!got) {
      // Callers look at the text as well as the count; a time-out must not
      // leave the previous reply there to be matched again.
      buffer[0] = '\0';
      return 0;
    }
  } else {
    m_csData.Leave();
  }

  platform::CriticalSectionLock lock(m_csData);
  int32_t copied = 0;
  // Woken by Shut, or emptied by a Clear since the line was signalled: what
  // is held is at most the start of a line, which is no reply.
  if (m_nLines == 0) {
    buffer[0] = '\0';
    return 0;
  }
  while (copied < size - 1 && m_nCount > 0) {
    const char b = m_pData[m_nReadPos];
    --m_nCount;
    if (++m_nReadPos >= m_nSize) m_nReadPos = 0;
    if (b == '\n') {
      --m_nLines;
      break;
    }
    buffer[copied++] = b;
  }
  buffer[copied] = '\0';
  buffer[size - 1] = '\0';
  return copied;
}

void CReadData::Clear() {
  // The stale bytes stay where they are: nothing reads past the byte count,
  // and touching 100 MB on every command would cost far more than it protects.
  platform::CriticalSectionLock lock(m_csData);
  if (m_pLineEvent) m_pLineEvent->Reset();
  m_nReadPos = m_nWritePos = m_nCount = m_nColumn = m_nSkip = m_nLines = 0;
}

void CReadData::Shut(bool shut) {
  platform::CriticalSectionLock lock(m_csData);
  m_bShut = shut;
  if (shut && m_pLineEvent) m_pLineEvent->Set();
}

void CReadData::Free() {
  platform::CriticalSectionLock lock(m_csData);
  std::free(m_pData);
  m_pData = nullptr;
  m_nSize = 0;
  m_nLines = m_nReadPos = m_nWritePos = m_nCount = m_nColumn = m_nSkip = 0;
  delete m_pLineEvent;
  m_pLineEvent = nullptr;
}

void CReadData::SetOption(int32_t on) {
  {
    platform::CriticalSectionLock optionLock(m_csOption);
    m_nOption = on;
  }
  platform::CriticalSectionLock lock(m_csData);
  m_nSkip = 0;
}

int32_t CReadData::GetOption() {
  platform::CriticalSectionLock optionLock(m_csOption);
  return m_nOption;
}

int32_t CReadData::LineCount() {
  platform::CriticalSectionLock lock(m_csData);
  return m_nLines;
}

int32_t CReadData::ByteCount() {
  platform::CriticalSectionLock lock(m_csData);
  return m_nCount;
}
