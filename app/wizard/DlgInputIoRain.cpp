#include "app/wizard/DlgInputIoRain.h"

#include <cmath>

#include "app/Kestrix2CommApp.h"
#include "link/SettingRules.h"
#include "platform/Numbers.h"

namespace {
constexpr const char* kIllegalValue = "Illigal value!  ( 0.01 - 2.00 )";
// Values closer than this to the one read count as unchanged.
constexpr double kSameValue = 0.001;
}  // namespace

CDlgInputIoRain::CDlgInputIoRain() : CInputBaseDlg(IDD) {
  MapCommand(kNextButton, [this] { OnBnClickedNext(); });
}

void CDlgInputIoRain::DoDataExchange(CDataExchange* dx) { DDX_Control(dx, kRainCombo, m_comboRain); }

BOOL CDlgInputIoRain::OnInitDialog() {
  CInputBaseDlg::OnInitDialog();
  m_comboRain.AddString("0.5");
  m_comboRain.AddString("1.0");
  m_comboRain.SetWindowText(platform::FormatFixed(theApp.m_device.m_workEdit.m_sysInfo.m_dRainPerCount, 2));
  return TRUE;
}

bool CDlgInputIoRain::ToRainPerCount(const std::string& text, double* value) {
  // The logger takes two decimals: the check and the comparison work on the
  // value as it will be sent, so 0.004 ("0.00") and NaN are refused and
  // 2.004 goes out as 2.00.
  int32_t hundredths = 0;
  if (!CSettingRules::RoundInto(CSettingRules::kRainPerCount, platform::AtoF(text.c_str()), &hundredths)) return false;
  *value = hundredths / 100.0;
  return true;
}

void CDlgInputIoRain::OnBnClickedNext() {
  double value = 0.0;
  if (!ToRainPerCount(m_comboRain.GetWindowText(), &value)) {
    MessageBox(kIllegalValue, nullptr, MB_ICONEXCLAMATION);
    return;
  }
  CKX2Device& device = theApp.m_device;
  device.m_workEdit.m_sysInfo.m_dRainPerCount = value;
  if (!(m_nPageFlags & kEditOnly) && std::fabs(value - device.m_workRead.m_sysInfo.m_dRainPerCount) > kSameValue) {
    if (RunWorkAndReport(nullptr) != RunResult::kDone) return;
  }
  EndPage(kNext);
}

WorkResult CDlgInputIoRain::ThreadWork() { return WorkResultOf(theApp.m_device.WriteRainPerCount()); }
