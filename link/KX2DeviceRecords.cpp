// The logger's memory: the record download, the error log and the clear.

#include <algorithm>
#include <new>
#include <vector>

#include "link/DownloadProgress.h"
#include "link/KX2Device.h"
#include "link/ReadData.h"
#include "platform/Time.h"

DeviceResult CKX2Device::ReadRecords(int32_t start, int32_t count, std::string& text, CDownloadProgress& progress) {
  text.clear();
  bool started = false;
  // Never without a count: "RD ALL" with a start alone means everything from
  // there on.
  if (m_port.IsOpen() && start >= 0 && count > 0) {
    started = Retry(kTries, [&] { return m_protocol.StartReadAll(&m_port, start, count); }) == ComResult::kOk;
  }
  progress.ShowTotal(count);
  if (!started) return DeviceResult::kFailed;

  // A logger (or a noisy line) that never ends the data must not fill the
  // memory: the ring holds at most kMaxRecords, and the count was asked for.
  const int64_t mostLines = std::min<int64_t>(static_cast<int64_t>(count) + kExtraLines, kMaxRecords);
  uint32_t lastLine = platform::TickCount();
  bool aborted = false;
  int32_t passes = 0;
  // Lines that were already in when the ESC went out: the logger cannot have
  // answered the abort before them, so their passes do not count. On a fast
  // line they may be thousands, on a slow one none.
  int32_t waiting = 0;
  int32_t lines = 0;
  std::string line;
  while (platform::TickCount() - lastLine <= kSilenceMs && !progress.Stopping()) {
    if (progress.AbortPressed()) {
      aborted = true;
      if (CReadData* buffer = m_port.GetReadData()) waiting = buffer->LineCount();
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
    if (!m_port.IsOpen()) break;
    ComResult marker = ComResult::kOk;
    const ComResult result = m_protocol.ReadDataLine(&m_port, line, &marker);
    if (result == ComResult::kDataLine) {
      if (++lines > mostLines) break;
      progress.ShowCount(lines);
      try {
        text += line;
      } catch (const std::bad_alloc&) {
        return DeviceResult::kNoMemory;
      }
      lastLine = platform::TickCount();
    } else if (result == ComResult::kEndOfData) {
      // "NOT END" or "NG" is the answer to an abort; without one the logger
      // gave up part way, and what came is not the range asked for.
      if (marker == ComResult::kOk || aborted) return DeviceResult::kOk;
      break;
    }
  }
  return DeviceResult::kFailed;
}

void CKX2Device::SendEscape() {
  if (!m_port.IsOpen()) return;
  // The logger must hear it while the download's lines keep coming, and no
  // purge may drop them.
  EchoToTerminal("\x1b", 1, 1);
  m_port.Write("\x1b", 1, 0);
}

DeviceResult CKX2Device::ReadErrorLog(std::string& text) {
  text.clear();
  if (!m_port.IsOpen()) return DeviceResult::kNotConnected;
  std::vector<std::string> lines;
  const ComResult result = Retry(kTries, [&] {
    lines.clear();
    return m_protocol.ReadErrorLog(&m_port, lines);
  });
  if (result != ComResult::kOk) return DeviceResult::kFailed;
  // The lines as the logger sent them, each with its CR LF.
  for (const std::string& l : lines) {
    text += l;
    text += "\r\n";
  }
  return DeviceResult::kOk;
}

DeviceResult CKX2Device::ClearData() {
  // The logger may be asleep; the clear's own answer tells whether it woke.
  static_cast<void>(WakeUp());
  const ComResult cleared = m_protocol.ClearData(&m_port, kTries);
  // Re-read whatever the clear gave: the pages show the memory as it is.
  static_cast<void>(ReadSystemInfo());
  return cleared == ComResult::kOk ? DeviceResult::kOk : DeviceResult::kFailed;
}
