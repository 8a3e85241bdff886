// The input edits and the coloured switches in the dialog of their tests:
// once as opened, and once in use, with text typed into every edit, two of
// them corrected on leaving, and the focus on a checked switch.
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <memory>

#include "tools/samples/app/InputControlsDialog.h"
#include "tools/shots/ShotList.h"
#include "ui/MessagePump.h"

namespace {
using Dlg = InputControlsDialog;

// The second group's left-aligned ON is checked here, its right-aligned OFF
// in the other picture.
std::unique_ptr<CWnd> AsOpened() {
  auto dlg = std::make_unique<Dlg>();
  if (!dlg->Create()) return nullptr;
  dlg->m_nSwitch2 = 0;
  dlg->UpdateData(FALSE);
  return dlg;
}

// Each character as a key of its own, so it passes the field's rules.
void Type(CWnd& field, const QString& text) {
  field.SetFocus();
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(field.GetWidget(), &press);
  }
}

std::unique_ptr<CWnd> InUse() {
  auto dlg = std::make_unique<Dlg>();
  if (!dlg->Create()) return nullptr;
  dlg->ShowWindow(SW_SHOW);
  dlg->SetFocus();
  QApplication::processEvents();
  Type(dlg->m_editHalfWidth, QStringLiteral("ABC 123"));
  Type(dlg->m_editAddress, QStringLiteral("apn.example.jp"));
  Type(dlg->m_editPassword, QStringLiteral("secret!"));
  Type(dlg->m_editReal, QStringLiteral("-1.5"));
  Type(dlg->m_editPositive, QStringLiteral("1"));
  Type(dlg->m_editNumber, QStringLiteral("241"));
  Type(*dlg->GetDlgItem(Dlg::kPlain), QStringLiteral("memo"));
  dlg->m_nSwitch1 = 0;
  dlg->m_nSwitch2 = 1;
  dlg->m_nSwitch3 = 0;
  dlg->UpdateData(FALSE);
  dlg->m_btnSwitch[0].SetFocus();
  PumpAllPendingMessages();
  return dlg;
}
}  // namespace

void AddControlShots(std::vector<ShotEntry>& shots) {
  shots.push_back({"input_controls", AsOpened});
  shots.push_back({"input_controls_in_use", InUse});
}
