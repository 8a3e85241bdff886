#include "app/wizard/DlgInputInitReset.h"

#include "app/Kestrix2CommApp.h"
#include "res/StringTable.h"
#include "res/StringIds.h"

namespace {
constexpr int kTries = 3;
}  // namespace

CDlgInputInitReset::CDlgInputInitReset() : CInputBaseDlg(IDD) {
  MapCommand(kResetButton, [this] { RunWorkAndReport(nullptr); });
}

int CDlgInputInitReset::ThreadWork() {
  // A closed port is "not connected", as for every other operation; only
  // a logger that answers wrongly three times "failed".
  if (!PortOpenElseNotConnected()) return 0;
  CKX2Device& device = theApp.m_device;
  for (int i = 0; i < kTries; ++i) {
    if (device.m_protocol.ResetDevice(&device.m_port) == ComResult::kOk) {
      device.m_strSuccess = res::LoadString(res::kStrSuccess);
      return 1;
    }
  }
  device.SetError(DeviceResult::kFailed);
  return 0;
}
