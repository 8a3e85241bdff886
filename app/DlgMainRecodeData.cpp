#include "app/DlgMainRecodeData.h"

#include <algorithm>

#include "app/DlgAqcuired.h"
#include "app/DlgInputRdALLID.h"
#include "app/Kestrix2CommApp.h"
#include "app/LoggerPage.h"
#include "app/MainFrame.h"
#include "platform/Memory.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

namespace {
constexpr const char* kClearCaption = "Clear";
}  // namespace

CDlgMainRecodeData::CDlgMainRecodeData() : CLoggerPageDlg(IDD) {
  MapCommand(kReadData, [this] { OnBnClickedReadData(); });
  MapCommand(kReadErrorLog, [this] { OnBnClickedReadErrorLog(); });
  MapCommand(kClearData, [this] { OnBnClickedClearData(); });
}

BOOL CDlgMainRecodeData::OnInitDialog() {
  CDialog::OnInitDialog();
  Refresh();
  return TRUE;
}

void CDlgMainRecodeData::Refresh() {
  const BOOL open = loggerpage::IsPortOpen() ? TRUE : FALSE;
  for (UINT id : {kReadData, kReadErrorLog}) {
    if (CWnd* button = GetDlgItem(static_cast<int>(id))) button->EnableWindow(open);
  }
}

void CDlgMainRecodeData::OnBnClickedReadData() {
  if (RefuseWhileBusy(this)) return;
  // The range is proposed from the logger's memory as it is now.
  loggerpage::ExecuteSettingItem(this, kItemSystemReread);
  if (!loggerpage::IsPortOpen()) {
    MessageBox(res::LoadString(res::kStrNotConnected), nullptr, MB_ICONEXCLAMATION);
    return;
  }
  const CKX2SysInfo& sys = theApp.m_device.m_workRead.m_sysInfo;
  const int32_t first = sys.m_nIdFirst;
  const int32_t last = sys.m_nIdLast;
  m_nStartId = m_nCount = -1;

  CDlgInputRdALLID range(this);
  range.m_nIdFirst = first;
  range.m_nIdLast = last;
  range.m_nLastId = last;
  range.m_nCount = CDlgInputRdALLID::HeldCount(first, last);
  if (range.DoModal() != IDOK) return;
  m_nCount = std::min(range.m_nCount, CDlgInputRdALLID::AvailableUpTo(first, last, range.m_nLastId));
  m_nStartId = CDlgInputRdALLID::StartOf(range.m_nLastId, m_nCount);
  RunAndShow(kModeRecords);
}

void CDlgMainRecodeData::OnBnClickedReadErrorLog() {
  if (!RefuseWhileBusy(this)) RunAndShow(kModeErrorLog);
}

void CDlgMainRecodeData::RunAndShow(uint8_t mode) {
  loggerpage::EnableMainFrame(FALSE);
  m_nMode = mode;
  m_strData.clear();
  const RunResult result = RunWork();
  // Records that came before a download failed are still the operator's:
  // after the failure box they are offered for saving like a whole download.
  const bool partial = result == RunResult::kFailed && mode == kModeRecords && !m_strData.empty();
  if (result == RunResult::kDone || partial) ShowData();
  loggerpage::EnableMainFrame(TRUE);
}

void CDlgMainRecodeData::ShowData() {
  {
    CDlgAqcuired dlg(&m_strData, m_nMode == kModeErrorLog ? TRUE : FALSE, this);
    dlg.DoModal();
  }
  // A full logger memory is megabytes that nothing needs once the dialog
  // has saved or dropped them: clear() would keep the capacity, and freed
  // heap stays with the process unless it is handed back.
  std::string().swap(m_strData);
  platform::ReturnFreeMemory();
}

void CDlgMainRecodeData::OnBnClickedClearData() {
  if (RefuseWhileBusy(this)) return;
  if (MessageBox(res::LoadString(res::kStrClearConfirm), kClearCaption,
                 MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) != IDOK) {
    return;
  }
  loggerpage::EnableMainFrame(FALSE);
  m_nMode = kModeClear;
  if (RunWork() == RunResult::kDone) MessageBox(res::LoadString(res::kStrSuccess), "", MB_OK);
  // The work re-read the system record whatever the clear gave.
  if (theApp.m_pMainFrame != nullptr) {
    theApp.m_pMainFrame->m_dlgRefMain.UpdatePages();
    loggerpage::EnableMainFrame(TRUE);
  }
  SetFocus();
}

RunResult CDlgMainRecodeData::RunWork() {
  theApp.m_device.ClearDeviceMessages();
  const RunResult result = Run(this, nullptr, m_nMode == kModeRecords ? TRUE : FALSE);
  loggerpage::ShowDeviceMessages(*this);
  return result;
}
