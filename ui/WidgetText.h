#pragma once
// Window text of whatever widget a window wraps: labels, edits, buttons,
// group boxes and top-level windows. CR LF in the system's text becomes a Qt
// line break and comes back as CR LF from multi-line edits.

#include <string>

class QWidget;

void SetWidgetText(QWidget* widget, const std::string& text);
std::string GetWidgetText(const QWidget* widget);
// "&Open" -> "Open", "a && b" -> "a & b": statics show no mnemonics.
std::string StripMnemonic(const std::string& text);
