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

WorkResult CDlgInputTestMail::ThreadWork() { return WorkResultOf(theApp.m_device.SendTestMail()); }
