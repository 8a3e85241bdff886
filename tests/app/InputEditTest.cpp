// The input edits in their test dialog, control by control: typing,
// pasting and leaving the field, and the ways in besides typing (Ctrl+V,
// the context menu's paste, a drop, an input method) that must not bring in
// what the field refuses.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

#include "InputControlsFixture.h"
#include "ui/Clipboard.h"
#include "ui/RecordingMessageService.h"

namespace {
using Dlg = InputControlsDialog;

void Key(CWnd& field, int key, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QCoreApplication::sendEvent(field.GetWidget(), &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QCoreApplication::sendEvent(field.GetWidget(), &release);
}

// Each character a key of its own, as the operator types it.
void Type(CWnd& field, const QString& text) {
  for (QChar c : text) Key(field, c.unicode() < 0x80 ? c.toUpper().unicode() : 0, QString(c));
}

void PasteKey(CWnd& field) { Key(field, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier); }
void CopyKey(CWnd& field) { Key(field, Qt::Key_C, QStringLiteral("\x03"), Qt::ControlModifier); }
void SelectAllKey(CWnd& field) { Key(field, Qt::Key_A, QStringLiteral("\x01"), Qt::ControlModifier); }

// The field's context menu, and its entry of that key (the texts are
// translated).
void MenuEntry(CWnd& field, QKeySequence::StandardKey key) {
  const QString shortcut = QLatin1Char('\t') + QKeySequence(key).toString(QKeySequence::NativeText);
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), field.GetWidget()->mapToGlobal(QPoint(2, 2)));
  QCoreApplication::sendEvent(field.GetWidget(), &event);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  for (QAction* action : menu->actions())
    if (action->text().endsWith(shortcut)) action->trigger();
  menu->close();
}

void Drop(CWnd& field, const QString& text) {
  QMimeData data;
  data.setText(text);
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(field.GetWidget(), &enter);
  QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(field.GetWidget(), &event);
}

std::string Clipboard() {
  std::string text;
  GetClipboardText(text);
  return text;
}

QLineEdit* Line(CWnd& field) { return qobject_cast<QLineEdit*>(field.GetWidget()); }

class InputEdits : public InputControlsFixture {
 protected:
  // Types into the field and moves the focus on to the plain edit.
  std::string TypeAndLeave(CWnd& field, const QString& text) {
    field.SetFocus();
    Type(field, text);
    dlg.GetDlgItem(Dlg::kPlain)->SetFocus();
    EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(Dlg::kPlain));
    return field.GetWindowText();
  }
  std::string PasteAndLeave(CWnd& field, const std::string& clip) {
    field.SetFocus();
    SetClipboardText(clip);
    PasteKey(field);
    dlg.GetDlgItem(Dlg::kPlain)->SetFocus();
    return field.GetWindowText();
  }
  std::vector<CEdit*> AllEdits() {
    return {&dlg.m_editHalfWidth, &dlg.m_editAddress,  &dlg.m_editPassword,
            &dlg.m_editReal,      &dlg.m_editPositive, &dlg.m_editNumber};
  }
};
}  // namespace

TEST_F(InputEdits, EveryEditDropsFullWidthAndKanaAndTakesAHalfWidthDigit) {
  for (CEdit* edit : AllEdits()) {
    Type(*edit, QStringLiteral("１ア漢"));
    Type(*edit, QStringLiteral("5"));
    EXPECT_EQ(edit->GetWindowText(), "5") << edit->GetDlgCtrlID();
    // A character outside the 16-bit range arrives as one key of two units.
    Key(*edit, 0, QString::fromUcs4(U"😀", 1));
    EXPECT_EQ(edit->GetWindowText(), "5") << edit->GetDlgCtrlID();
  }
}

TEST_F(InputEdits, WholeNumberTyping) {
  CSTNumEdit& edit = dlg.m_editNumber;  // 0 to 240
  Type(edit, QStringLiteral("2a4-.1 "));
  EXPECT_EQ(edit.GetWindowText(), "24");  // 241 is above the maximum
  Key(edit, Qt::Key_Backspace, QStringLiteral("\b"));
  EXPECT_EQ(edit.GetWindowText(), "2");
  edit.m_nMax = edit.m_nMin = 5;  // no range
  Type(edit, QStringLiteral("419"));
  EXPECT_EQ(edit.GetWindowText(), "2419");
}

TEST_F(InputEdits, WholeNumberLeavingCorrectsOnlyOutsideTheRange) {
  CSTNumEdit& edit = dlg.m_editNumber;
  edit.m_nMin = 1;
  edit.m_nMax = 10;
  EXPECT_EQ(TypeAndLeave(edit, QStringLiteral("0")), "1");
  edit.SetWindowText("");
  EXPECT_EQ(TypeAndLeave(edit, QStringLiteral("07")), "07");  // kept as typed
  edit.SetWindowText("");
  EXPECT_EQ(PasteAndLeave(edit, "99"), "10");  // a paste is not range-checked, leaving corrects it
  edit.m_nMin = 0;
  edit.SetWindowText("");
  EXPECT_EQ(TypeAndLeave(edit, QString()), "");  // 0 lies within: the text stays
}

TEST_F(InputEdits, RealNumberTyping) {
  CSTRealNumEdit& edit = dlg.m_editReal;  // -10.0 to 10.0
  Type(edit, QStringLiteral("-11"));
  EXPECT_EQ(edit.GetWindowText(), "-1");  // -11 is below the minimum
  Type(edit, QStringLiteral(".5.-x"));
  EXPECT_EQ(edit.GetWindowText(), "-1.5");  // one full stop, the sign only at the start, no letters
  edit.SetWindowText("5");
  edit.SetSel(0, 0);
  Type(edit, QStringLiteral("-"));
  EXPECT_EQ(edit.GetWindowText(), "-5");
  // The sign and the full stop go in only when the text they make holds:
  // a second sign or a full stop before the sign are refused at position 0,
  // and so is a sign that takes the value below the minimum.
  edit.SetSel(0, 0);
  Type(edit, QStringLiteral("-."));
  EXPECT_EQ(edit.GetWindowText(), "-5");
  edit.SetWindowText("50");
  edit.SetSel(0, 0);
  Type(edit, QStringLiteral("-"));
  EXPECT_EQ(edit.GetWindowText(), "50");
  edit.SetWindowText("-5");
  edit.m_nDecimals = 0;
  edit.SetSel(2, 2);
  Type(edit, QStringLiteral("."));
  EXPECT_EQ(edit.GetWindowText(), "-5");
}

TEST_F(InputEdits, RealNumberLeavingClampsAndFormats) {
  CSTRealNumEdit& edit = dlg.m_editReal;
  EXPECT_EQ(TypeAndLeave(edit, QStringLiteral("-1.5")), "-1.50");
  edit.SetWindowText("");
  EXPECT_EQ(TypeAndLeave(edit, QString()), "0.00");
  edit.SetWindowText("");
  EXPECT_EQ(TypeAndLeave(edit, QStringLiteral("-")), "0.00");  // not "-0.00"
  edit.SetWindowText("");
  EXPECT_EQ(PasteAndLeave(edit, "-50"), "-10.00");
  edit.m_dMax = edit.m_dMin = 0.0;  // no range: the value stays
  edit.SetWindowText("");
  EXPECT_EQ(PasteAndLeave(edit, "-50"), "-50.00");
}

TEST_F(InputEdits, PositiveNumberWaitsForLeavingToEnforceTheMinimum) {
  CSTPositiveNumEdit& edit = dlg.m_editPositive;  // 2.4 to 12.0, one decimal
  EXPECT_EQ(TypeAndLeave(edit, QStringLiteral("1")), "2.4");
  edit.SetWindowText("");
  Type(edit, QStringLiteral("50-"));
  EXPECT_EQ(edit.GetWindowText(), "5");  // 50 is above the maximum; no sign
  Type(edit, QStringLiteral(".5."));
  EXPECT_EQ(edit.GetWindowText(), "5.5");
  edit.SetWindowText("");
  EXPECT_EQ(PasteAndLeave(edit, "50"), "12.0");
  edit.SetWindowText("");
  EXPECT_EQ(TypeAndLeave(edit, QString()), "2.4");
}

TEST_F(InputEdits, AddressTakesItsSignsAndRefusesBlankAndComma) {
  CEditAddress& edit = dlg.m_editAddress;
  Type(edit, QStringLiteral("user@apn.example-1 ,()"));
  EXPECT_EQ(edit.GetWindowText(), "user@apn.example-1");
  Type(edit, QStringLiteral("!\"#$%&'*+/=?^_{|}~"));
  EXPECT_EQ(edit.GetWindowText(), "user@apn.example-1!\"#$%&'*+/=?^_{|}~");
  Key(edit, Qt::Key_Backspace, QStringLiteral("\b"));
  EXPECT_EQ(edit.GetWindowText(), "user@apn.example-1!\"#$%&'*+/=?^_{|}");
}

TEST_F(InputEdits, PasteInsertsTheHalfWidthFormAndLeavesItOnTheClipboard) {
  for (CEdit* edit : AllEdits()) {
    SetClipboardText("１２");
    PasteKey(*edit);
    EXPECT_EQ(edit->GetWindowText(), "12") << edit->GetDlgCtrlID();
    EXPECT_EQ(Clipboard(), "12");
  }
  SetClipboardText("ａｐｎ．ｅｘ");
  dlg.m_editAddress.SetWindowText("");
  PasteKey(dlg.m_editAddress);
  EXPECT_EQ(dlg.m_editAddress.GetWindowText(), "apn.ex");
}

TEST_F(InputEdits, APasteTheFieldRefusesLeavesTextAndSelection) {
  struct Case {
    CEdit* edit;
    const char* clip;
  };
  const Case refused[] = {
      {&dlg.m_editNumber, "3 4"},     {&dlg.m_editNumber, "-3"},    {&dlg.m_editNumber, "abc"},
      {&dlg.m_editReal, "1-2"},       {&dlg.m_editReal, "1e5"},     {&dlg.m_editReal, "1.2.3"},
      {&dlg.m_editPositive, "-1"},    {&dlg.m_editAddress, "a b"},  {&dlg.m_editAddress, "a,b"},
      {&dlg.m_editAddress, "a\nb"},   {&dlg.m_editPassword, "p w"}, {&dlg.m_editHalfWidth, "漢字"},
      {&dlg.m_editHalfWidth, "a\tb"},
  };
  for (const Case& c : refused) {
    c.edit->SetWindowText("12");
    c.edit->SetSel(1, 2);
    SetClipboardText(c.clip);
    PasteKey(*c.edit);
    EXPECT_EQ(c.edit->GetWindowText(), "12") << c.edit->GetDlgCtrlID() << " " << c.clip;
    int start = -1, end = -1;
    c.edit->GetSel(start, end);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(end, 2);
  }
  // What the base admits: blanks and signs, half-width.
  dlg.m_editHalfWidth.SetWindowText("");
  SetClipboardText("a b,c");
  PasteKey(dlg.m_editHalfWidth);
  EXPECT_EQ(dlg.m_editHalfWidth.GetWindowText(), "a b,c");
}

TEST_F(InputEdits, MenuPasteDropAndInputMethodPassTheSameCheck) {
  CSTNumEdit& edit = dlg.m_editNumber;
  SetClipboardText("１２");
  Line(edit)->paste();  // the context menu's Paste
  EXPECT_EQ(edit.GetWindowText(), "");
  SetClipboardText("12");
  Line(edit)->paste();
  EXPECT_EQ(edit.GetWindowText(), "12");

  const auto drop = [&](const QString& text) { Drop(edit, text); };
  drop(QStringLiteral("x y"));
  EXPECT_EQ(edit.GetWindowText(), "12");
  drop(QStringLiteral("３"));
  EXPECT_EQ(edit.GetWindowText(), "12");
  drop(QStringLiteral("3"));
  EXPECT_EQ(edit.GetWindowText(), "312");  // dropped where the pointer is

  edit.SetWindowText("1");
  edit.SetSel(1, 1);
  QInputMethodEvent composed(QString(), {});
  composed.setCommitString(QStringLiteral("４5"));
  QCoreApplication::sendEvent(edit.GetWidget(), &composed);
  EXPECT_EQ(edit.GetWindowText(), "15");
}

TEST_F(InputEdits, CtrlCCopiesTheWholeTextOrTheSelectionButNothingOfAPassword) {
  CEditAddress& address = dlg.m_editAddress;
  address.SetWindowText("apn.example");
  address.SetSel(3, 3);
  CopyKey(address);
  EXPECT_EQ(Clipboard(), "apn.example");
  address.SetSel(0, 3);
  CopyKey(address);
  EXPECT_EQ(Clipboard(), "apn");
  address.SetWindowText("");
  CopyKey(address);
  EXPECT_FALSE(IsClipboardTextAvailable());

  SetClipboardText("before");
  dlg.m_editPassword.SetWindowText("secret");
  dlg.m_editPassword.SetSel(0, -1);
  CopyKey(dlg.m_editPassword);
  EXPECT_EQ(Clipboard(), "before");
}

TEST_F(InputEdits, LeavingIsTheEditsOwnAffairButAPopUpMenuIsNoLeaving) {
  // Each edit is left for the plain edit, which in turn is left for the next.
  for (CEdit* edit : AllEdits()) TypeAndLeave(*edit, QStringLiteral("1"));
  EXPECT_EQ(dlg.m_killFocusFrom, std::vector<int>(AllEdits().size() - 1, Dlg::kPlain));

  dlg.m_editPositive.SetWindowText("1");
  QFocusEvent popUp(QEvent::FocusOut, Qt::PopupFocusReason);
  QCoreApplication::sendEvent(dlg.m_editPositive.GetWidget(), &popUp);
  EXPECT_EQ(dlg.m_editPositive.GetWindowText(), "1");
}

// Selecting changes no text: Ctrl+A selects the whole text in every edit,
// and what is typed then replaces it, checked as any typed change.
TEST_F(InputEdits, SelectAllThenTypingReplacesTheText) {
  const struct {
    CEdit* edit;
    const char* before;
    const char* typed;
    const char* after;
  } cases[] = {{&dlg.m_editPositive, "3.6", "1.5", "1.5"},
               {&dlg.m_editNumber, "10", "241", "24"},
               {&dlg.m_editAddress, "old.apn", "new", "new"}};
  for (const auto& c : cases) {
    c.edit->SetWindowText(c.before);
    c.edit->SetSel(0, 0);
    SelectAllKey(*c.edit);
    Type(*c.edit, QString::fromUtf8(c.typed));
    EXPECT_EQ(c.edit->GetWindowText(), c.after) << c.edit->GetDlgCtrlID();
  }
  dlg.m_editNumber.SetWindowText("17");
  dlg.m_editNumber.SetSel(1, 1);
  MenuEntry(dlg.m_editNumber, QKeySequence::SelectAll);
  Type(dlg.m_editNumber, QStringLiteral("0"));
  EXPECT_EQ(dlg.m_editNumber.GetWindowText(), "0");
}

// A value copied from a terminal line, a text file or a spreadsheet cell
// comes with blanks and a line end: they go, and the field's rules judge the
// rest. A refused paste, drop or typed character beeps; a taken one does not.
TEST_F(InputEdits, APastedLineIsTrimmedAndARefusalBeeps) {
  RecordingMessageService service;
  enum Way { kKey, kMenu, kDrop };
  const struct {
    CEdit* edit;
    Way way;
    const char* clip;
    const char* after;  // the field held "" before
  } cases[] = {
      {&dlg.m_editNumber, kKey, "12\n", "12"},
      {&dlg.m_editNumber, kKey, "12\r\n", "12"},
      {&dlg.m_editNumber, kKey, " 12", "12"},
      {&dlg.m_editNumber, kMenu, "12 ", "12"},
      {&dlg.m_editNumber, kKey, "\uff11\uff12\n", "12"},  // full-width digits
      {&dlg.m_editPositive, kMenu, "\u3000 3.6\u3000\r\n", "3.6"},
      {&dlg.m_editPositive, kDrop, "\u30005.5\n", "5.5"},  // a drop is not made half-width
      {&dlg.m_editAddress, kDrop, " apn.example\n", "apn.example"},
      {&dlg.m_editNumber, kKey, "12\n\n", ""},  // one line end only
      {&dlg.m_editNumber, kMenu, "1 2\n", ""},
      {&dlg.m_editAddress, kDrop, "a b\n", ""},
  };
  for (const auto& c : cases) {
    c.edit->SetWindowText("");
    c.edit->SetFocus();
    const int beeps = service.beeps;
    SetClipboardText(c.clip);
    if (c.way == kKey) PasteKey(*c.edit);
    if (c.way == kMenu) MenuEntry(*c.edit, QKeySequence::Paste);
    if (c.way == kDrop) Drop(*c.edit, QString::fromUtf8(c.clip));
    EXPECT_EQ(c.edit->GetWindowText(), c.after) << c.edit->GetDlgCtrlID() << " " << c.way << " " << c.clip;
    EXPECT_EQ(service.beeps - beeps, *c.after == '\0' ? 1 : 0) << c.clip;
  }
  const int beeps = service.beeps;
  Type(dlg.m_editNumber, QStringLiteral("x\uff13"));  // a letter, a full-width digit
  EXPECT_EQ(service.beeps - beeps, 2);
}
