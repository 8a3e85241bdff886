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

#include "settings/WalkResult.h"

class CInputBaseDlg;
class CSdlTime;
class CSettingSelect;
class CSettingWorkData;
class CWnd;

class CKXCSettingWork {
 public:
  // A longer file is no settings file: it is refused whole rather than cut.
  static constexpr std::size_t kMaxFileBytes = 100000;

  // clang-format 14 takes an attributed enum for a braced list and mangles it.
  // clang-format off
  enum class [[nodiscard]] WriteTextResult { kWriteDone, kWriteNothingTicked, kWriteBadText };
  using enum WriteTextResult;
  enum class [[nodiscard]] ParseResult { kReadDone, kReadNoHeader, kReadTooLong };
  using enum ParseResult;
  // Of the settings file on the window side.
  enum class [[nodiscard]] ExportResult {
    kExported,     // the file holds the ticked items
    kNothingToDo,  // no record, or no item ticked: no dialog
    kCancelled,    // the save dialog was cancelled
    kNotWritten,   // refused or failed, and said in a box
  };
  enum class [[nodiscard]] ImportResult {
    kWizardRun,      // the wizard ran over the chosen items
    kNotRead,        // the file dialog was cancelled, or the file not read (said)
    kTreeCancelled,  // the item tree was cancelled: nothing changed
  };
  enum class [[nodiscard]] FileReadResult {
    kRead,       // `work` holds the file's items
    kCancelled,  // the open dialog was cancelled
    kNotRead,    // not read, no settings file, or nothing usable in it (said)
  };
  // How a setting item's keys fared.
  enum class [[nodiscard]] ItemRead { kTaken, kAbsent, kRefused };
  // clang-format on

  // A key whose value the reader could not use, and the range or rule it
  // broke, as the import's box lists it. The key names an alarm with its
  // position ("ALM_RAIN,1"), as its line begins.
  struct Refusal {
    std::string key;
    std::string value;
    std::string rule;
    bool operator==(const Refusal&) const = default;
  };

  CKXCSettingWork() = default;
  virtual ~CKXCSettingWork();

  // --- item tree and wizard (app/wizard/) ---

  // Makes the input page of a setting item, or null for an item without one.
  using PageMaker = std::function<std::unique_ptr<CInputBaseDlg>(int item)>;

  // Lets the operator narrow the selection in the item tree, then runs the
  // wizard over what was chosen. Cancelled, and the selection unchanged,
  // when the tree is cancelled; else the wizard's result.
  WalkResult SelectAndRun(CWnd* parent, CSettingSelect& select, unsigned unused = 0);
  // One input page per ticked item, in item order, walked with the given
  // page flags; cancelled also when no item had a page.
  WalkResult RunWizard(CWnd* parent, const CSettingSelect& select, unsigned flags);
  WalkResult RunWizard(CWnd* parent, const CSettingSelect& select, unsigned flags, const PageMaker& make);
  // The page of each item that has one.
  static std::unique_ptr<CInputBaseDlg> CreatePage(int item);

  // --- settings file, window side (app/wizard/) ---

  // Asks for a file name (proposing one stamped with the current time) and
  // writes the ticked items of the record into it (platform::SaveFile): a
  // file the user may not write is refused, a failed write leaves an earlier
  // file of that name as it was where the folder allows, and either is said.
  ExportResult ExportFile(CWnd* parent, const CSettingWorkData* work, const CSettingSelect& select);
  // Asks for a settings file, offers the items it holds in the item tree and
  // runs the wizard over the chosen ones, its pages starting from the file's
  // values (the rest of the record is the logger's as last read).
  ImportResult ImportFile(CWnd* parent, CSettingSelect select);
  // Asks for a settings file and reads it into `work`. Keys whose values
  // cannot be used are listed in one box first; their items are left out.
  FileReadResult ReadFile(CWnd* parent, CSettingWorkData& work);

  // --- export ---

  // "DWL_20261208_093011.rai" for the given local time.
  static std::string DefaultFileName(const std::tm& now);

  // The whole file for the ticked items of the selection, stamped with the
  // local time `now`. kWriteNothingTicked, or kWriteBadText when a text that
  // would be written holds a line break or NUL (it would split its line, and
  // the reader would take part of it for another key); `file` is then empty.
  static WriteTextResult WriteFileText(const CSettingWorkData& work, const CSettingSelect& select, const std::tm& now,
                                       std::string& file);
  // The six lines of the measurement schedule.
  static void WriteMeasureSetting(std::string& file, const CSettingWorkData& work);

  // --- import ---

  // Reads the file's bytes into `work`: clears its 23 item flags and sets
  // those of the items whose values were taken. A refused file (kReadNoHeader,
  // kReadTooLong) leaves `work` as it was. Fields of items the file does not
  // hold, or holds with a value out of range, keep their earlier values; the
  // two rain alarms excepted, which always start from zero. Each key whose
  // value broke its range or rule is added to `refusals`, in file order of
  // the items, its item left out.
  static ParseResult ParseFileText(std::string_view text, CSettingWorkData& work,
                                   std::vector<Refusal>* refusals = nullptr);
  // The import's box: a line that says what happens, then one line per
  // refusal, "KEY,value  (rule)"; a value is shown as valid UTF-8, cut at 40
  // characters.
  static std::string RefusalText(const std::vector<Refusal>& refusals);
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
  // The two rain alarms: an alarm that is on must hold a criterion the
  // logger takes; one that is off is kept as written, its amount and period
  // not judged. kAbsent when the file holds neither.
  static ItemRead ReadAlarmRain(CSettingWorkData& work, std::string_view text,
                                std::vector<Refusal>* refusals = nullptr);
  // The access point; kAbsent when "AP_NAME" is missing.
  static ItemRead ReadAccessPoint(CSettingWorkData& work, std::string_view text,
                                  std::vector<Refusal>* refusals = nullptr);
};
