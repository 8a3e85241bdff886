#include "app/wizard/DlgInputTestMail.h"

#include "app/Kestrix2CommApp.h"

namespace {
constexpr const char* kCaption = "Send test mail";
}  // namespace

CDlgInputTestMail::CDlgInputTestMail() : CInputBaseDlg(IDD) {
  MapCommand(kSendButton, [this] { OnBnClickedSend(); });
}

BOOL CDlgInputTestMail::OnInitDialog() {
  SetUpCheckPage();
  return TRUE;
}

void CDlgInputTestMail::OnBnClickedSend() { RunWorkAndConfirm(kCaption); }

int CDlgInputTestMail::ThreadWork() {
  if (!PortOpenElseNotConnected()) return 0;
  CKX2Device& device = theApp.m_device;
  if (device.m_protocol.SendCommandExpect(&device.m_port, "MAIL START\r\n", "OK", kStartMs) == ComResult::kOk &&
      device.m_protocol.QueryLines(&device.m_port, nullptr, nullptr, kSendMs) == ComResult::kOk) {
    return 1;
  }
  device.SetError(DeviceResult::kFailed);
  return 0;
}
