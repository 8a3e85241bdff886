#include "tools/samples/app/InputControlsDialog.h"

#include "platform/Numbers.h"

using res::ControlKind;

namespace {
constexpr uint64_t kEdit = res::CS_BORDER | res::CS_TABSTOP | res::CS_AUTOHSCROLL;
constexpr uint64_t kSwitch = res::CS_AUTO | res::CS_PUSHLIKE;
constexpr uint64_t kFirstSwitch = kSwitch | res::CS_GROUP | res::CS_TABSTOP;
}  // namespace

const res::DialogTemplateData& InputControlsDialog::Template() {
  static const res::DialogTemplateData data{
      9900,
      "入力コントロール",
      200,
      194,
      res::DS_POPUP | res::DS_CAPTION | res::DS_SYSMENU,
      "ＭＳ ゴシック",
      9,
      {
          {-1, ControlKind::Static, "半角", res::CS_NONE, 7, 9, 80, 10},
          {kHalfWidth, ControlKind::Edit, "", kEdit, 90, 7, 100, 12},
          {-1, ControlKind::Static, "アドレス", res::CS_NONE, 7, 25, 80, 10},
          {kAddress, ControlKind::Edit, "", kEdit, 90, 23, 100, 12},
          {-1, ControlKind::Static, "パスワード", res::CS_NONE, 7, 41, 80, 10},
          {kPassword, ControlKind::Edit, "", kEdit | res::CS_PASSWORD, 90, 39, 100, 12},
          {-1, ControlKind::Static, "実数 (-10〜10)", res::CS_NONE, 7, 57, 80, 10},
          {kReal, ControlKind::Edit, "", kEdit, 90, 55, 100, 12},
          {-1, ControlKind::Static, "正の数 (2.4〜12)", res::CS_NONE, 7, 73, 80, 10},
          {kPositive, ControlKind::Edit, "", kEdit, 90, 71, 100, 12},
          {-1, ControlKind::Static, "整数 (0〜240)", res::CS_NONE, 7, 89, 80, 10},
          {kNumber, ControlKind::Edit, "", kEdit, 90, 87, 100, 12},
          {-1, ControlKind::Static, "普通のエディット", res::CS_NONE, 7, 105, 80, 10},
          {kPlain, ControlKind::Edit, "", kEdit, 90, 103, 100, 12},
          {-1, ControlKind::Static, "基準1", res::CS_NONE, 7, 124, 80, 10},
          {kSwitch1On, ControlKind::RadioButton, "ON", kFirstSwitch, 90, 121, 48, 14},
          {kSwitch1Off, ControlKind::RadioButton, "OFF", kSwitch, 142, 121, 48, 14},
          {-1, ControlKind::Static, "基準2 (左/右)", res::CS_NONE, 7, 142, 80, 10},
          {kSwitch2On, ControlKind::RadioButton, "ON", kFirstSwitch | res::CS_LEFT, 90, 139, 48, 14},
          {kSwitch2Off, ControlKind::RadioButton, "OFF", kSwitch | res::CS_RIGHT, 142, 139, 48, 14},
          {-1, ControlKind::Static, "無効", res::CS_NONE, 7, 160, 80, 10},
          {kSwitch3On, ControlKind::RadioButton, "ON", kFirstSwitch | res::CS_DISABLED, 90, 157, 48, 14},
          {kSwitch3Off, ControlKind::RadioButton, "OFF", kSwitch | res::CS_DISABLED, 142, 157, 48, 14},
          {IDOK, ControlKind::DefPushButton, "OK", res::CS_TABSTOP, 88, 175, 50, 14},
          {IDCANCEL, ControlKind::PushButton, "キャンセル", res::CS_TABSTOP, 142, 175, 50, 14},
      }};
  return data;
}

BOOL InputControlsDialog::Create(CWnd* parent) { return CreateIndirect(Template(), parent); }

void InputControlsDialog::DoDataExchange(CDataExchange* dx) {
  DDX_Control(dx, kHalfWidth, m_editHalfWidth);
  DDX_Control(dx, kAddress, m_editAddress);
  DDX_Control(dx, kPassword, m_editPassword);
  DDX_Control(dx, kReal, m_editReal);
  DDX_Control(dx, kPositive, m_editPositive);
  DDX_Control(dx, kNumber, m_editNumber);
  for (int i = 0; i < 6; ++i) DDX_Control(dx, kSwitch1On + i, m_btnSwitch[i]);
  DDX_Radio(dx, kSwitch1On, m_nSwitch1);
  DDX_Radio(dx, kSwitch2On, m_nSwitch2);
  DDX_Radio(dx, kSwitch3On, m_nSwitch3);
}

BOOL InputControlsDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_editReal.m_dMax = 10.0;
  m_editReal.m_dMin = -10.0;
  m_editPositive.m_dMax = 12.0;
  m_editPositive.m_dMin = 2.4;
  m_editPositive.m_nDecimals = 1;
  m_editPositive.m_strFormat = platform::Format("%%.%df", m_editPositive.m_nDecimals);
  m_editNumber.m_nMax = 240;
  m_editNumber.m_nMin = 0;
  return TRUE;
}

BOOL InputControlsDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (HIWORD(wParam) == EN_KILLFOCUS) m_killFocusFrom.push_back(LOWORD(wParam));
  return CDialog::OnCommand(wParam, lParam);
}
