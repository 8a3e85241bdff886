#include "app/DlgMainSystem.h"

#include <cstring>

#include "app/Kestrix2CommApp.h"
#include "app/LoggerPage.h"
#include "platform/Numbers.h"
#include "platform/Text.h"
#include "res/StringIds.h"

namespace {
constexpr const char* kSyncCaption = "Time Synchronization";

// Logger text is 8-bit; what is not valid UTF-8 shows as U+FFFD.
std::string Display(std::string_view logger) { return platform::ToValidUtf8(logger); }
std::string Display(const char* field, size_t size) { return Display(std::string_view(field, strnlen(field, size))); }
}  // namespace

CDlgMainSystem::CDlgMainSystem() : CLoggerPageDlg(IDD) {
  MapCommand(kInit, [this] { OnBnClickedInit(); });
  MapCommand(kBatteryAlarm, [this] { OnBnClickedBatteryAlarm(); });
  MapCommand(kUpdate, [this] { OnBnClickedUpdate(); });
  MapCommand(kTimeSync, [this] { OnBnClickedTimeSync(); });
  MapCommand(kInputSetting, [this] { OnBnClickedInputSetting(); });
}

void CDlgMainSystem::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, kDeviceTime, m_editDeviceTime);
  DDX_Control(dx, kRainCoef, m_staticRainCoef);
}

BOOL CDlgMainSystem::OnInitDialog() {
  CDialog::OnInitDialog();
  loggerpage::StartClockTimer(*this, m_nTimerId, kClockTimer);
  return TRUE;
}

void CDlgMainSystem::OnShowWindow(BOOL show, UINT status) {
  CDialog::OnShowWindow(show, status);
  loggerpage::OnClockPageShown(*this, show, m_nTimerId, kClockTimer);
}

void CDlgMainSystem::OnDestroy() {
  loggerpage::StopClockTimer(*this, m_nTimerId);
  CDialog::OnDestroy();
}

void CDlgMainSystem::OnTimer(UINT_PTR id) {
  if (!loggerpage::OnClockTimer(*this, id, m_nTimerId, kDeviceTime, m_tShownClock)) CDialog::OnTimer(id);
}

void CDlgMainSystem::Refresh() {
  const bool connected = loggerpage::IsPortOpen();
  if (connected) {
    CKX2Device& device = theApp.m_device;
    const CKX2SysInfo& sys = device.m_workRead.m_sysInfo;
    const std::string name = device.m_protocol.GetTextField();
    SetDlgItemText(kDeviceName, name);
    SetDlgItemText(kVersion, Display(device.m_protocol.m_strVersion));

    // The IMEI names the unit better than the model name where there is one.
    std::string line = name;
    const std::string imei = Display(device.m_workRead.m_mailInfo.m_strImei);
    if (!imei.empty()) line = "IMEI:" + imei;
    const std::string serial = Display(sys.m_szSerial, sizeof sys.m_szSerial);
    if (!line.empty()) line += "/";
    line += "SN:" + serial;
    if (!serial.empty()) SetDlgItemText(kProductLine, line);

    SetDlgItemText(kRecordRange, sys.m_nIdFirst == 0 && sys.m_nIdLast == 0
                                     ? std::string()
                                     : platform::Format("%d - %d", sys.m_nIdFirst, sys.m_nIdLast));
    SetDlgItemText(kBatteryStop, platform::Format("%0.1f", sys.m_nBatteryStop / 1000.0));
    SetDlgItemText(kRainCoef, platform::Format("%0.1f", sys.m_dRainPerCount));
  } else {
    for (UINT id : {kProductLine, kDeviceName, kVersion, kRecordRange, kBatteryStop, kRainCoef}) {
      SetDlgItemText(static_cast<int>(id), std::string());
    }
  }
  // The time synchronisation stays enabled: it reports a closed port itself.
  for (UINT id : {kInit, kInputSetting, kBatteryAlarm, kUpdate}) {
    if (CWnd* button = GetDlgItem(static_cast<int>(id))) button->EnableWindow(connected ? TRUE : FALSE);
  }
}

void CDlgMainSystem::OnBnClickedInit() { loggerpage::ExecuteSettingItem(this, kItemReset); }
void CDlgMainSystem::OnBnClickedBatteryAlarm() { loggerpage::ExecuteSettingItem(this, kItemBatteryAlarm); }
void CDlgMainSystem::OnBnClickedUpdate() { loggerpage::ExecuteSettingItem(this, kItemReread); }
void CDlgMainSystem::OnBnClickedInputSetting() { loggerpage::ExecuteSettingItem(this, kItemRainCoef); }

void CDlgMainSystem::OnBnClickedTimeSync() {
  if (RefuseWhileBusy(this) || !loggerpage::Confirm(*this, res::kStrSyncConfirm, kSyncCaption)) return;
  loggerpage::EnableMainFrame(FALSE);
  const bool done = loggerpage::RunPageWork(*this, *this) == RunResult::kDone;
  if (done) loggerpage::ExecuteSettingItem(this, kItemReread);
  loggerpage::ShowOutcome(*this, done, kSyncCaption);
  loggerpage::EnableMainFrame(TRUE);
}

// The synchronisation reports by its own box, so it sets no failure text.
WorkResult CDlgMainSystem::ThreadWork() {
  return theApp.m_device.SyncServerTime() == DeviceResult::kOk ? WorkResult::kDone : WorkResult::kFailed;
}
