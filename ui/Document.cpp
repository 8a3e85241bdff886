#include "ui/Document.h"

#include <cstdio>

#include "ui/FileDialog.h"
#include "ui/MessageService.h"
#include "ui/WinAppEx.h"

namespace {
// The framework's own texts.
constexpr const char* kUntitled = "無題";
constexpr const char* kAllFiles = "すべてのファイル (*.*)|*.*||";
constexpr const char* kCannotOpen = "ドキュメントを開けませんでした。";
constexpr const char* kCannotSave = "ドキュメントを保存できませんでした。";
}  // namespace

CDocument::CDocument() : m_strTitle(kUntitled) {}

BOOL CDocument::OnNewDocument() {
  DeleteContents();
  m_strPathName.clear();
  m_strTitle = kUntitled;
  return TRUE;
}

BOOL CDocument::OnOpenDocument(const std::string& pathName) {
  std::FILE* file = std::fopen(pathName.c_str(), "rb");
  if (!file) {
    AfxMessageBox(kCannotOpen, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
  }
  std::fclose(file);
  DeleteContents();
  return TRUE;
}

BOOL CDocument::OnSaveDocument(const std::string& pathName) {
  const std::string contents = Contents();
  std::FILE* file = std::fopen(pathName.c_str(), "wb");
  bool ok = file != nullptr;
  if (ok && !contents.empty()) ok = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
  if (file && std::fclose(file) != 0) ok = false;
  if (!ok) AfxMessageBox(kCannotSave, MB_OK | MB_ICONEXCLAMATION);
  return ok ? TRUE : FALSE;
}

void CDocument::SetPathName(const std::string& pathName) {
  m_strPathName = pathName;
  const size_t slash = pathName.find_last_of('/');
  m_strTitle = slash == std::string::npos ? pathName : pathName.substr(slash + 1);
}

BOOL CDocument::OnCmdMsg(UINT id) {
  if (id == ID_FILE_SAVE) {
    OnFileSave();
    return TRUE;
  }
  if (id == ID_FILE_SAVE_AS) {
    OnFileSaveAs();
    return TRUE;
  }
  return FALSE;
}

void CDocument::OnFileSave() { DoSave(m_strPathName); }

void CDocument::OnFileSaveAs() { DoSave(std::string()); }

BOOL CDocument::DoSave(const std::string& pathName) {
  std::string path = pathName;
  if (path.empty()) {
    CFileDialog dlg(FALSE, nullptr, m_strTitle.c_str(), OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kAllFiles,
                    AfxGetMainWnd());
    if (dlg.DoModal() != IDOK) return FALSE;
    path = dlg.GetPathName();
  }
  if (!OnSaveDocument(path)) return FALSE;
  SetPathName(path);
  return TRUE;
}
