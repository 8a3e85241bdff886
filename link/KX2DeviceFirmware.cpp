// Firmware transfer and the communication module's version query: both drive
// the logger's inspection mode.

#include <string>

#include "link/KX2Device.h"
#include "link/ReadData.h"

namespace {

// An image line is retried more often than a command: a long transfer over a
// noisy cable should not fail on one garbled line.
constexpr int32_t kLineTries = 6;

}  // namespace

FirmwareResult CKX2Device::UpdateFirmware(const std::string& image, int32_t stopFirst, int32_t initAfter) {
  const FirmwareResult result = TransferFirmware(image, stopFirst, initAfter);
  return result == FirmwareResult::kOk ? result : FailedOrGone(result);
}

FirmwareResult CKX2Device::TransferFirmware(const std::string& image, int32_t stopFirst, int32_t initAfter) {
  if (!m_port.IsOpen()) return FirmwareResult::kNotConnected;
  if (WakeUp() != ReadResult::kDone) return FirmwareResult::kNoResponse;

  if (stopFirst != 0 && m_protocol.StopMeasure(&m_port, 1) != ComResult::kOk) return FirmwareResult::kStepFailed;

  if (SendLineTries("INSPECT ON\r\n", nullptr, CComCtrlBase::kShortMs, kTries) != ComResult::kOk)
    return FirmwareResult::kStepFailed;
  if (SendLineTries("SRAMCLR\r\n", "OK", CComCtrlBase::kShortMs, kTries) != ComResult::kOk)
    return FirmwareResult::kStepFailed;
  if (SendLineTries("MONITOR\r\n", "OK", CComCtrlBase::kShortMs, kTries) != ComResult::kOk)
    return FirmwareResult::kStepFailed;

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
      if (SendLineTries(line.c_str(), "OK", 10000, kLineTries) != ComResult::kOk) return FirmwareResult::kStepFailed;
    }
    pos = stop + 1;
  }

  const ComResult weep = Retry(kTries, [&] { return m_protocol.SendWeep(&m_port); });
  // The logger is deaf while it writes its flash.
  if (weep == ComResult::kOk) m_port.PauseWhileOpen(11000);

  // Bring the logger back whatever happened to the write, so it does not stay
  // in monitor mode.
  static_cast<void>(WakeUp());
  if (initAfter != 0) {
    if (SendLineTries("INSPECT ON\r\n", nullptr, CComCtrlBase::kShortMs, kTries) != ComResult::kOk)
      return FirmwareResult::kStepFailed;
    static_cast<void>(SendLineTries("SYSINIT\r\n", "OK", CComCtrlBase::kShortMs, kTries));
  }
  static_cast<void>(WakeUp());
  static_cast<void>(Retry(kTries, [&] { return m_protocol.ResetDevice(&m_port); }));
  return weep != ComResult::kOk ? FirmwareResult::kImageWrite : FirmwareResult::kOk;
}

void CKX2Device::SetModuleFilter(int32_t on) {
  CReadData* data = m_port.GetReadData();
  if (data != nullptr) data->SetOption(on);
}

// One pass of the module restart: the module slept and came back, it did
// not (a second pass may see it), or the logger refused the module control.
CKX2Device::ModulePass CKX2Device::ModuleVersionPass() {
  if (SendLineTries("dbg mtcoff\r\n", nullptr, CComCtrlBase::kShortMs, kTries) != ComResult::kOk)
    return ModulePass::kStepFailed;
  m_port.PauseWhileOpen(2500);
  // "NOT END" or "*>RX:ERROR": the logger or the module refuses; asking
  // again changes nothing.
  const std::initializer_list<ComResult> refused = {ComResult::kNotEnd};
  const ComResult on = Retry(
      kTries, [&] { return m_protocol.SendCommandExpect(&m_port, "dbg mtcon\r\n", nullptr, CComCtrlBase::kShortMs); },
      refused);
  if (on != ComResult::kOk) return ModulePass::kStepFailed;

  const ComResult sleep = m_protocol.WaitSleep(&m_port, 3);

  static_cast<void>(Retry(
      kTries, [&] { return m_protocol.SendAndWait(&m_port, "mon\r\n", "#>RX:$WAKEUP", 2); }, refused));

  if (sleep == ComResult::kOk) {
    // The module needs a moment after its wake-up before it takes commands.
    m_port.PauseWhileOpen(500);
    // The version line reaches the terminal and the traffic log; that is
    // where the operator reads it.
    static_cast<void>(Retry(
        kTries, [&] { return m_protocol.SendAndWait(&m_port, "at$ver\r\n", "#>RX:$VER:", 1); }, refused));
  }

  const ComResult off = Retry(
      kTries, [&] { return m_protocol.SendAndWait(&m_port, "moff\r\n", nullptr, 2); }, refused);
  if (off == ComResult::kOk) static_cast<void>(m_protocol.WaitSleep(&m_port, 1));
  return sleep == ComResult::kOk && off == ComResult::kOk ? ModulePass::kCameBack : ModulePass::kTryAgain;
}

FirmwareResult CKX2Device::ReadModuleVersion() {
  const FirmwareResult result = QueryModuleVersion();
  return result == FirmwareResult::kOk ? result : FailedOrGone(result);
}

FirmwareResult CKX2Device::QueryModuleVersion() {
  if (!m_port.IsOpen()) return FirmwareResult::kNotConnected;
  if (WakeUp() != ReadResult::kDone) return FirmwareResult::kNoResponse;
  if (SendLineTries("INSPECT ON\r\n", nullptr, CComCtrlBase::kShortMs, kTries) != ComResult::kOk)
    return FirmwareResult::kStepFailed;

  // The module's own lines begin with '#', which the line buffer normally
  // drops as echo; they are the answers here. Every way out below turns the
  // filter back on.
  SetModuleFilter(0);
  FirmwareResult result = FirmwareResult::kFailed;
  for (int32_t pass = 0; pass < 2; ++pass) {
    const ModulePass outcome = ModuleVersionPass();
    if (outcome == ModulePass::kCameBack) {
      result = FirmwareResult::kOk;
      break;
    }
    if (outcome == ModulePass::kStepFailed) {
      result = FirmwareResult::kStepFailed;
      break;
    }
  }
  SetModuleFilter(1);
  return result;
}
