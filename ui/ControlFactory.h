#pragma once
// Builds the controls of a dialog template inside a dialog's window: one
// widget and one wrapper (CStatic, CEdit, ...) per template row, found later
// by id; user actions reach the dialog as WM_COMMAND / WM_NOTIFY.

#include "res/DialogTemplate.h"
#include "ui/Fonts.h"

class CWnd;

void CreateDialogControls(CWnd* dialog, const res::DialogTemplateData& data, const DluMetrics& dlu);
