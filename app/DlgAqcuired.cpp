#include "app/DlgAqcuired.h"

#include "app/Kestrix2CommApp.h"
#include "platform/FileWrite.h"
#include "platform/Numbers.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "ui/FileDialog.h"
#include "ui/ReadOnlyEdit.h"

namespace {
constexpr const char* kExtension = "txt";
}  // namespace

CDlgAqcuired::CDlgAqcuired(const std::string* data, BOOL errorLog, CWnd* pParent)
    : CDialogEx(IDD, pParent), m_bErrorLog(errorLog ? 1 : 0), m_pData(data) {}

INT_PTR CDlgAqcuired::DoModal() {
  CDialogTemplate dlgTemplate;
  if (!CKestrix2CommApp::LoadDlgTemplateWithFont(IDD, theApp.GetDlgFontPointSize(), dlgTemplate)) return -1;
  InitModalIndirect(dlgTemplate);
  return CDialogEx::DoModal();
}

std::string CDlgAqcuired::ProposedFileName(bool errorLog, std::time_t when) {
  std::tm local{};
  char stamp[32] = "";
  if (localtime_r(&when, &local) != nullptr) std::strftime(stamp, sizeof stamp, "%Y%m%d_%H%M%S", &local);
  return std::string(errorLog ? "DWL_ERR_" : "DWL_ALL_") + stamp + "." + kExtension;
}

CRect CDlgAqcuired::ClientRectOf(UINT id) const {
  CRect rc(0, 0, 0, 0);
  if (CWnd* control = GetDlgItem(static_cast<int>(id))) {
    control->GetWindowRect(&rc);
    ScreenToClient(&rc);
  }
  return rc;
}

BOOL CDlgAqcuired::OnInitDialog() {
  CDialogEx::OnInitDialog();
  GetClientRect(&m_rcInitClient);
  m_rcSave = ClientRectOf(kSave);
  m_rcClose = ClientRectOf(kClose);
  m_rcText = ClientRectOf(kText);
  // Smaller than at first, the buttons would slide over the text box.
  SetMinClientSize(m_rcInitClient.Width(), m_rcInitClient.Height());
  auto* text = dynamic_cast<CReadOnlyEdit*>(GetDlgItem(kText));
  if (text == nullptr || m_pData == nullptr) return TRUE;
  // The box reads the owner's bytes in place: a full logger memory is
  // megabytes. What is not UTF-8 shows as U+FFFD, while the file keeps the
  // bytes as they came.
  text->ShowText(*m_pData);
  return TRUE;
}

void CDlgAqcuired::OnOK() {
  if (m_pData == nullptr) return;
  const std::string filter = platform::Format("Text(*.%s)|*.%s|", kExtension, kExtension);
  const std::string name = ProposedFileName(m_bErrorLog != 0, std::time(nullptr));
  CFileDialog dlg(FALSE, kExtension, name.c_str(), OFN_OVERWRITEPROMPT, filter.c_str(), this);
  dlg.m_ofn.lpstrInitialDir = "";
  if (dlg.DoModal() != IDOK) return;
  const std::string path = dlg.GetPathName();
  // Written beside the target and renamed over it once complete where the
  // folder allows, so a full disk or a pulled stick never leaves a cut file
  // in place of an old one; a file the user may not write is refused.
  if (platform::SaveFile(path, *m_pData) != platform::FileWriteResult::kWritten) {
    MessageBox(platform::Format("%s\r\n(%s)", res::LoadString(res::kStrFileCreateFailed).c_str(), path.c_str()),
               nullptr, MB_ICONEXCLAMATION);
    return;
  }
  EndDialog(IDOK);
}

void CDlgAqcuired::OnSize(UINT type, int cx, int cy) {
  CDialogEx::OnSize(type, cx, cy);
  if (m_rcInitClient.Width() <= 0) return;  // before the controls were measured
  const int dx = cx - m_rcInitClient.Width();
  const int dy = cy - m_rcInitClient.Height();
  // The buttons keep their distance from the right edge; the box takes the rest.
  for (const auto& [id, rc] : {std::pair{kSave, m_rcSave}, std::pair{kClose, m_rcClose}}) {
    if (CWnd* button = GetDlgItem(static_cast<int>(id))) {
      button->MoveWindow(rc.left + dx, rc.top, rc.Width(), rc.Height());
    }
  }
  if (CWnd* text = GetDlgItem(kText)) {
    text->MoveWindow(m_rcText.left, m_rcText.top, m_rcText.Width() + dx, m_rcText.Height() + dy);
  }
}
