// The read-only text box of long texts: its lines as shown, the owner's bytes
// read in place, the scroll range and the selection.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "ui/Clipboard.h"
#include "ui/Dialog.h"
#include "ui/QtText.h"
#include "ui/ReadOnlyEdit.h"
#include "ui/ReadOnlyEditWidget.h"

namespace {
res::DialogTemplateData Box() {
  return {9300,
          "",
          200,
          100,
          res::DS_POPUP,
          "ＭＳ ゴシック",
          9,
          {{1002, res::ControlKind::ReadOnlyEdit, "",
            res::CS_READONLY | res::CS_BORDER | res::CS_MULTILINE | res::CS_VSCROLL | res::CS_HSCROLL, 7, 7, 186, 86}}};
}

class ReadOnlyEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dlg.CreateIndirect(Box()));
    box = dynamic_cast<CReadOnlyEdit*>(dlg.GetDlgItem(1002));
    ASSERT_NE(box, nullptr);
    view = dynamic_cast<ReadOnlyEditWidget*>(box->GetWidget());
    ASSERT_NE(view, nullptr);
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (int i = 0; i < view->LineCount(); ++i) lines.push_back(FromQ(view->LineText(i)));
    return lines;
  }
  void Mouse(QEvent::Type type, int line, const QString& before, Qt::KeyboardModifiers keys = Qt::NoModifier) {
    const int h = view->fontMetrics().lineSpacing();
    const QPointF at(2 + view->fontMetrics().horizontalAdvance(before), 2 + line * h + h / 2);
    QMouseEvent e(type, at, view->viewport()->mapToGlobal(at), Qt::LeftButton,
                  type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, keys);
    QApplication::sendEvent(view->viewport(), &e);
  }

  CDialog dlg;
  CReadOnlyEdit* box = nullptr;
  ReadOnlyEditWidget* view = nullptr;
};
}  // namespace

TEST_F(ReadOnlyEditTest, ShowsLinesAsTheyEndAndBytesThatAreNoUtf8AsReplacements) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"", {""}},
      {"a\r\nb\r\n", {"a", "b", ""}},
      {"a\nb", {"a", "b"}},
      {"x\xff\r\n", {"x\xEF\xBF\xBD", ""}},
      {"雨量\r\n", {"雨量", ""}},
  };
  for (const Case& c : cases) {
    box->ShowText(c.text);
    EXPECT_EQ(Lines(), c.lines) << c.text;
    // The window text is the text as shown, its line ends kept.
    EXPECT_EQ(box->GetWindowText(), platform::ToValidUtf8(c.text));
  }
  // A text set as window text is the box's own copy.
  box->SetWindowText("own\r\n");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"own", ""}));
}

TEST_F(ReadOnlyEditTest, AFullLoggerMemoryIsReadInPlaceAndScrollsToItsLastLine) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "00001,24/03/05 14:00:00,0.5\r\n";
  box->ShowText(text);
  EXPECT_EQ(view->Bytes().data(), text.data());
  EXPECT_EQ(view->LineCount(), 100001);
  QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::NoModifier);
  QApplication::sendEvent(view, &end);
  const int shown = view->viewport()->height() / view->fontMetrics().lineSpacing();
  EXPECT_EQ(view->FirstVisibleLine(), 100001 - shown);
  EXPECT_GT(view->horizontalScrollBar()->maximum() + view->viewport()->width(),
            view->fontMetrics().horizontalAdvance(QStringLiteral("00001,24/03/05 14:00:00,0.5")));
}

TEST_F(ReadOnlyEditTest, TheMouseAndCtrlASelectWhatCtrlCCopies) {
  box->ShowText("abc\r\ndefgh\r\n");
  Mouse(QEvent::MouseButtonPress, 0, "a");
  Mouse(QEvent::MouseMove, 1, "def");
  Mouse(QEvent::MouseButtonRelease, 1, "def");
  EXPECT_EQ(view->SelectedText(), QStringLiteral("bc\ndef"));
  Mouse(QEvent::MouseButtonPress, 1, "defg", Qt::ShiftModifier);
  EXPECT_EQ(view->SelectedText(), QStringLiteral("bc\ndefg"));
  QKeyEvent all(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
  QApplication::sendEvent(view, &all);
  QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
  QApplication::sendEvent(view, &copy);
  std::string copied;
  ASSERT_TRUE(GetClipboardText(copied));
  EXPECT_EQ(copied, "abc\ndefgh\n");
  // A new text comes without a selection.
  box->ShowText("x");
  EXPECT_TRUE(view->SelectedText().isEmpty());
}
