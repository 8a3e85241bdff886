// The settings file's import: the open dialog and the file around the
// reader, then the item tree and the wizard over what the file holds.
#include <string>

#include "app/Kestrix2CommApp.h"
#include "app/wizard/DlgTreeItem.h"
#include "platform/FileRead.h"
#include "res/StringTable.h"
#include "settings/KXCSettingWork.h"
#include "settings/SettingFileKeys.h"
#include "settings/SettingSelect.h"
#include "ui/FileDialog.h"
#include "ui/MessageService.h"
#include "res/StringIds.h"

namespace {
constexpr const char* kReadError = "Read Err";

void Refuse(CWnd* parent, const std::string& text) { ShowMessageBox(parent, text, nullptr, MB_ICONEXCLAMATION); }

void RefusePath(CWnd* parent, UINT id, const std::string& path) {
  Refuse(parent, res::LoadString(id) + "\r\n(" + path + ")");
}
}  // namespace

int CKXCSettingWork::ImportFile(CWnd* parent, CSettingSelect select) {
  CKX2Device& device = theApp.m_device;
  // Fields the file does not set keep the logger's values as last read.
  CSettingWorkData work;
  work = device.m_workRead;
  for (uint16_t& flag : work.m_flags) flag = 0;
  if (ReadFile(parent, work) != 0) return -1;
  KeepReadItems(select, work);

  CDlgTreeItem dlg(parent);
  dlg.SetTitle(res::LoadString(res::kStrImportTitle));
  dlg.m_select = select;
  if (dlg.DoModal() != IDOK) return -1;
  select = dlg.m_select;
  device.m_workEdit = work;
  RunWizard(parent, select, 0);
  return 0;
}

int CKXCSettingWork::ReadFile(CWnd* parent, CSettingWorkData& work) {
  CFileDialog dlg(TRUE, settingfile::kExtension, "", OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, settingfile::kFileFilter,
                  parent);
  const std::string title = res::LoadString(res::kStrFileTitle);
  dlg.m_ofn.lpstrTitle = title.c_str();
  dlg.m_ofn.lpstrInitialDir = "";
  if (dlg.DoModal() != IDOK) return -1;
  const std::string path = dlg.GetPathName();

  // One byte beyond the longest settings file, so that the reader can tell
  // a longer file and refuse it rather than apply a value cut short.
  std::string text;
  switch (platform::ReadFileStart(path, kMaxFileBytes + 1, &text)) {
    case platform::FileReadResult::kRead:
      break;
    case platform::FileReadResult::kCannotOpen:
      RefusePath(parent, res::kStrFileOpenFailed, path);
      return -1;
    default:
      Refuse(parent, kReadError);
      return -1;
  }

  CSettingWorkData read = work;
  switch (ParseFileText(text, read)) {
    case kReadDone:
      break;
    case kReadNoHeader:
      RefusePath(parent, res::kStrFileOpenFailed, path);
      return -1;
    default:
      RefusePath(parent, res::kStrNotSettingsFile, path);
      return -1;
  }
  // A file without one usable item would open an empty tree that offers
  // nothing: it is no settings file to this program.
  bool any = false;
  for (uint16_t flag : read.m_flags) any = any || flag != 0;
  if (!any) {
    RefusePath(parent, res::kStrNotSettingsFile, path);
    return -1;
  }
  work = read;
  return 0;
}
