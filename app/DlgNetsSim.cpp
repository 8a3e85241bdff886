#include "app/DlgNetsSim.h"

#include "app/Kestrix2CommApp.h"
#include "app/LoggerPage.h"
#include "app/wizard/DlgInputCheckIMEI.h"
#include "platform/Text.h"
#include "res/StringIds.h"

namespace {
constexpr const char* kRebootCaption = "Reboot commu.";
}  // namespace

CDlgNetsSim::CDlgNetsSim() : CLoggerPageDlg(IDD) {
  MapCommand(kApnSetting, [this] { OnBnClickedApnSetting(); });
  MapCommand(kCheckImei, [this] { OnBnClickedCheckImei(); });
  MapCommand(kRebootModule, [this] { OnBnClickedRebootModule(); });
}

BOOL CDlgNetsSim::OnInitDialog() {
  CDialog::OnInitDialog();
  Refresh();
  return TRUE;
}

void CDlgNetsSim::Refresh() {
  const bool connected = loggerpage::IsPortOpen();
  const CKX2MailInfo& mail = theApp.m_device.m_workRead.m_mailInfo;
  const std::pair<UINT, const std::string*> fields[] = {{kApn, &mail.m_strApn},
                                                        {kUser, &mail.m_strUser},
                                                        {kPassword, &mail.m_strPassword},
                                                        {kAuth, &mail.m_strAuth},
                                                        {kImei, &mail.m_strImei}};
  for (const auto& [id, value] : fields) {
    // Logger text is 8-bit; what is not valid UTF-8 shows as U+FFFD.
    SetDlgItemText(static_cast<int>(id), connected ? platform::ToValidUtf8(*value) : std::string());
  }
  // The IMEI check and the restart stay enabled: each reports a closed port
  // itself.
  if (CWnd* button = GetDlgItem(kApnSetting)) button->EnableWindow(connected ? TRUE : FALSE);
}

void CDlgNetsSim::OnBnClickedApnSetting() {
  loggerpage::ExecuteSettingItem(this, kItemAccessPoint);
  Refresh();
}

// The IMEI check page runs alone over this page. Every flag bit above the low
// byte is set: its work neither stops a measurement nor re-reads the records,
// so this page shows the IMEI it finds only after a later re-read.
void CDlgNetsSim::OnBnClickedCheckImei() {
  if (RefuseWhileBusy(this)) return;
  CDlgInputCheckIMEI page;
  page.RunPage(this, kCheckImeiFlags);
}

void CDlgNetsSim::OnBnClickedRebootModule() {
  if (RefuseWhileBusy(this) || !loggerpage::Confirm(*this, res::kStrRebootConfirm, kRebootCaption)) return;
  loggerpage::EnableMainFrame(FALSE);
  const bool done = loggerpage::RunPageWork(*this, *this) == RunResult::kDone;
  loggerpage::ShowOutcome(*this, done, kRebootCaption);
  loggerpage::EnableMainFrame(TRUE);
}

WorkResult CDlgNetsSim::ThreadWork() {
  return theApp.m_device.ReadModuleVersion() == FirmwareResult::kOk ? WorkResult::kDone : WorkResult::kFailed;
}
