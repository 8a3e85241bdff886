#include "app/wizard/DlgInputRangeRain.h"

#include <cmath>

#include "app/Kestrix2CommApp.h"
#include "link/SettingRules.h"
#include "platform/Numbers.h"

namespace {
constexpr const char* kInvalid = "Error!!";
constexpr int kDecimals = 2;
constexpr UINT kSwitchIds[4] = {CDlgInputRangeRain::kSwitch1On, CDlgInputRangeRain::kSwitch2On,
                                CDlgInputRangeRain::kSwitch1Off, CDlgInputRangeRain::kSwitch2Off};
constexpr UINT kRainIds[2] = {CDlgInputRangeRain::kRain1, CDlgInputRangeRain::kRain2};
constexpr UINT kPeriodIds[2] = {CDlgInputRangeRain::kPeriod1, CDlgInputRangeRain::kPeriod2};
}  // namespace

CDlgInputRangeRain::CDlgInputRangeRain() : CInputBaseDlg(IDD) {
  MapCommand(kNextButton, [this] { OnBnClickedNext(); });
}

void CDlgInputRangeRain::DoDataExchange(CDataExchange* dx) {
  for (int i = 0; i < 4; ++i) DDX_Control(dx, static_cast<int>(kSwitchIds[i]), m_btnSwitch[i]);
  DDX_Radio(dx, kSwitch1On, m_nSwitch1);
  DDX_Radio(dx, kSwitch2On, m_nSwitch2);
  for (int n = 0; n < 2; ++n) {
    DDX_Control(dx, static_cast<int>(kRainIds[n]), m_editRain[n]);
    DDX_Control(dx, static_cast<int>(kPeriodIds[n]), m_editPeriod[n]);
  }
}

BOOL CDlgInputRangeRain::OnInitDialog() {
  CInputBaseDlg::OnInitDialog();
  const CKX2SysInfo& edit = theApp.m_device.m_workEdit.m_sysInfo;
  int* switches[2] = {&m_nSwitch1, &m_nSwitch2};
  for (int n = 0; n < 2; ++n) {
    CSTRealNumEdit& rain = m_editRain[n];
    rain.m_dMax = CSettingRules::kThreshold.max / 100.0;
    rain.m_dMin = CSettingRules::kThreshold.min / 100.0;
    rain.m_nDecimals = kDecimals;
    rain.m_strFormat = platform::Format("%%.%df", kDecimals);
    m_editPeriod[n].EnableMask("DDD DD", "___:__", '_', nullptr);
    m_editPeriod[n].SetWindowText("000:00");

    const CAlmRainInfo& alarm = edit.m_alarm[n];
    rain.SetWindowText(platform::FormatFixed(alarm.m_dThreshold, kDecimals));
    // A negative period does not fit the pattern, which then stays "000:00".
    m_editPeriod[n].SetWindowText(platform::Format("%03d:%02d", (alarm.m_nPeriod / 60) % 1000, alarm.m_nPeriod % 60));
    *switches[n] = alarm.m_nEnable == 1 ? 0 : 1;
    m_strShownRain[n] = rain.GetWindowText();
    m_strShownPeriod[n] = m_editPeriod[n].GetWindowText();
  }
  UpdateData(FALSE);
  return TRUE;
}

bool CDlgInputRangeRain::ToCriterion(const std::string& rain, const std::string& period, double* amount,
                                     int32_t* minutes) {
  int32_t hundredths = 0;
  if (!CSettingRules::RoundInto(CSettingRules::kThreshold, platform::AtoF(rain.c_str()), &hundredths)) return false;
  if (period.size() != 5) return false;
  const int32_t hours = platform::AtoI(period.substr(0, 3).c_str());
  const int32_t mins = platform::AtoI(period.substr(3, 2).c_str());
  if (hours < 0 || mins < 0) return false;
  const int32_t total = hours * 60 + mins;
  if (!CSettingRules::Contains(CSettingRules::kPeriod, total)) return false;
  *amount = hundredths / 100.0;
  *minutes = total;
  return true;
}

void CDlgInputRangeRain::OnBnClickedNext() {
  UpdateData(TRUE);
  CKX2SysInfo& edit = theApp.m_device.m_workEdit.m_sysInfo;
  const int switches[2] = {m_nSwitch1, m_nSwitch2};
  double amount[2] = {0.0, 0.0};
  int32_t period[2] = {0, 0};
  for (int n = 0; n < 2; ++n) {
    const std::string rain = m_editRain[n].GetWindowText(), time = m_editPeriod[n].GetWindowText();
    // A criterion that is off has no effect in the logger: the values it
    // came with (a logger's never-set 0.00, say) stand unjudged, as the
    // settings file reads them.
    if (switches[n] != 0 && rain == m_strShownRain[n] && time == m_strShownPeriod[n]) {
      amount[n] = edit.m_alarm[n].m_dThreshold;
      period[n] = edit.m_alarm[n].m_nPeriod;
    } else if (!ToCriterion(rain, time, &amount[n], &period[n])) {
      MessageBox(kInvalid, nullptr, MB_ICONEXCLAMATION | MB_OK);
      return;
    }
  }
  for (int n = 0; n < 2; ++n) {
    CAlmRainInfo& alarm = edit.m_alarm[n];
    alarm.m_nNo = n + 1;
    alarm.m_dThreshold = amount[n];
    alarm.m_nPeriod = period[n];
    alarm.m_nEnable = switches[n] == 0 ? 1 : 0;
  }
  if ((m_nPageFlags & kEditOnly) || RunWorkAndReport(nullptr) == RunResult::kDone) EndPage(kNext);
}

WorkResult CDlgInputRangeRain::ThreadWork() {
  CKX2Device& device = theApp.m_device;
  int32_t mask = 0;
  return WorkResultOf(device.WriteRainAlarms(&mask));
}
