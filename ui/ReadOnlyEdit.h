#pragma once
// CReadOnlyEdit: a read-only text box for texts of any length, which shows
// its owner's bytes without a copy and lays out only the lines in sight
// (ReadOnlyEditWidget). Its window text is the text as shown: line ends as
// they are, bytes that are no UTF-8 as U+FFFD; a text set as window text is
// copied.

#include <string_view>

#include "ui/Wnd.h"

class CReadOnlyEdit : public CWnd {
 public:
  // text: the caller's, unchanged while shown (until another text is shown
  // or the window goes).
  void ShowText(std::string_view text);
};
