#include "app/wizard/DlgInputInitReset.h"

#include "app/Kestrix2CommApp.h"
#include "res/StringTable.h"
#include "res/StringIds.h"

namespace {
constexpr int kTries = 3;
}  // namespace

CDlgInputInitReset::CDlgInputInitReset() : CInputBaseDlg(IDD) {
  MapCommand(kResetButton, [this] { static_cast<void>(RunWorkAndReport(nullptr)); });
}

int CDlgInputInitReset::RunPage(CWnd* parent, unsigned flags) {
  DoModalPage(parent, flags, IDD);
  return m_nPageResult;
}

WorkResult CDlgInputInitReset::ThreadWork() {
  // A closed port is "not connected", as for every other operation; only
  // a logger that answers wrongly three times "failed".
  if (!PortOpenElseNotConnected()) return WorkResult::kFailed;
  CKX2Device& device = theApp.m_device;
  for (int i = 0; i < kTries; ++i) {
    if (device.m_protocol.ResetDevice(&device.m_port) == ComResult::kOk) {
      device.m_strSuccess = res::LoadString(res::kStrSuccess);
      return WorkResult::kDone;
    }
  }
  device.SetError(DeviceResult::kFailed);
  return WorkResult::kFailed;
}
