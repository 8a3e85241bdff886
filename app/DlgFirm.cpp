#include "app/DlgFirm.h"

#include "app/Kestrix2CommApp.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "ui/DC.h"

namespace {
constexpr const char* kNormalTermination = "Normal termination";

// The string-table text, or the English one where the table lacks the id.
std::string Text(unsigned id, const char* english) {
  const char* text = res::FindString(id);
  return text != nullptr ? text : english;
}
}  // namespace

CDlgFirm::CDlgFirm(CWnd* pParent) : CDialog(IDD, pParent) {
  MapCommand(kSelectFile, [this] { OnBnClickedSelectFile(); });
  MapCommand(kUpdate, [this] { OnBnClickedUpdate(); });
}

// The window goes while the dialog is whole, so no paint reaches the colour
// handler of a dialog half destroyed.
CDlgFirm::~CDlgFirm() {
  if (GetSafeHwnd() != 0) DestroyWindow();
}

INT_PTR CDlgFirm::DoModal() {
  if (!theApp.InitModalWithFont(*this, IDD)) return -1;
  return CDialog::DoModal();
}

BOOL CDlgFirm::OnInitDialog() {
  CDialog::OnInitDialog();
  m_bUpdated = 0;
  return TRUE;
}

HBRUSH CDlgFirm::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH hbr = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  if (nCtlColor == CTLCOLOR_STATIC && pWnd != nullptr) {
    if (pWnd->GetDlgCtrlID() == kWarnings) {
      pDC->SetTextColor(RGB(255, 0, 0));
    } else if (pWnd->GetDlgCtrlID() == kCheckFirst) {
      pDC->SetTextColor(RGB(100, 100, 255));
    }
  }
  return hbr;
}

void CDlgFirm::ShowFailure(const std::string& text) {
  if (!text.empty()) MessageBox(text, nullptr, MB_ICONEXCLAMATION);
}

void CDlgFirm::EnableButtons(BOOL enable) {
  for (const int id : {static_cast<int>(kSelectFile), static_cast<int>(IDOK), static_cast<int>(kUpdate)}) {
    if (CWnd* button = GetDlgItem(id)) button->EnableWindow(enable);
  }
}

void CDlgFirm::OnBnClickedSelectFile() {
  const int result = LoadFirmwareFile();
  if (result == kCannotRead) {
    ShowFailure(Text(res::kStrFileOpenFailed, "Err! File open error!"));
  } else if (result == kNotFirmware) {
    ShowFailure(Text(res::kStrNotSettingsFile, "Err! file error!"));
  } else if (result < 0) {
    ShowFailure(Text(res::kStrFailed, "Err!"));
  }
  ShowFirmwareInfo();
}

void CDlgFirm::OnBnClickedUpdate() {
  if (m_strFilePath.empty() || RefuseWhileBusy(this)) return;
  EnableButtons(FALSE);
  const int result = StartUpdate();
  if (result == kCannotRead) {
    ShowFailure(Text(res::kStrFileOpenFailed, "Err! File open error!"));
  } else if (result == kNotFirmware) {
    ShowFailure(Text(res::kStrNotSettingsFile, "Err! file error!"));
  } else if (result == kWrongModule) {
    ShowFailure(Text(res::kStrWrongModule, "Err! Module type error!"));
  }
  EnableButtons(TRUE);
}

int CDlgFirm::StartUpdate() {
  m_bInitAfter = 0;
  m_bStopFirst = theApp.m_device.m_workRead.m_sysInfo.m_nMeasuring != 0 ? 1 : 0;
  if (!IsModuleHeader(m_headerStrings)) return kWrongModule;
  // Without the chord the operator learns nothing more than for a foreign
  // image. The chord also asks for the logger's settings to be initialised
  // after the transfer, so every transfer that runs does that.
  if (!IsKeyChordHeld(kUpdateUnlockChord)) return kWrongModule;
  m_bInitAfter = 1;

  const int read = ReadImage();
  if (read != kDone) return read;

  const UINT confirm = MB_OKCANCEL | MB_DEFBUTTON2 | MB_ICONEXCLAMATION;
  if (MessageBox(res::LoadString(res::kStrEraseConfirm), "", confirm) != IDOK) return kDone;
  if (MessageBox(res::LoadString(res::kStrInitConfirm), "", confirm) != IDOK) return kDone;

  if (RunWork(res::LoadString(res::kStrFirmwareProgress).c_str()) == RunResult::kDone) return kDone;
  ShowFailure(res::LoadString(res::kStrUpdateFailed));
  return kTransferFailed;
}

RunResult CDlgFirm::RunWork(const char* caption) {
  CKX2Device& device = theApp.m_device;
  device.ClearDeviceMessages();
  const RunResult result = Run(this, caption, FALSE);
  if (!device.m_strError.empty()) {
    ShowFailure(device.m_strError);
  } else if (!device.m_strSuccess.empty()) {
    MessageBox(device.m_strSuccess, kNormalTermination, MB_OK);
  }
  EnableButtons(TRUE);
  // Only a transfer that ran and succeeded is an update; a run refused beside
  // another operation is none.
  if (result == RunResult::kDone) m_bUpdated = 1;
  return result;
}

WorkResult CDlgFirm::ThreadWork() {
  CKX2Device& device = theApp.m_device;
  // The window side leaves the image alone until the run has ended.
  const FirmwareResult result = device.UpdateFirmware(m_strImage, m_bStopFirst, m_bInitAfter);
  if (result != FirmwareResult::kOk) {
    // A failed step or a failed write has no text of its own: the operator
    // sees the update's failure alone.
    device.SetError(result);
    return WorkResult::kFailed;
  }
  device.m_strSuccess = res::LoadString(res::kStrSucceeded);
  return WorkResult::kDone;
}
