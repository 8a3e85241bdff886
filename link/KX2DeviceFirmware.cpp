// Firmware transfer and the communication module's version query: both drive
// the logger's inspection mode.

#include <string>

#include "link/KX2Device.h"
#include "link/ReadData.h"
#include "platform/Time.h"

namespace {

constexpr int32_t kTries = 3;
// An image line is retried more often than a command: a long transfer over a
// noisy cable should not fail on one garbled line.
constexpr int32_t kLineTries = 6;

}  // namespace

int32_t CKX2Device::UpdateFirmware(const std::string& image, int32_t stopFirst, int32_t initAfter) {
  if (!m_port.IsOpen()) return -3;
  if (WakeUp() != 1) return -2;

  if (stopFirst != 0 && m_protocol.StopMeasure(&m_port, 1) != 0) return -6;

  if (SendLineTries("INSPECT ON\r\n", nullptr, 5000, kTries) != 0) return -6;
  if (SendLineTries("SRAMCLR\r\n", "OK", 5000, kTries) != 0) return -6;
  if (SendLineTries("MONITOR\r\n", "OK", 5000, kTries) != 0) return -6;

  // Lines go out one by one, each confirmed before the next; the logger
  // holds only the lines before a refused one, so the transfer stops there.
  std::string line;
  std::size_t pos = 0;
  while (pos < image.size()) {
    const std::size_t end = image.find_first_of("\r\n", pos);
    const std::size_t stop = end == std::string::npos ? image.size() : end;
    if (stop > pos) {
      line.assign(image, pos, stop - pos);
      line += "\r\n";
      if (SendLineTries(line.c_str(), "OK", 10000, kLineTries) != 0) return -6;
    }
    pos = stop + 1;
  }

  int32_t weep = 1;
  for (int32_t i = 0; i < kTries && weep != 0; ++i) weep = m_protocol.SendWeep(&m_port);
  // The logger is deaf while it writes its flash.
  if (weep == 0) platform::Sleep(11000);

  // Bring the logger back whatever happened to the write, so it does not stay
  // in monitor mode.
  WakeUp();
  if (initAfter != 0) {
    if (SendLineTries("INSPECT ON\r\n", nullptr, 5000, kTries) != 0) return -6;
    SendLineTries("SYSINIT\r\n", "OK", 5000, kTries);
  }
  WakeUp();
  for (int32_t i = 0; i < kTries; ++i) {
    if (m_protocol.ResetDevice(&m_port) == 0) break;
  }
  return weep != 0 ? -7 : 0;
}

void CKX2Device::SetModuleFilter(int32_t on) {
  CReadData* data = m_port.GetReadData();
  if (data != nullptr) data->SetOption(on);
}

// One pass of the module restart: 0 the module slept and came back, 1 try
// again, -6 the logger refused the module control.
int32_t CKX2Device::ModuleVersionPass() {
  if (SendLineTries("dbg mtcoff\r\n", nullptr, 5000, kTries) != 0) return -6;
  platform::Sleep(2500);
  int32_t result = 1;
  for (int32_t i = 0; i < kTries; ++i) {
    result = m_protocol.SendCommandExpect(&m_port, "dbg mtcon\r\n", nullptr, 5000);
    if (result == 0 || result == 240) break;
  }
  if (result != 0) return -6;

  const int32_t sleep = m_protocol.WaitSleep(&m_port, 3);

  for (int32_t i = 0; i < kTries; ++i) {
    result = m_protocol.SendAndWait(&m_port, "mon\r\n", "#>RX:$WAKEUP", 2);
    if (result == 0 || result == 240) break;
  }

  if (sleep == 0) {
    // The module needs a moment after its wake-up before it takes commands.
    platform::Sleep(500);
    // The version line reaches the terminal and the traffic log; that is
    // where the operator reads it.
    for (int32_t i = 0; i < kTries; ++i) {
      result = m_protocol.SendAndWait(&m_port, "at$ver\r\n", "#>RX:$VER:", 1);
      if (result == 0 || result == 240) break;
    }
  }

  int32_t off = 1;
  for (int32_t i = 0; i < kTries; ++i) {
    off = m_protocol.SendAndWait(&m_port, "moff\r\n", nullptr, 2);
    if (off == 0) {
      m_protocol.WaitSleep(&m_port, 1);
      break;
    }
    if (off == 240) break;
  }
  return sleep == 0 && off == 0 ? 0 : 1;
}

int32_t CKX2Device::ReadModuleVersion() {
  if (!m_port.IsOpen()) return -3;
  if (WakeUp() != 1) return -2;
  if (SendLineTries("INSPECT ON\r\n", nullptr, 5000, kTries) != 0) return -6;

  // The module's own lines begin with '#', which the line buffer normally
  // drops as echo; they are the answers here. Every way out below turns the
  // filter back on.
  SetModuleFilter(0);
  int32_t result = -1;
  for (int32_t pass = 0; pass < 2; ++pass) {
    const int32_t outcome = ModuleVersionPass();
    if (outcome == 0) {
      result = 0;
      break;
    }
    if (outcome == -6) {
      result = -6;
      break;
    }
  }
  SetModuleFilter(1);
  return result;
}
