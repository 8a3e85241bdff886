#include "app/wizard/DlgInputBatAlart.h"

#include <cmath>

#include "app/Kestrix2CommApp.h"
#include "link/SettingRules.h"
#include "platform/Numbers.h"

namespace {
constexpr const char* kIllegalValue = "Illigal value!  ( 2.4 - 12.0 )";
constexpr int kDecimals = 1;
}  // namespace

CDlgInputBatAlart::CDlgInputBatAlart() : CInputBaseDlg(IDD) {
  m_editVoltage.m_nDecimals = kDecimals;
  m_editVoltage.m_strFormat = platform::Format("%%.%df", kDecimals);
  MapCommand(kNextButton, [this] { OnBnClickedNext(); });
}

void CDlgInputBatAlart::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, kVoltage, m_editVoltage); }

BOOL CDlgInputBatAlart::OnInitDialog() {
  CInputBaseDlg::OnInitDialog();
  m_editVoltage.m_dMin = CSettingRules::kBatteryStop.min / 1000.0;
  m_editVoltage.m_dMax = CSettingRules::kBatteryStop.max / 1000.0;
  if (!m_editVoltage.m_strFormat.empty()) {
    const double volts = theApp.m_device.m_workEdit.m_sysInfo.m_nBatteryStop / 1000.0;
    m_editVoltage.SetWindowText(platform::Format(m_editVoltage.m_strFormat.c_str(), volts));
  }
  return TRUE;
}

bool CDlgInputBatAlart::ToMillivolts(const std::string& text, int32_t* millivolts) {
  const double value = std::trunc(platform::AtoF(text.c_str()) * 1000.0);
  if (!(value >= CSettingRules::kBatteryStop.min && value <= CSettingRules::kBatteryStop.max)) return false;
  *millivolts = platform::TruncToInt32(value);
  return true;
}

void CDlgInputBatAlart::OnBnClickedNext() {
  int32_t millivolts = 0;
  if (!ToMillivolts(m_editVoltage.GetWindowText(), &millivolts)) {
    MessageBox(kIllegalValue, nullptr, MB_ICONEXCLAMATION);
    return;
  }
  theApp.m_device.m_workEdit.m_sysInfo.m_nBatteryStop = millivolts;
  if (!(m_nPageFlags & kEditOnly) && RunWorkAndReport(nullptr) != RunResult::kDone) return;
  EndPage(kNext);
}

WorkResult CDlgInputBatAlart::ThreadWork() { return WorkResultOf(theApp.m_device.WriteBatteryAlarm()); }
