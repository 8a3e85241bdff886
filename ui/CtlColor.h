#pragma once
// Colours of a dialog's controls, chosen by the dialog: before such a control
// paints, its dialog gets the colour message of the control's kind (through
// CWnd::OnCtlColor), and the text colour and background brush it chooses are
// the ones the control paints with, that time and until it chooses others.

#include "res/DialogTemplate.h"
#include "ui/WinDefs.h"

class QWidget;

namespace ui_detail {

// The colour message a control of that kind sends (WM_CTLCOLORSTATIC, ...),
// 0 for the kinds that keep their own colours: edits, lists and push
// buttons paint with the platform's colours whatever a handler says.
UINT CtlColorMessage(res::ControlKind kind);

// Asks the dialog for the control's colours before each of its paints.
void AskColoursBeforePaint(QWidget* control, HWND dialog, UINT message);

}  // namespace ui_detail
