#include "app/DlgNowMonitor.h"

#include <vector>

#include "app/Kestrix2CommApp.h"
#include "app/LoggerPage.h"
#include "platform/Text.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

namespace {
constexpr const char* kRainResetCaption = "Rain reset";

struct RowName {
  const char* name;
  const char* unit;
};
constexpr RowName kRowNames[CDlgNowMonitor::kRows] = {
    {"ID", ""}, {"Date", ""}, {"Bat.", "[V]"}, {"Rainfall", "[mm]"}, {"Sampling", "[min]"},
};
}  // namespace

CDlgNowMonitor::CDlgNowMonitor(CWnd* pParent) : CDialog(IDD, pParent) {
  MapCommand(kAcquire, [this] { OnBnClickedAcquire(); });
  MapCommand(kRainReset, [this] { OnBnClickedRainReset(); });
}

INT_PTR CDlgNowMonitor::DoModal() {
  CDialogTemplate dlgTemplate;
  if (!CKestrix2CommApp::LoadDlgTemplateWithFont(IDD, theApp.GetDlgFontPointSize(), dlgTemplate)) return -1;
  m_lpszTemplateName = nullptr;
  m_nIDHelp = 0;
  InitModalIndirect(dlgTemplate, m_pParentWnd != nullptr ? m_pParentWnd : theApp.m_pMainWnd);
  return CDialog::DoModal();
}

void CDlgNowMonitor::DoDataExchange(CDataExchange* dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, kValues, m_listValues);
}

BOOL CDlgNowMonitor::OnInitDialog() {
  CDialog::OnInitDialog();
  m_listValues.SetExtendedStyle(m_listValues.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  CRect rc;
  m_listValues.GetClientRect(&rc);
  const double width = rc.Width();
  m_listValues.InsertColumn(0, "", LVCFMT_LEFT, static_cast<int>(width * 0.13));
  m_listValues.InsertColumn(1, res::LoadString(res::kStrKindColumn), LVCFMT_LEFT, static_cast<int>(width * 0.23));
  m_listValues.InsertColumn(2, res::LoadString(res::kStrValueColumn), LVCFMT_RIGHT, static_cast<int>(width * 0.4));
  m_listValues.InsertColumn(3, res::LoadString(res::kStrUnitColumn), LVCFMT_LEFT, static_cast<int>(width * 0.23));
  return TRUE;
}

RunResult CDlgNowMonitor::RunWork(const char* caption) { return Run(this, caption, FALSE); }

void CDlgNowMonitor::OnClose() {
  if (IsWindowEnabled()) OnOK();
}

void CDlgNowMonitor::OnBnClickedAcquire() {
  if (RefuseWhileBusy(this)) return;
  m_nMode = kModeRead;
  RunAndShow();
}

void CDlgNowMonitor::OnBnClickedRainReset() {
  if (RefuseWhileBusy(this) || !loggerpage::Confirm(*this, res::kStrRainResetConfirm, kRainResetCaption)) return;
  m_nMode = kModeRainReset;
  RunAndShow();
}

void CDlgNowMonitor::RunAndShow() {
  // Values of an earlier read must not stand in the table as current when
  // this one fails; the reset's work reads the values after the reset, so
  // the table shows the new total at once.
  m_listValues.DeleteAllItems();
  m_strLine.clear();
  theApp.m_device.ClearDeviceMessages();
  // Its result tells nothing more: a failure has set the text shown below.
  static_cast<void>(RunWork(nullptr));
  FillList();
  loggerpage::ShowDeviceMessages(*this);
}

WorkResult CDlgNowMonitor::ThreadWork() {
  CKX2Device& device = theApp.m_device;
  if (m_nMode == kModeRainReset && WorkResultOf(device.ClearRainCount()) != WorkResult::kDone) {
    return WorkResult::kFailed;
  }
  ReadCurrentValues();
  return WorkResult::kFailed;
}

void CDlgNowMonitor::ReadCurrentValues() {
  CKX2Device& device = theApp.m_device;
  std::string line;
  const DeviceResult result = device.ReadCurrentValues(line);
  if (result == DeviceResult::kOk) {
    m_strLine = line;
  } else {
    // A closed port says so rather than a bare failure.
    device.SetError(result);
  }
}

void CDlgNowMonitor::FillList() {
  m_listValues.SetRedraw(FALSE);
  m_listValues.DeleteAllItems();
  std::vector<std::string> fields;
  if (CComCtrlKestrix2::SplitCsvLine(fields, m_strLine.c_str()) >= kRows) {
    for (int i = 0; i < kRows; ++i) {
      if (m_listValues.InsertItem(i, std::to_string(i + 1)) < 0) break;
      m_listValues.SetItemText(i, 1, kRowNames[i].name);
      // Logger text is 8-bit; what is not valid UTF-8 shows as U+FFFD.
      m_listValues.SetItemText(i, 2, platform::ToValidUtf8(fields[static_cast<size_t>(i)]));
      m_listValues.SetItemText(i, 3, kRowNames[i].unit);
    }
  }
  m_listValues.SetRedraw(TRUE);
}
