// The setting items of one command each (reset, battery alarm, rain depth
// per count) and the reset of the logger's rain count.

#include "link/KX2Device.h"
#include "link/KX2SysInfo.h"
#include "platform/Numbers.h"
#include "platform/Time.h"

namespace {
// A logger busy with another line answers that first; a moment later it
// takes the next try.
constexpr uint32_t kClearRainPauseMs = 100;
}  // namespace

DeviceResult CKX2Device::ResetLogger() {
  if (!m_port.IsOpen()) return DeviceResult::kNotConnected;
  if (Retry(kTries, [&] { return m_protocol.ResetDevice(&m_port); }) != ComResult::kOk) return DeviceResult::kFailed;
  return DeviceResult::kOk;
}

DeviceResult CKX2Device::WriteBatteryAlarm() {
  if (!m_port.IsOpen()) return DeviceResult::kNotConnected;
  const int32_t millivolts = m_workEdit.m_sysInfo.m_nBatteryStop;
  const ComResult result = Retry(kTries, [&] { return m_protocol.SetBatteryAlarm(&m_port, millivolts); });
  return result == ComResult::kOk ? DeviceResult::kOk : DeviceResult::kFailed;
}

DeviceResult CKX2Device::WriteRainPerCount() {
  // The logger keeps two decimals: values that read the same there are the
  // same. A closed port needs no test of its own; every try fails at once.
  const std::string edited = platform::FormatFixed(m_workEdit.m_sysInfo.m_dRainPerCount, 2);
  if (edited == platform::FormatFixed(m_workRead.m_sysInfo.m_dRainPerCount, 2)) return DeviceResult::kOk;
  const std::string command = "RCAL " + edited + "\r\n";
  const ComResult result = Retry(
      kTries, [&] { return m_protocol.SendCommandExpect(&m_port, command.c_str(), nullptr, CComCtrlBase::kShortMs); });
  return result == ComResult::kOk ? DeviceResult::kOk : DeviceResult::kFailed;
}

DeviceResult CKX2Device::ClearRainCount() {
  if (!m_port.IsOpen()) return DeviceResult::kNotConnected;
  if (WakeUp() != ReadResult::kDone) return DeviceResult::kNoResponse;
  const ComResult result = Retry(kTries, [&] {
    const ComResult cleared = m_protocol.ClearRain(&m_port);
    if (cleared == ComResult::kOtherReply) platform::Sleep(kClearRainPauseMs);
    return cleared;
  });
  return result == ComResult::kOk ? DeviceResult::kOk : DeviceResult::kFailed;
}
