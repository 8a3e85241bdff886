// The communication module's exchanges: each command is answered "OK" at
// once, then the module works (reaches its server, sends, reads its SIM) and
// ends with "YES END".

#include "link/KX2Device.h"

namespace {
// The module may need most of a minute to reach the time server or to send.
constexpr uint32_t kTimeSyncOkMs = 10000;
constexpr uint32_t kModuleEndMs = 60000;
}  // namespace

DeviceResult CKX2Device::SyncServerTime() {
  if (!m_port.IsOpen()) return DeviceResult::kNotConnected;
  if (m_protocol.SendCommandExpect(&m_port, "MAIL TIME\r\n", "OK", kTimeSyncOkMs) != ComResult::kOk) {
    return DeviceResult::kFailed;
  }
  // The lines between "OK" and "YES END" are the module's progress; only the
  // end marker tells.
  if (m_protocol.QueryLines(&m_port, nullptr, nullptr, kModuleEndMs) != ComResult::kOk) return DeviceResult::kFailed;
  return DeviceResult::kOk;
}

DeviceResult CKX2Device::SendTestMail() {
  if (!m_port.IsOpen()) return DeviceResult::kNotConnected;
  if (m_protocol.SendCommandExpect(&m_port, "MAIL START\r\n", "OK", CComCtrlBase::kShortMs) != ComResult::kOk ||
      m_protocol.QueryLines(&m_port, nullptr, nullptr, kModuleEndMs) != ComResult::kOk) {
    return DeviceResult::kFailed;
  }
  return DeviceResult::kOk;
}

DeviceResult CKX2Device::ReadImei(std::string& digits) {
  if (!m_port.IsOpen()) return DeviceResult::kNotConnected;
  char buffer[50] = {};
  if (m_protocol.ReadImei(&m_port, buffer) != ComResult::kOk) return DeviceResult::kFailed;
  digits = buffer;
  // A module without its SIM answers the exchange without a number; that is
  // the one case the IMEI message was made for.
  return digits.empty() ? DeviceResult::kNoImei : DeviceResult::kOk;
}
