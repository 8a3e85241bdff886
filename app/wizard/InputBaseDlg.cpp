#include "app/wizard/InputBaseDlg.h"

#include "app/Kestrix2CommApp.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "ui/DC.h"

namespace {
constexpr const char* kNormalTermination = "Normal termination";
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
}  // namespace

CInputBaseDlg::CInputBaseDlg(UINT nIDTemplate) : CDialog(nIDTemplate) {
  m_brushWhite.CreateSolidBrush(kWhite);
  MapCommand(kBackButton, [this] { OnBnClickedBack(); });
  MapCommand(IDCANCEL, [this] { OnBnClickedCancel(); });
  MapCommand(kNextButton, [this] { OnBnClickedNext(); });
}

CInputBaseDlg::~CInputBaseDlg() {
  // The window ends while the page is whole; the background part then waits
  // for a work still running.
  if (GetSafeHwnd() != 0) DestroyWindow();
  if (m_brushWhite.GetSafeHandle() != nullptr) m_brushWhite.DeleteObject();
}

int CInputBaseDlg::StartWork(CWnd* parent, unsigned pageFlags, unsigned workFlags) {
  m_nWorkFlags = workFlags;
  return RunPage(parent, pageFlags);
}

void CInputBaseDlg::DeleteSelf() { delete this; }

int CInputBaseDlg::RunPage(CWnd* parent, unsigned flags) {
  DoModalPage(parent, flags, m_nIDTemplate);
  return m_nPageResult;
}

INT_PTR CInputBaseDlg::DoModalPage(CWnd* parent, unsigned flags, UINT nIDTemplate) {
  m_nPageFlags = flags;
  m_nPageResult = kClosed;
  m_nIDTemplate = nIDTemplate;
  m_pParentWnd = parent;
  return theApp.DoModalWithFont(*this, nIDTemplate);
}

BOOL CInputBaseDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  CWnd* back = GetDlgItem(kBackButton);
  CWnd* next = GetDlgItem(kNextButton);
  if (m_nPageFlags & kOnlyPage) {
    if (back) back->ShowWindow(SW_HIDE);
    if (next) next->SetWindowText(res::LoadString(res::kStrOk));
  } else if (m_nPageFlags & kLastPage) {
    if (next) next->SetWindowText(res::LoadString(res::kStrOk));
  } else if (m_nPageFlags & kFirstPage) {
    if (back) back->EnableWindow(FALSE);
  }
  return TRUE;
}

void CInputBaseDlg::SetCloseButton() {
  if (!(m_nPageFlags & kOnlyPage)) return;
  if (CWnd* next = GetDlgItem(kNextButton)) next->ShowWindow(SW_HIDE);
  SetDlgItemText(IDCANCEL, res::LoadString(res::kStrClose));
}

void CInputBaseDlg::SetUpCheckPage() {
  m_nPageFlags |= kNoReRead;
  CInputBaseDlg::OnInitDialog();
  SetCloseButton();
}

void CInputBaseDlg::RunWorkAndConfirm(const char* caption) {
  if (RunWorkAndReport(nullptr) == RunResult::kDone) MessageBox(res::LoadString(res::kStrSuccess), caption, MB_OK);
}

HBRUSH CInputBaseDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
  HBRUSH brush = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
  const int id = pWnd != nullptr ? pWnd->GetDlgCtrlID() : 0;
  if (id == kTitleBand) {
    pDC->SetBkColor(kWhite);
    return m_brushWhite;
  }
  if (id == kWarning && nCtlColor == CTLCOLOR_STATIC) pDC->SetTextColor(kRed);
  return brush;
}

BOOL CInputBaseDlg::PreTranslateMessage(MSG* msg) {
  // Enter must not take Next (which may write into the logger) and Esc must
  // not cancel a walk half done: only the buttons move a page.
  if (msg->message == WM_ERASEBKGND) return TRUE;
  if (msg->message == WM_KEYDOWN &&
      (msg->wParam == static_cast<WPARAM>(VK_RETURN) || msg->wParam == static_cast<WPARAM>(VK_ESCAPE))) {
    return TRUE;
  }
  return CDialog::PreTranslateMessage(msg);
}

void CInputBaseDlg::EndPage(int result) {
  m_nPageResult = result;
  if (result == kCancel) {
    CDialog::OnCancel();
  } else {
    CDialog::OnOK();
  }
}

void CInputBaseDlg::OnBnClickedBack() { EndPage(kBack); }
void CInputBaseDlg::OnBnClickedNext() { EndPage(kNext); }
void CInputBaseDlg::OnBnClickedCancel() { EndPage(kCancel); }

RunResult CInputBaseDlg::RunWorkAndReport(const char* caption) {
  // Another operation owns the port and the device object's texts: this
  // work neither runs nor counts as done.
  if (RefuseWhileBusy(this)) return RunResult::kBusy;
  CKX2Device& device = theApp.m_device;
  device.ClearDeviceMessages();
  const RunResult result = Run(this, caption, FALSE);
  if (result == RunResult::kBusy) return result;
  if (!device.m_strError.empty()) {
    MessageBox(device.m_strError, nullptr, MB_ICONEXCLAMATION);
  } else if (!device.m_strSuccess.empty()) {
    MessageBox(device.m_strSuccess, kNormalTermination, MB_OK);
  }
  return result;
}

void CInputBaseDlg::SyncDeviceState() {
  if (m_nPageFlags & kEditOnly) return;
  if (!(m_nPageFlags & kStopMeasurement)) return;
  CKX2Device& device = theApp.m_device;
  if (device.m_workRead.m_sysInfo.m_nMeasuring == 0) return;
  // Its result is not looked at: the page's work runs either way, and the
  // re-read record tells afterwards whether the logger still measures.
  static_cast<void>(device.StopMeasurement());
  m_bMeasurementStopped = true;
}

void CInputBaseDlg::RefreshDeviceInfo() {
  if (m_nPageFlags & (kEditOnly | kNoReRead)) return;
  CKX2Device& device = theApp.m_device;
  if (device.WakeUp() != ReadResult::kDone) return;
  static_cast<void>(device.ReadSystemInfo());
  static_cast<void>(device.ReadMailInfo());
}
