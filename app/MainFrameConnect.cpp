// The main frame's connection to the logger and the entries of the setting
// commands: the Connect road, Disconnect, the frame's own work and the runs
// that the logger pages ask for.
#include "app/ComSettingDlg.h"
#include "app/DlgFirm.h"
#include "app/Kestrix2CommApp.h"
#include "app/MainFrame.h"
#include "app/PortOpenReason.h"
#include "app/wizard/DlgTreeItem.h"
#include "link/SettingWorkData.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "settings/KXCSettingWork.h"
#include "settings/SettingSelect.h"
#include "ui/MessagePump.h"

namespace {
constexpr const char* kErrorCaption = "Error!";
// How often a lost link that had to wait looks again.
constexpr UINT kLinkLostRetryMs = 200;
}  // namespace

RunResult CMainFrame::RunWork(const char* caption) { return Run(this, caption, FALSE); }

WorkResult CMainFrame::ThreadWork() {
  CKX2Device& device = theApp.m_device;
  // The connect road shows its own texts (m_strWorkError, or 401 when
  // empty); a re-read shows the device object's, as every other operation.
  const auto failed = [&](DeviceResult why, const std::string& connectText) {
    m_strWorkError = connectText;
    device.SetError(device.FailedOrGone(why));
    return WorkResult::kFailed;
  };
  switch (m_nWorkMode) {
    case kWorkConnect: {
      if (device.WakeUp() != ReadResult::kDone) return failed(DeviceResult::kNoResponse, std::string());
      const bool systemRead = device.ReadSystemInfo() == ReadResult::kDone;
      // A logger of another family wakes and reports its system, but has no
      // network record: that is the one failure with a text of its own.
      if (device.ReadMailInfo() != ReadResult::kDone) {
        return failed(DeviceResult::kNotSupported, res::LoadString(res::kStrNotSupported));
      }
      if (!systemRead) return failed(DeviceResult::kFailed, std::string());
      return WorkResult::kDone;
    }
    case kWorkSystem:
      if (device.ReadSystemInfo() == ReadResult::kDone) return WorkResult::kDone;
      m_strWorkError.clear();
      return WorkResult::kFailed;
    default:
      return WorkResult::kDone;
  }
}

void CMainFrame::OnConnect() {
  // A posted Connect may arrive while the progress window pumps; the port
  // belongs to that work until it ends.
  if (RefuseWhileBusy(this)) return;
  theApp.m_device.ClosePort();
  // A failure has said so in its own box.
  static_cast<void>(OpenConnection());
}

bool CMainFrame::OpenConnection() {
  CKX2Device& device = theApp.m_device;
  if (device.m_port.IsOpen()) {
    m_nWorkMode = kWorkConnect;
    static_cast<void>(RunWork(nullptr));
    return true;
  }
  CComSettingDlg dlg(this);
  dlg.m_szPort = device.m_strLastPort;
  if (dlg.DoModal() != IDOK) return false;
  const std::string chosen = dlg.m_szPort;
  if (!ConnectPort(chosen)) return false;
  device.m_strLastPort = chosen;
  return true;
}

bool CMainFrame::ConnectPort(const std::string& deviceName) {
  CKX2Device& device = theApp.m_device;
  ResetConnection();
  std::string error;
  if (device.OpenPort(deviceName) != PortOpenResult::kOpened) {
    error = res::LoadString(res::kStrPortNotOpened);
    // The operator can act on why: join the device's group, close the other
    // program, plug the device in.
    const platform::OpenError why = device.m_port.LastOpenError();
    const std::string group =
        why == platform::OpenError::Permission ? platform::SerialDevice::OwningGroup(deviceName) : std::string();
    const std::string reason = PortOpenReason(why, group);
    if (!reason.empty()) error += "\r\n" + reason;
  } else {
    m_dlgRefMain.DestroyWindow();
    m_dlgRefMain.m_nDeviceKind = -1;
    m_nWorkMode = kWorkConnect;
    if (RunWork(nullptr) == RunResult::kDone) {
      device.m_bConnected = 1;
      m_nState |= kStateConnected;
      m_dlgRefMain.UpdatePages();
      m_dlgRefMain.ShowPanel(this, device.m_workRead.m_sysInfo.m_nKind);
      return true;
    }
    error = m_strWorkError.empty() ? res::LoadString(res::kStrNoResponse) : m_strWorkError;
  }
  device.ClosePort();
  MessageBox(error, kErrorCaption, MB_ICONEXCLAMATION);
  return false;
}

void CMainFrame::ResetConnection() {
  CKX2Device& device = theApp.m_device;
  device.ClosePort();
  if (m_dlgRefMain.GetSafeHwnd() != 0) m_dlgRefMain.DestroyWindow();
  m_dlgRefMain.m_nDeviceKind = -1;
  device.m_bConnected = 0;
  device.m_workRead = CSettingWorkData();
  m_nState = 0;
}

void CMainFrame::OnLinkLost() {
  KillTimer(kLinkLostTimer);
  // A notice of an earlier link, or one the frame has let go already.
  if (!IsConnected() || theApp.m_device.m_port.IsOpen()) return;
  // The operation still running, and a dialog over the pages (the data
  // just downloaded, a wizard page), report and end first: taking the
  // panel from under them would close them with it.
  if (IsOperationRunning() || IsModalLoopRunning()) {
    SetTimer(kLinkLostTimer, kLinkLostRetryMs);
    return;
  }
  ResetConnection();
  MessageBox(res::LoadString(res::kStrLinkLost), kErrorCaption, MB_ICONEXCLAMATION);
}

void CMainFrame::OnTimer(UINT_PTR id) {
  if (id == kLinkLostTimer) {
    OnLinkLost();
  } else {
    CFrameWndEx::OnTimer(id);
  }
}

void CMainFrame::OnDisconnect() {
  if (RefuseWhileBusy(this)) return;
  // The logger is left as it is: nothing goes out, only the port closes.
  m_nWorkMode = kWorkNothing;
  static_cast<void>(RunWork(nullptr));
  ResetConnection();
}

void CMainFrame::ExecuteSettingItem(CWnd* caller, int index, unsigned flags) {
  if (RefuseWhileBusy(caller)) return;
  CKX2Device& device = theApp.m_device;
  if (index < 0) {
    CWnd* focus = GetFocus();
    m_nWorkMode = index == -2 ? kWorkSystem : kWorkConnect;
    if (index == -1) device.ClearDeviceMessages();
    const RunResult result = RunWork(nullptr);
    // The operator's full re-read reports a failure as every other operation
    // does, with the device object's text: a logger that went (its adapter
    // pulled) as not connected, one that did not wake as no response. The
    // system re-read before a download stays silent, since the download
    // reports.
    if (result == RunResult::kFailed && index == -1) {
      const std::string text =
          device.m_strError.empty() ? res::LoadString(res::kStrDeviceNoResponse) : device.m_strError;
      (caller ? caller : this)->MessageBox(text, nullptr, MB_ICONEXCLAMATION);
    }
    if (caller) caller->SetFocus();
    if (focus) focus->SetFocus();
  } else if (index < kSettingItemCount) {
    device.m_workEdit = device.m_workRead;
    CSettingSelect select;
    select.Init(device.m_workRead.m_sysInfo.m_nKind, 0);
    for (int i = 0; i < kSettingItemCount; ++i) select.m_item[i].checked = i == index ? 1 : 0;
    CKXCSettingWork work;
    // Each page shows its own outcome; the frame only refreshes.
    static_cast<void>(work.RunWizard(caller, select, flags));
  }
  m_dlgRefMain.UpdatePages();
}

void CMainFrame::OnSettingGroup(int group) { RunSettingGroup(group); }

void CMainFrame::RunSettingGroup(int group) {
  if (RefuseWhileBusy(this) || !OpenConnection()) return;
  CKX2Device& device = theApp.m_device;
  CSettingSelect select;
  select.Init(device.m_workRead.m_sysInfo.m_nKind, 0);
  select.m_nCurrent = static_cast<uint16_t>(group);
  if (group != 0) {
    for (int i = 0; i < kSettingItemCount; ++i) {
      if (select.m_item[i].checked && g_settingItems[i].group == group) continue;
      select.m_item[i].checked = 0;
      select.m_item[i].available = 0;
    }
  }
  device.m_workEdit = device.m_workRead;
  CKXCSettingWork work;
  static_cast<void>(work.SelectAndRun(this, select));
  SetFocus();
  m_dlgRefMain.UpdatePages();
}

void CMainFrame::OnExportSettings() {
  // The records may be changing under a running work.
  if (RefuseWhileBusy(this)) return;
  CKX2Device& device = theApp.m_device;
  CSettingSelect select;
  select.Init(device.m_workRead.m_sysInfo.m_nKind, 1);
  device.m_workEdit = device.m_workRead;
  CDlgTreeItem dlg(this);
  dlg.SetTitle(res::LoadString(res::kStrExportTitle));
  dlg.m_select = select;
  if (dlg.DoModal() != IDOK) return;
  select = dlg.m_select;
  CSettingWorkData work;
  work = device.m_workRead;
  for (uint16_t& flag : work.m_flags) flag = 0;
  CKXCSettingWork transfer;
  // The export says its own failures; success needs no word.
  static_cast<void>(transfer.ExportFile(this, &work, select));
}

void CMainFrame::OnImportSettings() {
  if (RefuseWhileBusy(this)) return;
  CKX2Device& device = theApp.m_device;
  CSettingSelect select;
  select.Init(device.m_workRead.m_sysInfo.m_nKind, 1);
  if (device.m_port.IsOpen()) device.m_workEdit = device.m_workRead;
  CKXCSettingWork transfer;
  static_cast<void>(transfer.ImportFile(this, select));
  SetFocus();
  m_dlgRefMain.UpdatePages();
}

void CMainFrame::OnFirmwareUpdate() {
  if (RefuseWhileBusy(this)) return;
  CDlgFirm dlg(this);
  dlg.DoModal();
  if (dlg.m_bUpdated == 0) return;
  // The logger restarted from its new program: its version and settings
  // are read anew.
  CWnd* focus = GetFocus();
  m_nWorkMode = kWorkConnect;
  static_cast<void>(RunWork(nullptr));
  SetFocus();
  if (focus != nullptr) focus->SetFocus();
  m_dlgRefMain.UpdatePages();
}
