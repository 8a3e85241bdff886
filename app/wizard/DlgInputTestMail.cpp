#include "app/wizard/DlgInputTestMail.h"

#include "app/Kestrix2CommApp.h"
#include "res/StringTable.h"

namespace {
constexpr UINT kStrSuccess = 2510;
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
  m_nPageFlags |= kNoReRead;
  CInputBaseDlg::OnInitDialog();
  SetCloseButton();
  return TRUE;
}

void CDlgInputTestMail::OnBnClickedSend() {
  if (RunWorkAndReport(nullptr) != 0) MessageBox(res::LoadString(kStrSuccess), kCaption, MB_OK);
}

int CDlgInputTestMail::ThreadWork() {
  CKX2Device& device = theApp.m_device;
  if (!device.m_port.IsOpen()) {
    device.SetError(DeviceResult::kNotConnected);
    return 0;
  }
  if (device.m_protocol.SendCommandExpect(&device.m_port, "MAIL START\r\n", "OK", kStartMs) == ComResult::kOk &&
      device.m_protocol.QueryLines(&device.m_port, nullptr, nullptr, kSendMs) == ComResult::kOk) {
    return 1;
  }
  device.SetError(DeviceResult::kFailed);
  return 0;
}
