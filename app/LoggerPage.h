#pragma once
// What every logger page of the tabbed panel does alike: the connected test,
// the hand-over of a setting item to the main frame, the swallowed Esc, the
// window's end and the logger-clock field that the System and Measurement
// pages keep.
//
// Each page keeps its own class head (CDialog, and the background runner
// where it runs logger work) and declares the overrides that every page has,
// each a line that hands over to this file (CDlgMainTest shows them alone):
// the destructor (DestroyPageWindow), PreTranslateMessage
// (TranslatePageMessage), and OnOK and OnCancel doing nothing, since a page
// is a child of the panel that neither Enter nor an IDCANCEL may hide.

#include <cstdint>
#include <optional>
#include <string>

#include "ui/WinDefs.h"

class CDialog;
class CWnd;

namespace loggerpage {

// The pages take the logger as there while the serial port is open, not by
// the frame's connected flag: a page may refresh between a failed re-read
// and the frame's reset.
bool IsPortOpen();

// A setting item (0-22), -1 for a full re-read or -2 for the system record
// alone, run by the main frame for that page; nothing without a main frame.
void ExecuteSettingItem(CWnd* page, int index);

// The main window around a page operation: the runner disables only the
// page, while the frame's menu could start another operation. Nothing
// without a main frame.
void EnableMainFrame(BOOL enable);

// The outcome of the operation just run: the device object's failure text
// with the exclamation icon, else its success text captioned "Normal
// termination", else no box.
void ShowResultTexts(CWnd& page);

// A page's (and the panel's) message translation: the Esc key-down is
// swallowed (TRUE), since Esc must never close a page or the panel; every
// other message goes to the dialog's own translation.
BOOL TranslatePageMessage(CDialog& page, MSG* msg);

// The page's destructor ends its window while the page is still whole: its
// OnDestroy runs as the page's own (the clock pages stop their timer there),
// and no message reaches the page once its members have gone while its
// background part waits for a work still running.
void DestroyPageWindow(CWnd& page);

// The page's clock timer (re)started; the id it runs under, 0 on failure.
UINT_PTR StartClockTimer(CWnd& page, UINT_PTR& running, UINT_PTR id);
void StopClockTimer(CWnd& page, UINT_PTR& running);

// One tick of the logger-clock field: rewrites it only when the logger's
// second has changed since the last write. Up to one day after 1970 the
// field stays empty: that is "no clock read" rather than a time.
void ShowLoggerClock(CWnd* field, std::optional<int64_t>& shown);

// The clock text as the pages show it (local time), empty for t <= 86400.
std::string FormatLoggerClock(int64_t t);

}  // namespace loggerpage
