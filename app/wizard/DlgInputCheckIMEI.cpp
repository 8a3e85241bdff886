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

WorkResult CDlgInputCheckIMEI::ThreadWork() {
  std::string digits;
  return WorkResultOf(theApp.m_device.ReadImei(digits));
}
