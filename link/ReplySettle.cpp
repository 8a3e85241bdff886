#include "link/ReplySettle.h"

#include <algorithm>
#include <cstring>

#include "link/ComCtrlBase.h"
#include "link/RSPort.h"
#include "link/ReadData.h"
#include "platform/Hooks.h"
#include "platform/Text.h"
#include "platform/Time.h"

static_assert(CReplySettle::kMaxQuietMs == CComCtrlBase::kLongMs, "the longest single reply wait");

namespace {
// Every reply of the logger's commands ends with one of these lines, the
// wake-up's and the module's aside; those are waited for by quiet alone.
bool EndsAnAnswer(const char* line) {
  return platform::CompareNoCase(line, "YES END", 7) == 0 || platform::CompareNoCase(line, "NOT END", 7) == 0 ||
         platform::CompareNoCase(line, "NG", 3) == 0;
}
}  // namespace

void CReplySettle::Reset() {
  m_command.clear();
  m_nSends = 0;
  m_nAnswers = 0;
  m_bUnanswered = false;
  m_nQuietMs = 0;
}

void CReplySettle::BeforeSend(const std::string& command) {
  if (command == m_command) {
    ++m_nSends;
    return;
  }
  if (m_bUnanswered) WaitForQuiet();
  Reset();
  m_command = command;
  m_nSends = 1;
}

void CReplySettle::GaveUp(uint32_t timeoutMs) {
  if (!m_bUnanswered) m_nRxAtGiveUp = m_port.LastReceived();
  m_bUnanswered = true;
  m_nQuietMs = std::max(m_nQuietMs, std::max<uint32_t>(1, std::min(timeoutMs, kMaxQuietMs)));
}

void CReplySettle::LineRead(const char* line) {
  if (EndsAnAnswer(line)) ++m_nAnswers;
}

uint32_t CReplySettle::QuietFor(uint32_t now) const {
  return std::min(now - m_port.LastReceived(), now - m_port.LastSent());
}

void CReplySettle::WaitForQuiet() {
  const bool slow = m_port.LastReceived() != m_nRxAtGiveUp;
  const uint32_t quietMs = slow ? 2 * m_nQuietMs : m_nQuietMs;
  // Chatter that never pauses (the module's own lines) must not hold the
  // next command longer than a settle after the time-out ever did.
  const uint32_t boundMs = 2 * m_nQuietMs;
  const uint32_t start = platform::TickCount();
  // The late lines are read here, so that their end markers count; the
  // command's own write would discard them anyway.
  char line[256];
  while (m_port.IsOpen() && m_nAnswers < m_nSends) {
    const uint32_t now = platform::TickCount();
    const uint32_t quiet = QuietFor(now);
    const uint32_t waited = now - start;
    if (quiet >= quietMs || waited >= boundMs) break;
    ReadReply(&m_port, line, sizeof line, std::min(quietMs - quiet, boundMs - waited));
  }
}

int32_t ReadReply(CRSPort* port, char* buffer, int32_t size, uint32_t timeoutMs) {
  const int32_t n = port->GetReadData()->ReadLine(buffer, size, timeoutMs);
  if (n > 0) port->Settle().LineRead(buffer);
  platform::PumpMessages();
  return n;
}

int32_t ReadAnswer(CRSPort* port, char* buffer, int32_t size, uint32_t timeoutMs) {
  const uint32_t start = platform::TickCount();
  const int32_t n = ReadReply(port, buffer, size, timeoutMs);
  // An answer, a closed port, or an empty line (which counts as none but
  // comes before the time-out) leaves nothing on its way.
  if (n <= 0 && port->IsOpen() && platform::TickCount() - start >= timeoutMs) port->Settle().GaveUp(timeoutMs);
  return n;
}

bool SendCommandLine(CRSPort* port, const char* command, int32_t length) {
  if (length == 0) length = static_cast<int32_t>(std::strlen(command));
  port->Settle().BeforeSend(std::string(command, static_cast<std::size_t>(length)));
  EchoToTerminal(command, length, 1);
  return port->Write(command, length, 1) == 1;
}
