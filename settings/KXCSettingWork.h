#pragma once
// Entry of the settings transfer: the item tree, the wizard and the settings
// file. It keeps no state; callers make one on the stack for one operation.
//
// The settings file (".rai") side is text in, text out here; the dialogs and
// the disk around it belong to the window side. So do the item tree and the
// wizard: their members below are defined with the wizard's pages in
// app/wizard/, and only the window side calls them.

#include <cstddef>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CInputBaseDlg;
class CSdlTime;
class CSettingSelect;
class CSettingWorkData;
class CWnd;

class CKXCSettingWork {
 public:
  // A longer file is no settings file: it is refused whole rather than cut.
  static constexpr std::size_t kMaxFileBytes = 100000;

  // Results of WriteFileText.
  static constexpr int kWriteDone = 0;
  static constexpr int kWriteNothingTicked = -1;
  static constexpr int kWriteBadText = -2;  // a text holds CR, LF or NUL
  // Results of ParseFileText.
  static constexpr int kReadDone = 0;
  static constexpr int kReadNoHeader = -1;
  static constexpr int kReadTooLong = -2;

  CKXCSettingWork() = default;
  virtual ~CKXCSettingWork();

  // --- item tree and wizard (app/wizard/) ---

  // Makes the input page of a setting item, or null for an item without one.
  using PageMaker = std::function<std::unique_ptr<CInputBaseDlg>(int item)>;

  // Lets the operator narrow the selection in the item tree, then runs the
  // wizard over what was chosen. -1, and the selection unchanged, when the
  // tree is cancelled; else the wizard's result.
  int SelectAndRun(CWnd* parent, CSettingSelect& select, unsigned unused = 0);
  // One input page per ticked item, in item order, walked with the given
  // page flags: 1 walked to the end, 0 backed out of the first page, -1
  // closed or cancelled, or no item had a page.
  int RunWizard(CWnd* parent, const CSettingSelect& select, unsigned flags);
  int RunWizard(CWnd* parent, const CSettingSelect& select, unsigned flags, const PageMaker& make);
  // The page of each item that has one.
  static std::unique_ptr<CInputBaseDlg> CreatePage(int item);

  // --- settings file, window side (app/wizard/) ---

  // Asks for a file name (proposing one stamped with the current time) and
  // writes the ticked items of the record into it. The file is replaced as a
  // whole: a failed write leaves an earlier file of that name as it was and
  // says so. 0 written; -1 nothing ticked, cancelled or not written.
  int ExportFile(CWnd* parent, const CSettingWorkData* work, const CSettingSelect& select);
  // Asks for a settings file, offers the items it holds in the item tree and
  // runs the wizard over the chosen ones, its pages starting from the file's
  // values (the rest of the record is the logger's as last read). 0 when the
  // wizard ran; -1 when the file was not read or the tree was cancelled.
  int ImportFile(CWnd* parent, CSettingSelect select);
  // Asks for a settings file and reads it into `work`. 0 read; -1 cancelled,
  // or not read, not a settings file or holding no item that can be used
  // (each but the cancel said in a box).
  int ReadFile(CWnd* parent, CSettingWorkData& work);

  // --- export ---

  // "DWL_20261208_093011.rai" for the given local time.
  static std::string DefaultFileName(const std::tm& now);

  // The whole file for the ticked items of the selection, stamped with the
  // local time `now`. kWriteNothingTicked, or kWriteBadText when a text that
  // would be written holds a line break or NUL (it would split its line, and
  // the reader would take part of it for another key); `file` is then empty.
  static int WriteFileText(const CSettingWorkData& work, const CSettingSelect& select, const std::tm& now,
                           std::string& file);
  // The six lines of the measurement schedule.
  static void WriteMeasureSetting(std::string& file, const CSettingWorkData& work);

  // --- import ---

  // Reads the file's bytes into `work`: clears its 23 item flags and sets
  // those of the items whose values were taken. A refused file (kReadNoHeader,
  // kReadTooLong) leaves `work` as it was. Fields of items the file does not
  // hold, or holds with a value out of range, keep their earlier values; the
  // two rain alarms excepted, which always start from zero.
  static int ParseFileText(std::string_view text, CSettingWorkData& work);
  // Withdraws from the selection every item whose flag in `work` is 0.
  static void KeepReadItems(CSettingSelect& select, const CSettingWorkData& work);

  // The value of the first line that starts with the key and a comma, up to
  // the line's end: its length, or -1 (and an empty value) when no line does.
  static int GetKeyValue(std::string_view text, std::string_view key, std::string& value);
  // "2027-03-05 07:08:09" (any of - / : _ between fields) into `time`;
  // false, and nothing stored, when the date or the time part is missing.
  static bool ParseDateTime(CSdlTime& time, std::string_view value);
  // Appends the non-empty comma-separated fields; returns the list's length.
  static int SplitComma(std::vector<std::string>& list, std::string_view text);
  // 0 when the rain alarms were taken, -1 when the file holds neither.
  static int ReadAlarmRain(CSettingWorkData& work, std::string_view text);
  // 1 when the access point was taken, -1 when "AP_NAME" is missing.
  static int ReadAccessPoint(CSettingWorkData& work, std::string_view text);
};
