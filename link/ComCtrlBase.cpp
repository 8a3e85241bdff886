#include "link/ComCtrlBase.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "link/RSPort.h"
#include "link/ReadData.h"
#include "link/ReplySettle.h"
#include "link/SdlTime.h"
#include "platform/CriticalSection.h"
#include "platform/Hooks.h"
#include "platform/Text.h"
#include "platform/Time.h"

namespace {

constexpr const char* kYesEnd = "YES END";
constexpr const char* kNotEnd = "NOT END";
// Bounds of the drain after a wake-up: banners are a handful of lines.
constexpr int32_t kDrainLines = 100;
constexpr uint32_t kDrainMs = 2000;

// The expected text as the logger layer keeps it: at most 99 characters, and
// "YES END" when the caller gives none.
void CopyExpected(char (&out)[100], const char* expected) {
  std::snprintf(out, sizeof out, "%s", expected ? expected : kYesEnd);
}

bool Matches(const char* line, const char* expected) {
  return platform::CompareNoCase(line, expected, std::strlen(expected)) == 0;
}

}  // namespace

CComCtrlBase::CComCtrlBase() = default;

CComCtrlBase::~CComCtrlBase() = default;

ComResult CComCtrlBase::WakeUp(CRSPort* port, char* reply, int32_t* length) {
  static const char kHello[] = "\r\nHELLO\r\n";
  if (port == nullptr) return ComResult::kFailed;
  platform::CriticalSectionLock lock(port->PortLock());
  if (!port->IsOpen()) return ComResult::kFailed;

  ComResult result = ComResult::kFailed;
  char line[100];
  if (SendCommandLine(port, kHello, 9)) {
    if (!port->IsOpen()) return ComResult::kNoWakeUp;
    if (ReadAnswer(port, line, sizeof line, kLineMs) <= 0) {
      result = ComResult::kNoWakeUp;
    } else if (std::strncmp(line, "WAKE", 4) != 0) {
      result = ComResult::kOtherReply;
    } else {
      result = ComResult::kOk;
      // The line after "WAKE" carries the identification and the version.
      int32_t got = 0;
      if (reply != nullptr && length != nullptr && *length > 0) {
        got = ReadReply(port, reply, *length, 500);
      }
      if (length != nullptr) *length = got;
    }
  }
  // The logger may add banner lines after its wake-up answer; they must not
  // be left for the next command's reply. A logger that never falls silent
  // (a line at least every 100 ms) would otherwise hold the exchange and the
  // port lock for ever; whatever it sends past the bound goes with the next
  // command's purge.
  const uint32_t drainStart = platform::TickCount();
  for (int32_t lines = 0; lines < kDrainLines && port->IsOpen(); ++lines) {
    if (platform::TickCount() - drainStart >= kDrainMs) break;
    if (ReadReply(port, line, sizeof line, 100) == 0) break;
  }
  return result;
}

ComResult CComCtrlBase::ResetDevice(CRSPort* port) { return SendCommandExpect(port, "ST RES\r\n", nullptr, kShortMs); }

ComResult CComCtrlBase::SetRss(CRSPort* port, int32_t value) {
  char command[50];
  std::snprintf(command, sizeof command, "ST RSS %d\r\n", value);
  return SendCommandExpect(port, command, nullptr, kShortMs);
}

ComResult CComCtrlBase::SetIdleTime(CRSPort* port, int32_t value) {
  char command[50];
  std::snprintf(command, sizeof command, "ST IDL %02d\r\n", value % 61);
  return SendCommandExpect(port, command, nullptr, kShortMs);
}

ComResult CComCtrlBase::SetSampling(CRSPort* port, int32_t& interval) {
  const int32_t s = interval;
  char text[32];
  std::snprintf(text, sizeof text, "D%02dH%02dM%02dS%02d", s / 86400 % 100, s / 3600 % 24, s / 60 % 60, s % 60);
  char command[50];
  std::snprintf(command, sizeof command, "ST SMP %s\r\n", text);
  return SendCommand(port, command, kLongMs);
}

ComResult CComCtrlBase::SetStartTime(CRSPort* port, const CSdlTime& start) {
  // The logger takes the start to the minute; its seconds are its own.
  char text[32];
  std::snprintf(text, sizeof text, "%02d/%02d/%02d %02d:%02d", start.m_nYear % 100, start.m_nMonth % 100,
                start.m_nDay % 100, start.m_nHour % 24, start.m_nMinute % 60);
  char command[50];
  std::snprintf(command, sizeof command, "ST STM %s\r\n", text);
  return SendCommand(port, command, kLongMs);
}

ComResult CComCtrlBase::StartNow(CRSPort* port) { return SendCommand(port, "ST STM\r\n", kLongMs); }

ComResult CComCtrlBase::StopMeasure(CRSPort* port, int32_t n) {
  // A logger in the middle of a measurement answers only when it is done; the
  // caller says how many measurement lengths to allow. Computed wide so a
  // large n saturates instead of wrapping round to a short wait.
  const uint64_t wait = static_cast<uint64_t>(n < 1 ? 1 : n) * kLongMs;
  const uint32_t timeoutMs = wait > platform::kInfinite ? platform::kInfinite : static_cast<uint32_t>(wait);
  return SendCommand(port, "ST STP\r\n", timeoutMs);
}

ComResult CComCtrlBase::ReadAll(CRSPort* port, int32_t first, int32_t last, char* reply, int32_t size) {
  if (port == nullptr || reply == nullptr || size < 1) return ComResult::kFailed;
  char command[200];
  const int len = std::snprintf(command, sizeof command, "RD ALL %d %d\r\n", first, last);
  platform::CriticalSectionLock lock(port->PortLock());
  if (!port->IsOpen()) return ComResult::kFailed;
  if (!SendCommandLine(port, command, len)) return ComResult::kFailed;
  if (!port->IsOpen()) return ComResult::kFailed;
  if (ReadAnswer(port, reply, size, kLineMs) <= 0) return ComResult::kFailed;
  return std::strstr(reply, "END") == nullptr ? ComResult::kOk : ComResult::kFailed;
}

ComResult CComCtrlBase::ReadAllNext(CRSPort* port, char* reply, int32_t size) {
  if (port == nullptr || reply == nullptr || size < 1) return ComResult::kFailed;
  platform::CriticalSectionLock lock(port->PortLock());
  if (!port->IsOpen()) return ComResult::kFailed;
  if (ReadReply(port, reply, size, kLineMs) <= 0) return ComResult::kFailed;
  if (std::strstr(reply, "END") == nullptr) return ComResult::kOk;
  return std::strstr(reply, kNotEnd) != nullptr ? ComResult::kNotEnd : ComResult::kEnd;
}

ComResult CComCtrlBase::ClearData(CRSPort* port, int32_t tries) {
  if (port == nullptr) return ComResult::kFailed;
  if (tries < 1) return ComResult::kOk;
  for (int32_t i = 0; i < tries; ++i) {
    if (SendCommand(port, "ST CLR\r\n", kLongMs) == ComResult::kOk) return ComResult::kOk;
  }
  return ComResult::kFailed;
}

ComResult CComCtrlBase::SendCommand(CRSPort* port, const char* command, uint32_t timeoutMs) {
  return SendCommandExpect(port, command, nullptr, timeoutMs);
}

ComResult CComCtrlBase::SendCommandExpect(CRSPort* port, const char* command, const char* expected,
                                          uint32_t timeoutMs) {
  if (port == nullptr || command == nullptr) return ComResult::kFailed;
  char expect[100];
  CopyExpected(expect, expected);

  platform::CriticalSectionLock lock(port->PortLock());
  if (!port->IsOpen()) return ComResult::kFailed;
  if (!SendCommandLine(port, command)) return ComResult::kFailed;
  if (!port->IsOpen()) return ComResult::kFailed;
  char line[256];
  if (ReadAnswer(port, line, sizeof line, timeoutMs) <= 0) return ComResult::kFailed;
  if (Matches(line, expect)) return ComResult::kOk;
  if (platform::CompareNoCase(line, kNotEnd, 7) == 0) return ComResult::kNotEnd;
  return ComResult::kOtherReply;
}

ComResult CComCtrlBase::SendCommandCancelable(CRSPort* port, const char* command, platform::Event* cancel,
                                              uint32_t overallMs) {
  return SendCommandExpectCancelable(port, command, nullptr, cancel, overallMs);
}

ComResult CComCtrlBase::SendCommandExpectCancelable(CRSPort* port, const char* command, const char* expected,
                                                    platform::Event* cancel, uint32_t overallMs) {
  if (port == nullptr || command == nullptr) return ComResult::kFailed;
  char expect[100];
  CopyExpected(expect, expected);
  // The overall time counts from the call, time spent waiting for the port
  // included.
  const uint32_t start = platform::TickCount();

  platform::CriticalSectionLock lock(port->PortLock());
  if (!port->IsOpen()) return ComResult::kFailed;
  if (!SendCommandLine(port, command)) return ComResult::kFailed;

  auto cancelled = [cancel] { return cancel != nullptr && cancel->Wait(0) != platform::WaitResult::Timeout; };
  char line[256];
  ComResult result = ComResult::kFailed;
  for (int passes = 0;;) {
    if (platform::TickCount() - start > overallMs) {
      result = ComResult::kTimedOut;
      break;
    }
    if (!port->IsOpen()) return ComResult::kFailed;
    const int32_t n = ReadReply(port, line, sizeof line, kLineMs);
    if (n > 0) return Matches(line, expect) ? ComResult::kOk : ComResult::kOtherReply;
    if (cancelled()) {
      result = ComResult::kCancelled;
      break;
    }
    if (++passes >= 100) break;
  }
  // The answer may still come, cancelled or not: the next command waits for it.
  if (!port->IsOpen()) return result == ComResult::kCancelled ? result : ComResult::kFailed;
  port->Settle().GaveUp(overallMs);
  return result;
}

// Logger text of unknown encoding is shown, never dropped: ill-formed bytes
// become U+FFFD.
std::string CComCtrlBase::GetTextField() const {
  return platform::ToValidUtf8(std::string_view(m_szId, strnlen(m_szId, sizeof m_szId)));
}
