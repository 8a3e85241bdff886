#include "link/ReplySettle.h"

#include <algorithm>

#include "link/RSPort.h"
#include "link/ReadData.h"
#include "platform/Hooks.h"
#include "platform/Time.h"

CReplySettle::CReplySettle(CRSPort* port, uint32_t timeoutMs)
    : m_port(port),
      m_start(platform::TickCount()),
      m_quietMs(std::max<uint32_t>(1, std::min(timeoutMs, kMaxQuietMs))),
      m_boundMs(2 * m_quietMs) {}

uint32_t CReplySettle::QuietFor(uint32_t now) const {
  // Bytes before the settle began belong to the wait that ran out.
  return std::min(now - m_start, now - m_port->LastReceived());
}

bool CReplySettle::Listening() const {
  if (m_port == nullptr || !m_port->IsOpen()) return false;
  const uint32_t now = platform::TickCount();
  return now - m_start < m_boundMs && QuietFor(now) < m_quietMs;
}

uint32_t CReplySettle::NextWaitMs() const {
  const uint32_t now = platform::TickCount();
  const uint32_t passed = now - m_start;
  const uint32_t quiet = QuietFor(now);
  const uint32_t toQuiet = quiet < m_quietMs ? m_quietMs - quiet : 0;
  const uint32_t toBound = passed < m_boundMs ? m_boundMs - passed : 0;
  return std::max<uint32_t>(1, std::min(toQuiet, toBound));
}

int32_t ReadReply(CRSPort* port, char* buffer, int32_t size, uint32_t timeoutMs) {
  const int32_t n = port->GetReadData()->ReadLine(buffer, size, timeoutMs);
  platform::PumpMessages();
  return n;
}

int32_t ReadAnswer(CRSPort* port, char* buffer, int32_t size, uint32_t timeoutMs) {
  const uint32_t start = platform::TickCount();
  int32_t n = ReadReply(port, buffer, size, timeoutMs);
  // An answer, a closed port, or an empty line (which counts as none but
  // comes before the time-out): nothing to settle.
  if (n > 0 || !port->IsOpen() || platform::TickCount() - start <= timeoutMs) return n;
  for (const CReplySettle settle(port, timeoutMs); settle.Listening();) {
    n = ReadReply(port, buffer, size, settle.NextWaitMs());
    if (n > 0) return n;
  }
  buffer[0] = '\0';
  return 0;
}
