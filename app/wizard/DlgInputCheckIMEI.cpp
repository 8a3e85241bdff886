#include "app/wizard/DlgInputCheckIMEI.h"

#include "app/Kestrix2CommApp.h"

namespace {
constexpr const char* kCaption = "Check IMEI";
}  // namespace

CDlgInputCheckIMEI::CDlgInputCheckIMEI() : CInputBaseDlg(IDD) {
  MapCommand(kCheckButton, [this] { OnBnClickedCheck(); });
}

BOOL CDlgInputCheckIMEI::OnInitDialog() {
  SetUpCheckPage();
  return TRUE;
}

void CDlgInputCheckIMEI::OnBnClickedCheck() { RunWorkAndConfirm(kCaption); }

int CDlgInputCheckIMEI::ThreadWork() {
  if (!PortOpenElseNotConnected()) return 0;
  CKX2Device& device = theApp.m_device;
  char digits[50] = {};
  if (device.m_protocol.ReadImei(&device.m_port, digits) != ComResult::kOk) {
    device.SetError(DeviceResult::kFailed);
    return 0;
  }
  // A module without its SIM answers the exchange without a number; that is
  // the one case the IMEI message was made for.
  if (digits[0] == '\0') {
    device.SetError(DeviceResult::kNoImei);
    return 0;
  }
  return 1;
}
