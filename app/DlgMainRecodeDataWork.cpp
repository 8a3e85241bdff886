// The Data-recording page's works, on the runner's worker thread: they touch
// no window but the progress window, and that only by posting.
#include <algorithm>
#include <new>
#include <vector>

#include "app/DlgMainRecodeData.h"
#include "app/DlgWorking.h"
#include "app/Kestrix2CommApp.h"
#include "platform/Thread.h"
#include "platform/Time.h"

WorkResult CDlgMainRecodeData::ThreadWork() {
  switch (m_nMode) {
    case kModeRecords:
      return ReadRecords();
    case kModeErrorLog:
      return ReadErrorLog();
    case kModeClear:
      return ClearData();
    default:
      return WorkResult::kDone;
  }
}

bool CDlgMainRecodeData::EscapePressed() {
  platform::Event* escape = m_escapeEvent.m_hEvent;
  if (escape == nullptr || escape->Wait(0) != platform::WaitResult::Signaled) return false;
  escape->Reset();
  return true;
}

bool CDlgMainRecodeData::Stopping() const {
  return (m_hStopEvent && m_hStopEvent->Wait(0) == platform::WaitResult::Signaled) ||
         platform::Thread::CurrentAbandoned();
}

void CDlgMainRecodeData::SendEscape() {
  CRSPort& port = theApp.m_device.m_port;
  if (!port.IsOpen()) return;
  // Outside the port lock, between two line reads: the logger must hear it
  // while the download's lines keep coming, and no purge may drop them.
  EchoToTerminal("\x1b", 1, 1);
  port.Write("\x1b", 1, 0);
}

WorkResult CDlgMainRecodeData::ReadRecords() {
  CKX2Device& device = theApp.m_device;
  CRSPort& port = device.m_port;
  m_strData.clear();

  bool started = false;
  // Never without a count: "RD ALL" with a start alone means everything from
  // there on.
  if (port.IsOpen() && m_nStartId >= 0 && m_nCount > 0) {
    for (int tries = 0; tries < kTries && !started; ++tries) {
      started = device.m_protocol.StartReadAll(&port, m_nStartId, m_nCount) == ComResult::kOk;
      if (!started) m_strData.clear();
    }
  }
  PostWorkingCommand(CDlgWorking::kSetTotal, m_nCount);
  if (!started) {
    device.SetError(DeviceResult::kFailed);
    return WorkResult::kFailed;
  }

  // A logger (or a noisy line) that never ends the data must not fill the
  // memory: the ring holds at most kMaxRecords, and the count was asked for.
  const int64_t mostLines = std::min<int64_t>(static_cast<int64_t>(m_nCount) + kExtraLines, kMaxRecords);
  uint32_t lastLine = platform::TickCount();
  bool aborted = false;
  int passes = 0;
  // Lines that were already in when the ESC went out: the logger cannot have
  // answered the abort before them, so their passes do not count. On a fast
  // line they may be thousands, on a slow one none.
  int32_t waiting = 0;
  int32_t lines = 0;
  std::string line;
  while (platform::TickCount() - lastLine <= kSilenceMs && !Stopping()) {
    if (EscapePressed()) {
      aborted = true;
      if (CReadData* buffer = port.GetReadData()) waiting = buffer->LineCount();
      SendEscape();
    }
    if (aborted && waiting > 0) {
      --waiting;
    } else if (aborted) {
      // The logger may have missed the first ESC among its own output.
      if (++passes == kEscAgainPass) SendEscape();
      if (passes > kAbortPasses) break;
    }
    // A closed port sends nothing more; waiting out the silence would only spin.
    if (!port.IsOpen()) break;
    ComResult marker = ComResult::kOk;
    const ComResult result = device.m_protocol.ReadDataLine(&port, line, &marker);
    if (result == ComResult::kDataLine) {
      if (++lines > mostLines) break;
      PostWorkingCommand(CDlgWorking::kSetCount, lines);
      try {
        m_strData += line;
      } catch (const std::bad_alloc&) {
        device.SetError(DeviceResult::kNoMemory);
        return WorkResult::kFailed;
      }
      lastLine = platform::TickCount();
    } else if (result == ComResult::kEndOfData) {
      // "NOT END" or "NG" is the answer to an abort; without one the logger
      // gave up part way, and what came is not the range asked for.
      if (marker == ComResult::kOk || aborted) return WorkResult::kDone;
      break;
    }
  }
  device.SetError(DeviceResult::kFailed);
  return WorkResult::kFailed;
}

WorkResult CDlgMainRecodeData::ReadErrorLog() {
  CKX2Device& device = theApp.m_device;
  m_strData.clear();
  if (!device.m_port.IsOpen()) {
    device.SetError(DeviceResult::kNotConnected);
    return WorkResult::kFailed;
  }
  for (int tries = 0; tries < kTries; ++tries) {
    std::vector<std::string> lines;
    if (device.m_protocol.ReadErrorLog(&device.m_port, lines) != ComResult::kOk) continue;
    // The lines as the logger sent them, each with its CR LF.
    std::string text;
    for (const std::string& l : lines) {
      text += l;
      text += "\r\n";
    }
    m_strData = std::move(text);
    return WorkResult::kDone;
  }
  device.SetError(DeviceResult::kFailed);
  return WorkResult::kFailed;
}

WorkResult CDlgMainRecodeData::ClearData() {
  CKX2Device& device = theApp.m_device;
  static_cast<void>(device.WakeUp());
  const ComResult cleared = device.m_protocol.ClearData(&device.m_port, kTries);
  // Re-read whatever the clear gave: the pages show the memory as it is.
  static_cast<void>(device.ReadSystemInfo());
  if (cleared == ComResult::kOk) return WorkResult::kDone;
  device.SetError(DeviceResult::kFailed);
  return WorkResult::kFailed;
}
