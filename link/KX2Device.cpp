// Connection, reads and results of the logger device object.

#include "link/KX2Device.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <vector>

#include "link/KX2MailInfo.h"
#include "link/KX2SysInfo.h"
#include "link/ReplyParse.h"
#include "link/SdlTime.h"
#include "platform/Numbers.h"
#include "platform/Text.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

namespace {

// The protocol object keeps the identification in 20 bytes (19 characters and
// a NUL); the version is held to the same length, cut after its first 19
// characters like the identification.
constexpr std::size_t kFieldChars = 19;

unsigned MessageId(DeviceResult code) {
  switch (code) {
    case DeviceResult::kNoResponse:
      return res::kStrDeviceNoResponse;
    case DeviceResult::kNotConnected:
      return res::kStrNotConnected;
    case DeviceResult::kNoMemory:
      return res::kStrNoMemory;
    case DeviceResult::kAborted:
      return res::kStrAborted;
    case DeviceResult::kNoImei:
      return res::kStrNoImei;
    case DeviceResult::kModuleSetting:
      return res::kStrModuleSetting;
    case DeviceResult::kNotSupported:
      return res::kStrNotSupported;
    default:
      return res::kStrFailed;
  }
}

}  // namespace

CKX2Device::CKX2Device() = default;

// The port closes with its member; nothing is sent to the logger on the way
// out.
CKX2Device::~CKX2Device() = default;

PortOpenResult CKX2Device::OpenPort(const std::string& path) {
  ClosePort();
  const PortOpenResult result = m_port.Open(path, m_dcb);
  if (result != PortOpenResult::kOpened) return result;
  m_strPortName = path;
  return PortOpenResult::kOpened;
}

void CKX2Device::ClosePort() {
  {
    platform::CriticalSectionLock lock(m_csClock);
    m_bClockValid = 0;
    m_tLoggerAtRead = 0;
    m_tPcAtRead = 0;
  }
  m_port.Close();
  m_strPortName.clear();
}

ReadResult CKX2Device::WakeUp() {
  char reply[100];
  int32_t length = 0;
  const ComResult woke = Retry(kTries, [&] {
    std::memset(reply, 0, sizeof reply);
    length = static_cast<int32_t>(sizeof reply);
    const ComResult result = m_protocol.WakeUp(&m_port, reply, &length);
    // The logger answered with something else: it is awake but still busy
    // with an earlier line; give it a moment before the next hello.
    if (result == ComResult::kOtherReply) m_port.PauseWhileOpen(500);
    return result;
  });
  if (woke != ComResult::kOk) return ReadResult::kFailed;

  if (length < 0) length = 0;
  if (length > static_cast<int32_t>(sizeof reply)) length = static_cast<int32_t>(sizeof reply);
  const std::string line(reply, strnlen(reply, static_cast<std::size_t>(length)));
  const std::size_t mark = line.find("Ver[");
  // Older firmware sends no version on its identification line.
  if (mark == std::string::npos) return ReadResult::kDone;

  // The identification ends one character before "Ver[" (the separator).
  std::string id = line.substr(0, mark);
  if (!id.empty()) id.pop_back();
  if (id.size() > kFieldChars) id.resize(kFieldChars);
  std::memset(m_protocol.m_szId, 0, sizeof m_protocol.m_szId);
  std::memcpy(m_protocol.m_szId, id.data(), id.size());

  // Some firmware drops the closing bracket; the version then runs to the end.
  std::string version = line.substr(mark + 4);
  const std::size_t close = version.find(']');
  if (close != std::string::npos) version.resize(close);
  if (version.size() > kFieldChars) version.resize(kFieldChars);
  m_protocol.m_strVersion = version;
  return ReadResult::kDone;
}

ReadResult CKX2Device::ReadSystemInfo() {
  CKX2SysInfo info;
  // kFailed: no port or nothing came at all; asking again would only wait
  // again.
  const ComResult result = Retry(kTries, [&] { return m_protocol.ReadSysInfo(&m_port, info); }, {ComResult::kFailed});
  if (result != ComResult::kOk) return ReadResult::kFailed;
  SetDeviceClock(info.m_stClock);
  m_workRead.m_sysInfo = info;
  return ReadResult::kDone;
}

ReadResult CKX2Device::ReadMailInfo() {
  std::vector<std::string> lines;
  const auto query = [&] {
    lines.clear();
    return m_protocol.QueryLines(&m_port, "MAIL DSP\r\n", &lines, 3000);
  };
  // kFailed: as for the system record.
  if (Retry(kTries, query, {ComResult::kFailed}) != ComResult::kOk) return ReadResult::kFailed;
  CKX2MailInfo info;
  for (const std::string& line : lines) {
    std::string key;
    std::string value;
    SplitKeyValue(line, key, value);
    // A key the parser does not read is a setting this program does not show.
    static_cast<void>(CComCtrlKestrix2::ParseMailItem(info, key.c_str(), value.c_str()));
  }
  m_workRead.m_mailInfo = info;
  return ReadResult::kDone;
}

DeviceResult CKX2Device::StopMeasurement() {
  if (!m_port.IsOpen()) return DeviceResult::kNotConnected;
  // "NOT END": the logger refuses to stop now; asking again changes nothing.
  const ComResult result = Retry(kTries, [&] { return m_protocol.StopMeasure(&m_port, 1); }, {ComResult::kNotEnd});
  if (result != ComResult::kOk) return FailedOrGone(DeviceResult::kFailed);
  static_cast<void>(ReadSystemInfo());
  return DeviceResult::kOk;
}

DeviceResult CKX2Device::ReadCurrentValues(std::string& text) {
  if (!m_port.IsOpen()) return DeviceResult::kNotConnected;
  std::vector<std::string> lines;
  const ComResult result = Retry(kTries, [&] {
    const ComResult ok = m_protocol.SendCommandExpect(&m_port, "RD REL\r\n", "OK", CComCtrlBase::kShortMs);
    if (ok != ComResult::kOk) return ok;
    // The values follow the "OK" on their own; nothing is sent or purged.
    lines.clear();
    return m_protocol.QueryLines(&m_port, nullptr, &lines, 10000);
  });
  if (result != ComResult::kOk) return FailedOrGone(DeviceResult::kFailed);
  if (!lines.empty()) text = lines.front();
  return DeviceResult::kOk;
}

DeviceResult CKX2Device::TestAntenna(int32_t* level) {
  if (!m_port.IsOpen()) return DeviceResult::kNotConnected;
  // The module needs up to a minute to measure; one try only, the operator
  // repeats it from the page.
  if (m_protocol.SendCommandExpect(&m_port, "RD ANT\r\n", "OK", 10000) != ComResult::kOk) {
    return FailedOrGone(DeviceResult::kFailed);
  }
  std::vector<std::string> lines;
  if (m_protocol.QueryLines(&m_port, nullptr, &lines, 60000) != ComResult::kOk) {
    return FailedOrGone(DeviceResult::kFailed);
  }
  if (lines.empty()) return DeviceResult::kOk;
  const std::string& first = lines.front();
  if (platform::CompareNoCase(first.c_str(), "ANT", 3) != 0) return DeviceResult::kFailed;
  // "ANT -85": the number follows the key and its blank. A bare "ANT" reads
  // as level 0 rather than past the end of the line.
  const std::size_t skip = first.size() < 4 ? first.size() : 4;
  if (level != nullptr) *level = platform::AtoI(first.c_str() + skip);
  return DeviceResult::kOk;
}

void CKX2Device::SetError(DeviceResult code, const char* detail) {
  // Success, and any code that is not a failure, sets no text.
  if (static_cast<int32_t>(code) >= 0) return;
  const std::string text = res::LoadString(MessageId(code));
  if (detail != nullptr && !text.empty()) {
    m_strError = text + "\r\n" + detail;
  } else {
    m_strError = text;
  }
}

void CKX2Device::SetError(FirmwareResult code) {
  switch (code) {
    case FirmwareResult::kFailed:
      SetError(DeviceResult::kFailed);
      break;
    case FirmwareResult::kNoResponse:
      SetError(DeviceResult::kNoResponse);
      break;
    case FirmwareResult::kNotConnected:
      SetError(DeviceResult::kNotConnected);
      break;
    case FirmwareResult::kOk:
    case FirmwareResult::kStepFailed:
    case FirmwareResult::kImageWrite:
      break;
  }
}

void CKX2Device::ClearDeviceMessages() {
  m_strSuccess.clear();
  m_strError.clear();
}

void CKX2Device::SetDeviceClock(const CSdlTime& clock) {
  const int64_t pcNow = static_cast<int64_t>(std::time(nullptr));
  const int64_t loggerNow = clock.GetTime();
  platform::CriticalSectionLock lock(m_csClock);
  m_tPcAtRead = pcNow;
  m_tLoggerAtRead = loggerNow;
  m_bClockValid = 1;
}

ReadResult CKX2Device::GetDeviceNow(int64_t* now) {
  int64_t offset = 0;
  {
    platform::CriticalSectionLock lock(m_csClock);
    if (m_bClockValid != 1) return ReadResult::kFailed;
    offset = m_tLoggerAtRead - m_tPcAtRead;
  }
  if (now != nullptr) *now = offset + static_cast<int64_t>(std::time(nullptr));
  return ReadResult::kDone;
}

int64_t CKX2Device::LoggerNowForStart() {
  {
    platform::CriticalSectionLock lock(m_csClock);
    if (m_bClockValid == 1) return static_cast<int64_t>(std::time(nullptr)) + (m_tLoggerAtRead - m_tPcAtRead);
  }
  return m_workRead.m_sysInfo.m_stClock.GetTime();
}

ComResult CKX2Device::Retry(int32_t tries, const std::function<ComResult()>& exchange,
                            std::initializer_list<ComResult> stopOn) {
  ComResult result = ComResult::kFailed;
  for (int32_t i = 0; i < tries; ++i) {
    result = exchange();
    if (result == ComResult::kOk || std::find(stopOn.begin(), stopOn.end(), result) != stopOn.end()) break;
  }
  return result;
}

ComResult CKX2Device::SendLineTries(const char* line, const char* expected, uint32_t timeoutMs, int32_t tries) {
  return Retry(tries, [&] { return m_protocol.SendCommandExpect(&m_port, line, expected, timeoutMs); });
}

DeviceResult CKX2Device::FailedOrGone(DeviceResult code) const {
  return m_port.IsOpen() ? code : DeviceResult::kNotConnected;
}

FirmwareResult CKX2Device::FailedOrGone(FirmwareResult code) const {
  return m_port.IsOpen() ? code : FirmwareResult::kNotConnected;
}
