// The settings file's export: the save dialog and the file around the
// writer's text.
#include <ctime>
#include <string>

#include "platform/FileWrite.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "settings/KXCSettingWork.h"
#include "settings/SettingFileKeys.h"
#include "settings/SettingSelect.h"
#include "ui/FileDialog.h"
#include "ui/MessageService.h"

CKXCSettingWork::ExportResult CKXCSettingWork::ExportFile(CWnd* parent, const CSettingWorkData* work,
                                                          const CSettingSelect& select) {
  if (work == nullptr) return ExportResult::kNothingToDo;
  bool anyTicked = false;
  for (const CSettingSelect::Item& item : select.m_item) anyTicked = anyTicked || item.checked != 0;
  if (!anyTicked) return ExportResult::kNothingToDo;

  // One instant names the file and stamps its DATE line, however long the
  // dialog stays open.
  const std::time_t t = std::time(nullptr);
  std::tm now{};
  localtime_r(&t, &now);
  const std::string name = DefaultFileName(now);

  CFileDialog dlg(FALSE, settingfile::kExtension, name.c_str(), OFN_OVERWRITEPROMPT, settingfile::kFileFilter, parent);
  const std::string title = res::LoadString(res::kStrSaveTitle);
  dlg.m_ofn.lpstrTitle = title.c_str();
  dlg.m_ofn.lpstrInitialDir = "";
  if (dlg.DoModal() != IDOK) return ExportResult::kCancelled;

  // A file the user may not write is refused; a failed write leaves an
  // earlier file of that name whole where the folder allows. Either is said.
  std::string text;
  if (WriteFileText(*work, select, now, text) != kWriteDone ||
      platform::SaveFile(dlg.GetPathName(), text) != platform::FileWriteResult::kWritten) {
    ShowMessageBox(parent, res::LoadString(res::kStrFileCreateFailed), nullptr, MB_ICONEXCLAMATION);
    return ExportResult::kNotWritten;
  }
  return ExportResult::kExported;
}
