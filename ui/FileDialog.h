#pragma once
// CFileDialog: an open or save file dialog, shown through the message
// service (so tests answer it with a path).

#include <string>

#include "ui/MessageService.h"

class CFileDialog {
 public:
  struct OpenFileName {
    DWORD Flags = 0;
    const char* lpstrTitle = nullptr;
    const char* lpstrInitialDir = nullptr;
  };

  CFileDialog(BOOL bOpenFileDialog, const char* defExt = nullptr, const char* fileName = nullptr,
              DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const char* filter = nullptr,
              CWnd* parentWnd = nullptr);
  virtual ~CFileDialog() = default;

  virtual INT_PTR DoModal();  // IDOK with a path, else IDCANCEL
  std::string GetPathName() const { return m_strPath; }
  std::string GetFileName() const;
  std::string GetFileExt() const;

  OpenFileName m_ofn;

 private:
  BOOL m_bOpen;
  std::string m_strDefExt;
  std::string m_strFileName;
  std::string m_strFilter;
  CWnd* m_pParentWnd;
  std::string m_strPath;
};
