#pragma once
// The helpers of the logger pages of the tabbed panel: the connected test,
// the hand-over of a setting item to the main frame, the steps of a page's
// own logger operation (confirmation, run, result boxes), the swallowed Esc,
// the window's end and the logger-clock field that the System and
// Measurement pages keep. The overrides every page has stand once, in the
// pages' base (app/LoggerPageDlg.h).

#include <cstdint>
#include <optional>
#include <string>

#include "app/RunResult.h"
#include "settings/SettingItems.h"
#include "ui/WinDefs.h"

class CDialog;
class CKXCWorkingThread;
class CWnd;

namespace loggerpage {

// The pages take the logger as there while the serial port is open, not by
// the frame's connected flag: a page may refresh between a failed re-read
// and the frame's reset.
bool IsPortOpen();

// A setting item (0-22), -1 for a full re-read or -2 for the system record
// alone, run by the main frame for that page with the wizard's page flags
// (0x1000: no re-read after the page's work); nothing without a main frame.
void ExecuteSettingItem(CWnd* page, int index, unsigned flags = 0);

// The main frame disabled (FALSE) or enabled again around a page's own
// operation, so no frame command starts beside it.
void EnableMainFrame(BOOL enable);

// The confirmation before a page operation: OK and Cancel, Cancel the
// default; true only for OK.
bool Confirm(CWnd& page, unsigned textId, const char* caption);

// A page's own logger operation run without an abort button (the works poll
// no escape event): the device object's texts are emptied first, and after
// the run its error text, or else its success text, is shown. The run's
// result; kBusy, said and nothing else done, while another operation runs.
RunResult RunPageWork(CWnd& page, CKXCWorkingThread& work);

// The device object's texts after a run: the error text with the
// exclamation icon, or else the success text under "Normal termination",
// or nothing.
void ShowDeviceMessages(CWnd& page);

// The outcome box of an operation that reports its own result: "成功"
// (done) or "エラー！ 失敗" with the exclamation icon.
void ShowOutcome(CWnd& page, bool done, const char* caption);

// A page's (and the panel's) message translation: the Esc key-down is
// swallowed (TRUE), since Esc must never close a page or the panel; every
// other message goes to the dialog's own translation.
BOOL TranslatePageMessage(CDialog& page, MSG* msg);

// A page's window ended by its destructor, before the page's background part
// waits for a work still running, so no message reaches the page meanwhile.
// Called from the most derived destructor, while the page is still whole,
// its OnDestroy runs as the page's own (the measurement input page stops its
// clock timer there).
void DestroyPageWindow(CWnd& page);

// The page's clock timer (re)started; the id it runs under, 0 on failure.
UINT_PTR StartClockTimer(CWnd& page, UINT_PTR& running, UINT_PTR id);
void StopClockTimer(CWnd& page, UINT_PTR& running);

// One tick of the logger-clock field: rewrites it only when the logger's
// second has changed since the last write. Up to one day after 1970 the
// field stays empty: that is "no clock read" rather than a time.
void ShowLoggerClock(CWnd* field, std::optional<int64_t>& shown);

// The clock pages' timer handling in one: (re)started when the page shows,
// stopped when it hides.
void OnClockPageShown(CWnd& page, BOOL show, UINT_PTR& running, UINT_PTR id);
// A timer of a clock page: the tick of its running clock timer updates the
// clock field (TRUE); any other timer is not the clock's (FALSE).
BOOL OnClockTimer(CWnd& page, UINT_PTR id, UINT_PTR running, int fieldId, std::optional<int64_t>& shown);

// The clock text as the pages show it (local time), empty for t <= 86400.
std::string FormatLoggerClock(int64_t t);

}  // namespace loggerpage
