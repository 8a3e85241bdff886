#include "app/wizard/DlgInputTestMail.h"

#include "app/Kestrix2CommApp.h"

namespace {
constexpr const char* kCaption = "Send test mail";
}  // namespace

CDlgInputTestMail::CDlgInputTestMail() : CInputBaseDlg(IDD) {
  MapCommand(kSendButton, [this] { OnBnClickedSend(); });
}

int CDlgInputTestMail::RunPage(CWnd* parent, unsigned flags) {
  DoModalPage(parent, flags, IDD);
  return m_nPageResult;
}

BOOL CDlgInputTestMail::OnInitDialog() {
  SetUpCheckPage();
  return TRUE;
}

void CDlgInputTestMail::OnBnClickedSend() { RunWorkAndConfirm(kCaption); }

WorkResult CDlgInputTestMail::ThreadWork() {
  if (!PortOpenElseNotConnected()) return WorkResult::kFailed;
  CKX2Device& device = theApp.m_device;
  if (device.m_protocol.SendCommandExpect(&device.m_port, "MAIL START\r\n", "OK", kStartMs) == ComResult::kOk &&
      device.m_protocol.QueryLines(&device.m_port, nullptr, nullptr, kSendMs) == ComResult::kOk) {
    return WorkResult::kDone;
  }
  device.SetError(DeviceResult::kFailed);
  return WorkResult::kFailed;
}
