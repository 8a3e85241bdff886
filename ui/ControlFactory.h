#pragma once
// Builds the controls of a dialog template inside a dialog's window: one
// widget and one wrapper (CStatic, CEdit, ...) per template row, found later
// by id; user actions reach the dialog as WM_COMMAND / WM_NOTIFY.

#include "res/DialogTemplate.h"
#include "ui/Fonts.h"

class CWnd;
class QObject;
class QWidget;

void CreateDialogControls(CWnd* dialog, const res::DialogTemplateData& data, const DluMetrics& dlu);

// The template's style bits (res::ControlStyle) of a control the factory
// made; 0 for any other widget. Wrappers read them when they take the
// control over (a tree's check boxes, a combo box's kind, a button's look).
uint64_t TemplateStyleOf(const QWidget* widget);
// The group that a made radio button belongs to: the buttons of one group
// answer the same object, other controls nullptr.
QObject* RadioGroupOf(const QWidget* control);
