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

// The template's style bits (res::ControlStyle) of a control that
// CreateDialogControls made; 0 for other widgets.
uint32_t TemplateStyleOf(const QWidget* control);
// The group that a made radio button belongs to: the buttons of one group
// answer the same object, other controls nullptr.
QObject* RadioGroupOf(const QWidget* control);
