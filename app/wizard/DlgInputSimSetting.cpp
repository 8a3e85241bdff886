#include "app/wizard/DlgInputSimSetting.h"

#include "app/Kestrix2CommApp.h"
#include "link/SettingRules.h"
#include "link/WriteFailMask.h"
#include "platform/Numbers.h"
#include "platform/Text.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

const char* const g_authTypeNames[3] = {"none", "PAP", "CHAP"};

namespace {
struct FailedStep {
  uint16_t bit;
  const char* text;
};
constexpr FailedStep kFailureKeys[] = {{WriteFailMask::kApn, "-APN"},
                                       {WriteFailMask::kUser, "-APU"},
                                       {WriteFailMask::kPassword, "-APP"},
                                       {WriteFailMask::kAuth, "-APA"}};
}  // namespace

CDlgInputSimSetting::CDlgInputSimSetting() : CInputBaseDlg(IDD) {
  MapCommand(kNextButton, [this] { OnBnClickedNext(); });
  MapCommand(kPreset, [this] { OnCarrierChanged(); });
  MapCommand(kOther, [this] { OnCarrierChanged(); });
  MapCommand(kImport, [] {});
}

void CDlgInputSimSetting::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, kApn, m_editApn);
  DDX_Control(dx, kUser, m_editUser);
  DDX_Control(dx, kPassword, m_editPassword);
  DDX_Control(dx, kImei, m_editImei);
  DDX_Control(dx, kAuth, m_comboAuth);
  DDX_Radio(dx, kPreset, m_nCarrier);
  DDX_Control(dx, kImport, m_btnImport);
}

BOOL CDlgInputSimSetting::OnInitDialog() {
  CInputBaseDlg::OnInitDialog();
  const CKX2MailInfo& mail = theApp.m_device.m_workEdit.m_mailInfo;
  // Logger text is 8-bit; what is not valid UTF-8 shows as U+FFFD (and is
  // refused on Next unless retyped).
  m_editApn.SetWindowText(platform::ToValidUtf8(mail.m_strApn));
  m_editUser.SetWindowText(platform::ToValidUtf8(mail.m_strUser));
  m_editPassword.SetWindowText(platform::ToValidUtf8(mail.m_strPassword));
  m_editImei.SetWindowText(platform::ToValidUtf8(mail.m_strImei));

  m_comboAuth.ResetContent();
  for (const char* name : g_authTypeNames) m_comboAuth.AddString(name);
  int auth = 0;
  for (int i = 1; i < 3; ++i)
    if (mail.m_strAuth == g_authTypeNames[i]) auth = i;
  m_comboAuth.SetCurSel(auth);

  m_nCarrier = kChoiceOther;
  UpdateData(FALSE);
  UpdateData(TRUE);
  EnableValueFields();
  return FALSE;
}

void CDlgInputSimSetting::OnCarrierChanged() {
  UpdateData(TRUE);
  EnableValueFields();
}

void CDlgInputSimSetting::EnableValueFields() {
  const BOOL enable = m_nCarrier == kChoiceOther ? TRUE : FALSE;
  CWnd* const fields[] = {&m_editApn, &m_editUser, &m_editPassword, &m_comboAuth, &m_btnImport};
  for (CWnd* field : fields) field->EnableWindow(enable);
}

std::string CDlgInputSimSetting::FailureDetail(uint16_t mask) {
  std::string keys;
  for (const FailedStep& key : kFailureKeys)
    if (mask & key.bit) keys += key.text;
  return keys.empty() ? keys : platform::Format("Error: ( %s )", keys.c_str());
}

void CDlgInputSimSetting::OnBnClickedNext() {
  UpdateData(TRUE);
  if (m_nCarrier == kChoicePreset) {
    m_nModuleMode = kModePreset;
  } else {
    // A paste, or a file read earlier, can bring what typing cannot: a blank
    // or comma would split the command line, other bytes reach the module
    // as nothing it can use. Such a value is named and nothing is sent.
    const struct {
      CEditAddress* edit;
      const char* label;
    } fields[] = {{&m_editApn, "名称"}, {&m_editUser, "ユーザID"}, {&m_editPassword, "パスワード"}};
    std::string texts[3];
    for (int i = 0; i < 3; ++i) {
      texts[i] = fields[i].edit->GetWindowText();
      if (!CSettingRules::IsAddressText(texts[i])) {
        MessageBox(platform::Format("%sに使用できない文字が含まれています\r\n(%s)", fields[i].label,
                                    res::LoadString(res::kStrAddressRule).c_str()),
                   nullptr, MB_ICONEXCLAMATION);
        fields[i].edit->SetFocus();
        return;
      }
    }
    CKX2MailInfo& mail = theApp.m_device.m_workEdit.m_mailInfo;
    mail.m_strApn = texts[0];
    mail.m_strUser = texts[1];
    mail.m_strPassword = texts[2];
    const int auth = m_comboAuth.GetCurSel();
    mail.m_strAuth = auth > 0 && auth < 3 ? g_authTypeNames[auth] : "";
    m_nModuleMode = kModeValues;
  }
  if (!(m_nPageFlags & kEditOnly) && RunWorkAndReport(nullptr) != RunResult::kDone) return;
  EndPage(kNext);
}

WorkResult CDlgInputSimSetting::ThreadWork() {
  CKX2Device& device = theApp.m_device;
  uint16_t mask = 0;
  const DeviceResult result = device.WriteNetworkSettings(&mask, m_nModuleMode);
  const std::string detail = FailureDetail(mask);
  return WorkResultOf(result, detail.empty() ? nullptr : detail.c_str());
}
