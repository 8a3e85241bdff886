// Keys typed into the standard dialogs (a real file dialog, a real message
// box) opened over the program's windows belong to those dialogs: nothing
// reaches the terminal or the logger, and Tab moves within the dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>

#include "TerminalTestSupport.h"
#include "app/DlgTerminal.h"
#include "app/LogView.h"
#include "link/MLog.h"
#include "link/RSPort.h"
#include "tests/app/AppTestSupport.h"
#include "tests/app/FrameFixture.h"
#include "tests/support/ScopedTimeScale.h"
#include "tests/support/SerialSettings.h"
#include "ui/MessagePump.h"

namespace {

// The message service that shows real Qt dialogs, for the length of a test.
class RealDialogs {
 public:
  RealDialogs() : m_previous(SetMessageService(nullptr)) {}
  ~RealDialogs() { SetMessageService(m_previous); }
  RealDialogs(const RealDialogs&) = delete;
  RealDialogs& operator=(const RealDialogs&) = delete;

 private:
  MessageService* m_previous;
};

QWidget* FocusIn(QWidget& dialog) {
  QWidget* f = dialog.focusWidget();
  return f ? f : &dialog;
}

class TerminalSaveDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureQtApplication(); }

  void SetUp() override {
    ASSERT_EQ(log.m_echoBuffer.Init(), 1);
    SetEchoLog(&log);
    ASSERT_EQ(port.Open(peer.DeviceName(), LoggerLineSettings()), PortOpenResult::kOpened);
    terminal.SetLink(&port, &log);
    ASSERT_TRUE(terminal.CreateTerminal(nullptr));
    terminal.ShowWindow(SW_SHOW);
    terminal.GetView()->SetFocus();
    QCoreApplication::processEvents();
  }

  void TearDown() override {
    terminal.DestroyWindow();
    port.Close();
    SetEchoLog(nullptr);
    while (PendingMessageCount() > 0) PumpAllPendingMessages();
  }

  ScopedTimeScale timeScale{0.01};
  CMLog log;
  PtyPeer peer;
  CRSPort port;
  CDlgTerminal terminal;
  RealDialogs real;
};

TEST_F(TerminalSaveDialogTest, TextTabEscAndEnterInTheSaveDialogStayInIt) {
  bool sawDialog = false;
  bool tabMoved = false;
  QString typed;
  OnModal<QFileDialog>([&](QFileDialog& dlg) {
    sawDialog = true;
    auto* name = dlg.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setFocus();
    name->clear();
    TypeKey(name, Qt::Key_X, QStringLiteral("x"));
    TypeKey(name, Qt::Key_Y, QStringLiteral("y"));
    typed = name->text();
    QWidget* before = FocusIn(dlg);
    TypeKey(before, Qt::Key_Tab, QStringLiteral("\t"));
    tabMoved = FocusIn(dlg) != before;
    // Enter on an empty name only keeps the dialog; Esc then cancels it.
    name->clear();
    TypeKey(name, Qt::Key_Return, QStringLiteral("\r"));
    TypeKey(FocusIn(dlg), Qt::Key_Escape, QStringLiteral("\x1b"));
  });
  terminal.SendMessage(WM_COMMAND, CDlgTerminal::kSaveLog);

  EXPECT_TRUE(sawDialog);
  EXPECT_EQ(typed, QStringLiteral("xy"));
  EXPECT_TRUE(tabMoved);
  EXPECT_TRUE(terminal.GetView()->InputLine().IsEmpty());
  EXPECT_EQ(terminal.GetView()->Lines().GetCount(), 0);
  EXPECT_EQ(peer.Receive(1, 300), "");

  // The terminal still has its own keys once the dialog has gone.
  TypeKey(terminal.GetView()->GetWidget(), Qt::Key_A, QStringLiteral("a"));
  TypeKey(terminal.GetView()->GetWidget(), Qt::Key_Return, QStringLiteral("\r"));
  EXPECT_EQ(peer.Receive(3), "a\r\n");
}

// The frame swallows Tab for its panel; a box or a file dialog above it keeps
// Tab for its own buttons and fields.
TEST_F(FrameTest, TabMovesWithinAMessageBoxAndTheLogFileDialogOverTheFrame) {
  RealDialogs real;
  ASSERT_TRUE(Connect());
  bool boxTab = false;
  OnModal<QMessageBox>([&](QMessageBox& box) {
    QWidget* before = FocusIn(box);
    TypeKey(before, Qt::Key_Tab, QStringLiteral("\t"));
    boxTab = FocusIn(box) != before;
    TypeKey(FocusIn(box), Qt::Key_Escape, QStringLiteral("\x1b"));
  });
  EXPECT_EQ(frame->MessageBox("?", "Time Synchronization", MB_OKCANCEL | MB_ICONQUESTION), IDCANCEL);
  EXPECT_TRUE(boxTab);

  bool dialogTab = false;
  OnModal<QFileDialog>([&](QFileDialog& dlg) {
    QWidget* before = FocusIn(dlg);
    TypeKey(before, Qt::Key_Tab, QStringLiteral("\t"));
    dialogTab = FocusIn(dlg) != before;
    TypeKey(FocusIn(dlg), Qt::Key_Escape, QStringLiteral("\x1b"));
  });
  frame->SendMessage(WM_COMMAND, CMainFrame::ID_LOG_RECORD);
  EXPECT_TRUE(dialogTab);
  EXPECT_EQ(frame->m_bLogRecording, 0);
}

}  // namespace
