#include "ui/FileDialog.h"

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* defExt, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parentWnd)
    : m_bOpen(bOpenFileDialog),
      m_strDefExt(defExt ? defExt : ""),
      m_strFileName(fileName ? fileName : ""),
      m_strFilter(filter ? filter : ""),
      m_pParentWnd(parentWnd) {
  m_ofn.Flags = flags;
}

INT_PTR CFileDialog::DoModal() {
  FileDialogRequest r;
  r.open = m_bOpen != FALSE;
  r.defaultExt = m_strDefExt;
  r.fileName = m_strFileName;
  r.flags = m_ofn.Flags;
  r.filter = m_strFilter;
  r.title = m_ofn.lpstrTitle ? m_ofn.lpstrTitle : "";
  r.initialDir = m_ofn.lpstrInitialDir ? m_ofn.lpstrInitialDir : "";
  r.owner = m_pParentWnd;
  auto path = GetMessageService().FileDialog(r);
  if (!path || path->empty()) return IDCANCEL;
  m_strPath = *path;
  // The platform's dialog adds the default extension to a name without one.
  std::string name = GetFileName();
  if (!m_strDefExt.empty() && name.find('.') == std::string::npos) m_strPath += "." + m_strDefExt;
  return IDOK;
}

std::string CFileDialog::GetFileName() const {
  size_t slash = m_strPath.find_last_of('/');
  return slash == std::string::npos ? m_strPath : m_strPath.substr(slash + 1);
}

std::string CFileDialog::GetFileExt() const {
  std::string name = GetFileName();
  size_t dot = name.find_last_of('.');
  return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}
