#include "app/wizard/DlgInputCheckIMEI.h"

#include "app/Kestrix2CommApp.h"

namespace {
constexpr const char* kCaption = "Check IMEI";
}  // namespace

CDlgInputCheckIMEI::CDlgInputCheckIMEI() : CInputBaseDlg(IDD) {
  MapCommand(kCheckButton, [this] { OnBnClickedCheck(); });
}

int CDlgInputCheckIMEI::RunPage(CWnd* parent, unsigned flags) {
  DoModalPage(parent, flags, IDD);
  return m_nPageResult;
}

BOOL CDlgInputCheckIMEI::OnInitDialog() {
  SetUpCheckPage();
  return TRUE;
}

void CDlgInputCheckIMEI::OnBnClickedCheck() { RunWorkAndConfirm(kCaption); }

WorkResult CDlgInputCheckIMEI::ThreadWork() {
  if (!PortOpenElseNotConnected()) return WorkResult::kFailed;
  CKX2Device& device = theApp.m_device;
  char digits[50] = {};
  if (device.m_protocol.ReadImei(&device.m_port, digits) != ComResult::kOk) {
    device.SetError(DeviceResult::kFailed);
    return WorkResult::kFailed;
  }
  // A module without its SIM answers the exchange without a number; that is
  // the one case the IMEI message was made for.
  if (digits[0] == '\0') {
    device.SetError(DeviceResult::kNoImei);
    return WorkResult::kFailed;
  }
  return WorkResult::kDone;
}
