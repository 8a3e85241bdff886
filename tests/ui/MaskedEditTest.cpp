// The masked edit: its text in and out, typing over the pattern, and the
// other ways in (paste, cut, untyped changes) that must keep the pattern.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>

#include "ui/Clipboard.h"
#include "ui/DataExchange.h"
#include "ui/Dialog.h"
#include "ui/MFCMaskedEdit.h"
#include "ui/RecordingMessageService.h"

using res::ControlKind;

namespace {
constexpr int kDate = 1001;
constexpr int kTime = 1002;  // digits only by its style, as a masked field of a page is
constexpr int kReadOnly = 1003;
constexpr const char* kDateMask = "  DD DD DD DD DD";
constexpr const char* kDateTemplate = "20__-__-__ __:__";

class Host : public CDialog {
 public:
  CMFCMaskedEdit m_date, m_time, m_readOnly;

  static res::DialogTemplateData Template() {
    return {
        9300,
        "",
        200,
        80,
        res::DS_POPUP,
        "ＭＳ ゴシック",
        9,
        {
            {kDate, ControlKind::MaskedEdit, "", res::CS_BORDER | res::CS_TABSTOP | res::CS_AUTOHSCROLL, 7, 7, 90, 13},
            {kTime, ControlKind::MaskedEdit, "", res::CS_BORDER | res::CS_NUMBER | res::CS_RIGHT, 7, 24, 40, 13},
            {kReadOnly, ControlKind::MaskedEdit, "", res::CS_BORDER | res::CS_READONLY, 7, 41, 40, 13},
        }};
  }

 protected:
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Control(dx, kDate, m_date);
    DDX_Control(dx, kTime, m_time);
    DDX_Control(dx, kReadOnly, m_readOnly);
  }
};

void Key(CWnd& w, int key, const QString& text, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(w.GetWidget(), &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(w.GetWidget(), &release);
}
void Type(CWnd& w, const QString& text) {
  for (QChar c : text) Key(w, c.unicode() < 0x80 ? c.toUpper().unicode() : 0, QString(c));
}
void Paste(CWnd& w) { Key(w, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier); }
void Drop(CWnd& w, const QString& text) {
  QMimeData data;
  data.setText(text);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w.GetWidget(), &drop);
}
void Backspace(CWnd& w) { Key(w, Qt::Key_Backspace, QStringLiteral("\b")); }
void Delete(CWnd& w) { Key(w, Qt::Key_Delete, QString()); }
QLineEdit* Line(CWnd& w) { return qobject_cast<QLineEdit*>(w.GetWidget()); }
std::string Shown(CWnd& w) { return Line(w)->text().toStdString(); }

class MaskedEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(host.CreateIndirect(Host::Template()));
    host.m_date.EnableMask(kDateMask, kDateTemplate, '_', nullptr);
    host.m_time.EnableMask("DD DD", "__:__", '_');
    host.m_readOnly.EnableMask("DD DD", "__:__", '_');
  }
  Host host;
};
}  // namespace

TEST_F(MaskedEdit, AWholeTextGoesInAndTheMaskPositionsComeOut) {
  CMFCMaskedEdit& date = host.m_date;
  EXPECT_EQ(Shown(date), kDateTemplate);
  EXPECT_EQ(date.GetWindowText(), "__________");
  date.SetWindowText("2025-06-01 10:00");
  EXPECT_EQ(Shown(date), "2025-06-01 10:00");
  EXPECT_EQ(date.GetWindowText(), "2506011000");
  EXPECT_EQ(host.GetDlgItemText(kDate), "2506011000");

  // A text that does not fit the pattern is not taken.
  for (const char* wrong : {"2125-06-01 10:00", "2025-06-01 10:0", "2025-06-01 10:000", "2025-0a-01 10:00",
                            "2025/06/01 10:00", "", "２０25-06-01 10:00"}) {
    date.SetWindowText(wrong);
    EXPECT_EQ(Shown(date), "2025-06-01 10:00") << wrong;
  }
  // Empty positions are part of the pattern.
  date.SetWindowText("20__-06-01 10:00");
  EXPECT_EQ(date.GetWindowText(), "__06011000");

  // The other forms, on request.
  date.EnableGetMaskedCharsOnly(FALSE);
  EXPECT_EQ(date.GetWindowText(), "20__-06-01 10:00");
  date.EnableSetMaskedCharsOnly(TRUE);
  date.SetWindowText("2612312359");
  EXPECT_EQ(date.GetWindowText(), "2026-12-31 23:59");
  date.SetWindowText("261231235");  // one short
  EXPECT_EQ(date.GetWindowText(), "2026-12-31 23:59");

  // Without a mask it is a plain edit.
  date.DisableMask();
  date.SetWindowText("anything");
  EXPECT_EQ(date.GetWindowText(), "anything");
}

TEST_F(MaskedEdit, TypingFillsTheFreePositionsAndStepsOverTheFixedOnes) {
  CMFCMaskedEdit& date = host.m_date;
  date.SetSel(0, 0);
  Type(date, "2506011000");
  EXPECT_EQ(Shown(date), "2025-06-01 10:00");

  // Typed with its separators after the fixed century, the same.
  date.SetWindowText(kDateTemplate);
  date.SetSel(2, 2);
  Type(date, "27-03-05 07:08");
  EXPECT_EQ(Shown(date), "2027-03-05 07:08");

  // Overwriting in the middle; a letter or a full-width digit is refused
  // with a beep.
  RecordingMessageService service;
  date.SetSel(5, 5);
  Type(date, "1x２2");
  EXPECT_EQ(Shown(date), "2027-12-05 07:08");
  EXPECT_EQ(service.beeps, 2);
  // Nothing is typed past the end.
  date.SetSel(16, 16);
  Type(date, "9");
  EXPECT_EQ(Shown(date), "2027-12-05 07:08");

  // Backspace empties the position before the caret, across a separator.
  date.SetSel(9, 9);
  Backspace(date);
  EXPECT_EQ(Shown(date), "2027-12-_5 07:08");
  Backspace(date);
  EXPECT_EQ(Shown(date), "2027-1_-_5 07:08");
  // Delete empties the position at the caret and moves on.
  date.SetSel(10, 10);
  Delete(date);
  Delete(date);
  EXPECT_EQ(Shown(date), "2027-1_-_5 __:08");
  // A selection is emptied as a whole; typing over one starts at its start.
  date.SetSel(0, -1);
  Backspace(date);
  EXPECT_EQ(Shown(date), kDateTemplate);
  date.SetSel(2, 7);
  Type(date, "3");
  EXPECT_EQ(Shown(date), "203_-__-__ __:__");

  // The fixed separator of a digits-only field still stands.
  CMFCMaskedEdit& time = host.m_time;
  time.SetWindowText("00:00");
  time.SetSel(0, 0);
  Type(time, "1230");
  EXPECT_EQ(Shown(time), "12:30");
  EXPECT_EQ(time.GetWindowText(), "1230");

  // A read-only field takes nothing typed, deleted or pasted.
  host.m_readOnly.SetWindowText("01:02");
  host.m_readOnly.SetSel(0, 0);
  Type(host.m_readOnly, "99");
  Backspace(host.m_readOnly);
  Delete(host.m_readOnly);
  host.m_readOnly.SetSel(0, -1);
  SetClipboardText("23:45");
  Paste(host.m_readOnly);
  Drop(host.m_readOnly, QStringLiteral("23:45"));
  EXPECT_EQ(Shown(host.m_readOnly), "01:02");
}

TEST_F(MaskedEdit, PasteCutAndUntypedChangesKeepThePattern) {
  CMFCMaskedEdit& time = host.m_time;
  auto paste = [&time] { Paste(time); };
  time.SetSel(0, -1);
  ASSERT_TRUE(SetClipboardText("23:45"));  // a whole text
  paste();
  EXPECT_EQ(Shown(time), "23:45");
  time.SetSel(0, 0);
  SetClipboardText("0615");  // typed in from the caret
  paste();
  EXPECT_EQ(Shown(time), "06:15");
  time.SetSel(0, -1);
  SetClipboardText(" 23:45\r\n");  // a copied line: its blanks and line end go
  paste();
  EXPECT_EQ(Shown(time), "23:45");
  RecordingMessageService service;
  SetClipboardText("1a");  // refused whole, with a beep
  time.SetSel(0, 0);
  paste();
  EXPECT_EQ(Shown(time), "23:45");
  EXPECT_EQ(service.beeps, 1);
  time.SetWindowText("06:15");

  // Cut puts the selection on the clipboard and empties its positions.
  time.SetSel(1, 4);
  Key(time, Qt::Key_X, QStringLiteral("\x18"), Qt::ControlModifier);
  EXPECT_EQ(Shown(time), "0_:_5");
  std::string clip;
  ASSERT_TRUE(GetClipboardText(clip));
  EXPECT_EQ(clip, "6:1");

  // The control's own changes (context-menu paste, insert, drop) must fit too.
  time.SetWindowText("06:15");
  time.SetSel(0, -1);
  SetClipboardText("7");
  Line(time)->paste();
  EXPECT_EQ(Shown(time), "06:15");
  Line(time)->insert(QStringLiteral("07:20"));
  EXPECT_EQ(Shown(time), "07:20");
  time.SetSel(2, 2);
  Line(time)->insert(QStringLiteral("5"));
  EXPECT_EQ(Shown(time), "07:20");

  // Valid characters narrow the mask positions further.
  time.SetValidChars("0127");
  time.SetSel(0, 0);
  Type(time, "25");
  EXPECT_EQ(Shown(time), "27:20");
  time.SetWindowText("33:00");
  EXPECT_EQ(Shown(time), "27:20");
}
