#pragma once
// The system clipboard's text (UTF-8). The program reaches the clipboard
// only through these; without a window system there is none, and every
// call then answers FALSE.

#include <string>

#include "ui/WinDefs.h"

// Whether the clipboard holds text.
BOOL IsClipboardTextAvailable();
// The clipboard's text; FALSE when it holds none.
BOOL GetClipboardText(std::string& text);
// The clipboard holds this text alone from now on.
BOOL SetClipboardText(const std::string& text);
// The clipboard holds nothing from now on.
BOOL EmptyClipboard();
