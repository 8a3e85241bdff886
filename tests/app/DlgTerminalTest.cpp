#include <gtest/gtest.h>

#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>
#include <thread>

#include "TerminalTestSupport.h"
#include "app/DlgTerminal.h"
#include "app/LogView.h"
#include "link/MLog.h"
#include "link/RSPort.h"
#include "platform/Hooks.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ScopedTimeScale.h"
#include "tests/support/SerialSettings.h"
#include "ui/MessagePump.h"

namespace {

// Counts the commands posted to it.
class CountingWnd : public CWnd {
 public:
  CountingWnd() { Attach(new QWidget, 0, true); }
  ~CountingWnd() override { DestroyWindow(); }
  int count = 0;

 protected:
  BOOL OnCommand(WPARAM, LPARAM) override {
    ++count;
    return TRUE;
  }
};

class DlgTerminalTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureQtApplication(); }

  void SetUp() override {
    ASSERT_EQ(log.m_echoBuffer.Init(), 1);
    SetEchoLog(&log);
    ASSERT_EQ(port.Open(peer.DeviceName(), LoggerLineSettings()), PortOpenResult::kOpened);
    terminal.SetLink(&port, &log);
    ASSERT_TRUE(terminal.CreateTerminal(nullptr));
    terminal.ShowWindow(SW_SHOW);
    ASSERT_NE(View(), nullptr);
    QCoreApplication::processEvents();
  }

  void TearDown() override {
    terminal.DestroyWindow();
    port.Close();
    SetEchoLog(nullptr);
    while (PendingMessageCount() > 0) PumpAllPendingMessages();
  }

  CLogView* View() { return terminal.GetView(); }

  void Key(int qtKey, const QString& text = QString()) {
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
    QCoreApplication::sendEvent(View()->GetWidget(), &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier, text);
    QCoreApplication::sendEvent(View()->GetWidget(), &release);
  }
  void Type(const std::string& text) {
    for (char c : text)
      Key(QChar(c).isLetter() ? Qt::Key_A + (QChar(c).toUpper().unicode() - 'A') : Qt::Key_Space, QString(QChar(c)));
  }

  // The port's open and close pauses, scaled down until the fixture goes.
  ScopedTimeScale timeScale{0.01};
  CMLog log;
  PtyPeer peer;
  CRSPort port;
  CDlgTerminal terminal;
};

TEST_F(DlgTerminalTest, EnterSendsTheLineWithCrLfAndShowsItAsSent) {
  Key(Qt::Key_Return, "\r");
  EXPECT_EQ(peer.Receive(2), "\r\n");

  Type("rd sys");
  Key(Qt::Key_Return, "\r");
  EXPECT_EQ(peer.Receive(8), "rd sys\r\n");
  // Sent text comes back from the echo ring at once, in the sent colours.
  ASSERT_EQ(View()->Lines().GetCount(), 2);
  EXPECT_EQ(TextOf(View()->Lines().At(1)), "rd sys\r\n");
  EXPECT_EQ(CLogData::Mark(View()->Lines().At(1)[0]), CLogData::kSent);
  EXPECT_TRUE(View()->InputLine().IsEmpty());
  EXPECT_EQ(View()->History().GetCount(), 1);
}

TEST_F(DlgTerminalTest, EscSendsTheLineWithByte27AndNoCrLfAndKeepsTheWindow) {
  Type("ab");
  Key(Qt::Key_Escape, "\x1b");
  EXPECT_EQ(peer.Receive(5, 300), "ab\x1b");
  EXPECT_EQ(View()->History().GetCount(), 0);
  EXPECT_TRUE(terminal.IsWindowVisible());

  // Tab is typed like any character: it neither moves the focus nor leaves the line.
  Key(Qt::Key_Tab, "\t");
  EXPECT_EQ(TextOf(View()->InputLine()), "\t");
}

TEST_F(DlgTerminalTest, WithThePortClosedNothingIsSentOrLoggedButTheInputIsCleared) {
  port.Close();
  Type("abc");
  Key(Qt::Key_Return, "\r");
  terminal.SendMessage(WM_COMMAND, CDlgTerminal::kHello);
  EXPECT_TRUE(View()->InputLine().IsEmpty());
  EXPECT_EQ(log.m_echoBuffer.Count(), 0);
  EXPECT_EQ(View()->Lines().GetCount(), 0);
  EXPECT_EQ(peer.Receive(1, 100), "");
}

TEST_F(DlgTerminalTest, WhileAWorkRunsTheButtonsAreDisabledAndDeafButTypingStillSends) {
  terminal.m_bIdle = 0;
  terminal.ShowWindow(SW_HIDE);
  terminal.ShowWindow(SW_SHOW);
  EXPECT_FALSE(terminal.GetDlgItem(CDlgTerminal::kHello)->IsWindowEnabled());
  EXPECT_FALSE(terminal.GetDlgItem(CDlgTerminal::kSaveLog)->IsWindowEnabled());
  terminal.SendMessage(WM_COMMAND, CDlgTerminal::kHello);
  terminal.SendMessage(WM_COMMAND, CDlgTerminal::kSleep);
  EXPECT_EQ(peer.Receive(1, 100), "");
  Type("x");
  Key(Qt::Key_Return, "\r");
  EXPECT_EQ(peer.Receive(3), "x\r\n");

  terminal.m_bIdle = 1;
  terminal.ShowWindow(SW_HIDE);
  terminal.ShowWindow(SW_SHOW);
  EXPECT_TRUE(terminal.GetDlgItem(CDlgTerminal::kHello)->IsWindowEnabled());
  terminal.SendMessage(WM_COMMAND, CDlgTerminal::kHello);
  EXPECT_EQ(peer.Receive(9), "\r\nhello\r\n");
  terminal.SendMessage(WM_COMMAND, CDlgTerminal::kSleep);
  EXPECT_EQ(peer.Receive(12), "st d00 slp\r\n");
}

TEST_F(DlgTerminalTest, ATypedLineLeavesALinePendingForARunningExchange) {
  // A worker's exchange waits for this reply line while the operator types.
  peer.Send("YES END\r\n");
  ASSERT_TRUE(RunUntil([&] { return port.GetReadData()->LineCount() == 1; }));
  Type("x");
  Key(Qt::Key_Return, "\r");
  EXPECT_EQ(peer.Receive(3), "x\r\n");
  EXPECT_EQ(port.GetReadData()->LineCount(), 1);
  char line[64] = {};
  EXPECT_GT(port.GetReadData()->ReadLine(line, sizeof line, 100), 0);
  EXPECT_STREQ(line, "YES END");
}

// The window thread never waits on the port: Enter sends at once while a
// worker's exchange waits for its answer, and the exchange still gets it.
TEST_F(DlgTerminalTest, EnterSendsAtOnceWhileAnExchangeWaits) {
  std::string answer;
  std::thread exchange([&] {
    char line[64] = {};
    port.GetReadData()->ReadLine(line, sizeof line, 1000000);  // 10 s of real time
    answer = line;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  Type("x");
  QElapsedTimer t;
  t.start();
  Key(Qt::Key_Return, "\r");
  EXPECT_LT(t.elapsed(), 1000);
  EXPECT_EQ(peer.Receive(3), "x\r\n");
  peer.Send("YES END\r\n");
  exchange.join();
  EXPECT_EQ(answer, "YES END");
}

TEST_F(DlgTerminalTest, OneRefreshPullsEverythingPendingAndTheLogPostsIt) {
  EXPECT_EQ(log.m_hNotifyWnd.load(), terminal.m_hWnd);
  EXPECT_EQ(log.m_nNotifyCmd.load(), CDlgTerminal::kRefresh);

  // Received traffic reaches the view through the posted refresh.
  peer.Send("WAKE\r\n");
  ASSERT_TRUE(RunUntil([&] { return View()->Lines().GetCount() == 1; }));
  EXPECT_EQ(TextOf(View()->Lines().At(0)), "WAKE\r\n");

  const platform::WindowHandle wnd = log.m_hNotifyWnd.exchange(0);
  log.WriteReceived("one\r\n", 5);
  log.WriteReceived("two\r\n", 5);
  log.WriteReceived("thr", 3);
  terminal.SendMessage(WM_COMMAND, CDlgTerminal::kRefresh);
  EXPECT_EQ(View()->Lines().GetCount(), 3);
  EXPECT_EQ(TextOf(View()->UnfinishedLine()), "thr");
  EXPECT_EQ(log.m_echoBuffer.Count(), 0);
  terminal.SendMessage(WM_COMMAND, CDlgTerminal::kRefresh);
  EXPECT_EQ(View()->Lines().GetCount(), 3);
  log.m_hNotifyWnd.store(wnd);

  terminal.DestroyWindow();
  EXPECT_EQ(log.m_hNotifyWnd.load(), 0);
  EXPECT_EQ(log.m_nNotifyCmd.load(), 0u);
  EXPECT_EQ(terminal.GetView(), nullptr);
}

// Keys typed into the real save dialog over the terminal are the dialog's:
// nothing reaches the terminal's input line or the logger.
TEST_F(DlgTerminalTest, TextTabEscAndEnterInTheSaveDialogStayInIt) {
  RealDialogs real;
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
  EXPECT_TRUE(View()->InputLine().IsEmpty());
  EXPECT_EQ(View()->Lines().GetCount(), 0);
  EXPECT_EQ(peer.Receive(1, 300), "");

  // The terminal still has its own keys once the dialog has gone.
  TypeKey(View()->GetWidget(), Qt::Key_A, QStringLiteral("a"));
  TypeKey(View()->GetWidget(), Qt::Key_Return, QStringLiteral("\r"));
  EXPECT_EQ(peer.Receive(3), "a\r\n");
}

TEST_F(DlgTerminalTest, PageKeysScrollByOnePage) {
  std::string lines;
  for (int i = 0; i < 200; ++i) lines += "l\n";
  log.WriteReceived(lines.data(), static_cast<int32_t>(lines.size()));
  terminal.SendMessage(WM_COMMAND, CDlgTerminal::kRefresh);
  CScrollBar& bar = View()->VScroll();
  const int end = bar.GetScrollPos();
  ASSERT_GT(View()->VisibleRows(), 0);
  EXPECT_EQ(end, 201 - View()->VisibleRows() + 1);
  Key(Qt::Key_PageUp);
  EXPECT_EQ(bar.GetScrollPos(), end - View()->VisibleRows());
  Key(Qt::Key_PageDown);
  Key(Qt::Key_PageDown);
  EXPECT_EQ(bar.GetScrollPos(), end);
}

TEST_F(DlgTerminalTest, ThePumpRunsOnlyWhileShownAndHandlesAt201MessagesACall) {
  CountingWnd target;
  CDlgTerminal::InstallAsPump(&terminal);

  terminal.ShowWindow(SW_HIDE);
  for (int i = 0; i < 500; ++i) target.PostMessage(WM_COMMAND, 1);
  platform::PumpMessages();
  EXPECT_EQ(target.count, 0);
  EXPECT_EQ(PendingMessageCount(), 500u);

  terminal.ShowWindow(SW_SHOW);
  std::thread worker([] { platform::PumpMessages(); });
  worker.join();
  EXPECT_EQ(target.count, 0);

  platform::PumpMessages();
  EXPECT_EQ(target.count, CDlgTerminal::kMaxPumped);
  terminal.PeekAndPump();
  terminal.PeekAndPump();
  EXPECT_EQ(target.count, 500);

  CDlgTerminal::InstallAsPump(nullptr);
}

TEST_F(DlgTerminalTest, CellsAreColouredByMarkAndTheCaretBlinksOnlyWhileActive) {
  CLogView* view = View();
  std::vector<uint16_t> entries = Received("AB\r\n");
  for (char c : std::string("RD\r\n")) entries.push_back(CLogData::Entry(static_cast<uint8_t>(c), CLogData::kSent));
  for (uint16_t e : Received("C")) entries.push_back(e);
  view->AppendText(entries);
  const char x = 'x';
  view->InputChars(&x, 1);

  view->EnableCaretBlink(WA_ACTIVE, nullptr, FALSE);
  ASSERT_TRUE(view->CaretShown());
  view->Render();
  const QImage& img = view->Bitmap();
  const int w = view->CellWidth();
  const int h = view->CellHeight();
  EXPECT_EQ(img.pixelColor(0, 0), QColor(0, 0, 100));
  EXPECT_EQ(img.pixelColor(0, h), QColor(100, 0, 0));
  // The prompt C, then the typed x, then the block caret at the end.
  EXPECT_EQ(img.pixelColor(0, 2 * h), QColor(0, 0, 100));
  EXPECT_EQ(img.pixelColor(w, 2 * h), QColor(0, 100, 0));
  EXPECT_EQ(img.pixelColor(2 * w + 1, 2 * h + 1), QColor(255, 255, 255));
  EXPECT_EQ(img.pixelColor(0, 3 * h + 1), QColor(0, 0, 0));

  view->EnableCaretBlink(WA_INACTIVE, nullptr, FALSE);
  EXPECT_FALSE(view->CaretShown());
  view->Render();
  EXPECT_EQ(view->Bitmap().pixelColor(2 * w + 1, 2 * h + 1), QColor(0, 0, 0));
}

}  // namespace

namespace {

TEST_F(DlgTerminalTest, TheCaretBlinksInTwelveTicksAndTypingFollowsTheCaretSideways) {
  CLogView* view = View();
  view->EnableCaretBlink(WA_ACTIVE, nullptr, FALSE);
  for (int tick = 1; tick <= 12; ++tick) {
    view->SendMessage(WM_TIMER, CLogView::kBlinkTimer);
    // Shown for ticks 0-4 of every twelve, hidden for 5-11.
    EXPECT_EQ(view->CaretShown(), tick % 12 < 5) << tick;
  }

  const std::string line(view->VisibleColumns() + 20, 'w');
  view->InputChars(line.data(), static_cast<int32_t>(line.size()));
  const int h = view->HScroll().GetScrollPos();
  EXPECT_GT(h, 0);
  EXPECT_LT(view->Caret() - h, view->VisibleColumns());
  EXPECT_GE(view->Caret() - h, 0);
  for (int i = 0; i < static_cast<int>(line.size()); ++i) view->OnCursorKey(VK_LEFT);
  EXPECT_EQ(view->HScroll().GetScrollPos(), 0);
}

TEST_F(DlgTerminalTest, TheWheelScrollsOneLineAndStopsAtTheEnds) {
  std::string lines;
  for (int i = 0; i < 100; ++i) lines += "l\n";
  log.WriteReceived(lines.data(), static_cast<int32_t>(lines.size()));
  terminal.SendMessage(WM_COMMAND, CDlgTerminal::kRefresh);
  CScrollBar& bar = View()->VScroll();
  const int end = bar.GetScrollPos();
  EXPECT_TRUE(View()->OnMouseWheel(0, 120, CPoint()));
  EXPECT_EQ(bar.GetScrollPos(), end - 1);
  View()->OnMouseWheel(0, -120, CPoint());
  View()->OnMouseWheel(0, -120, CPoint());
  EXPECT_EQ(bar.GetScrollPos(), end);
  for (int i = 0; i < 200; ++i) View()->OnMouseWheel(0, 120, CPoint());
  EXPECT_EQ(bar.GetScrollPos(), 0);
}

}  // namespace

namespace {

// The terminal is made hidden with the main window and collects the traffic
// before the operator first opens it: it opens on the newest lines, with the
// prompt and the input line below them.
TEST(DlgTerminalFirstShow, OpensAtTheEndOfWhatArrivedWhileHiddenThoughNoRefreshWokeIt) {
  EnsureQtApplication();
  CMLog log;
  ASSERT_EQ(log.m_echoBuffer.Init(), 1);
  CDlgTerminal terminal;
  terminal.SetLink(nullptr, &log);
  ASSERT_TRUE(terminal.CreateTerminal(nullptr));
  ASSERT_FALSE(terminal.IsWindowVisible());

  std::string lines;
  for (int i = 0; i < 200; ++i) lines += "line " + std::to_string(i) + "\r\n";
  lines += "> ";
  while (PendingMessageCount() > 0) PumpAllPendingMessages();
  log.WriteReceived(lines.data(), static_cast<int32_t>(lines.size()));
  // Hidden, it is woken by no refresh; shown, it pulls what gathered.
  EXPECT_EQ(PendingMessageCount(), 0u);
  terminal.ShowWindow(SW_SHOW);
  QCoreApplication::processEvents();

  CLogView* view = terminal.GetView();
  const int rows = view->VisibleRows();
  ASSERT_GT(rows, 1);
  EXPECT_EQ(view->VScroll().GetScrollPos(), 201 - rows + 1);
  // The prompt's row (received colour) follows the newest line.
  view->Render();
  EXPECT_EQ(view->Bitmap().pixelColor(0, (rows - 2) * view->CellHeight()), QColor(0, 0, 100));
  terminal.DestroyWindow();
  while (PendingMessageCount() > 0) PumpAllPendingMessages();
}

}  // namespace

// The terminal opens beside the main window where the screen has room, and
// else at the screen's edge below the main window's menu bar: never over the
// main window's title or menu.
TEST(DlgTerminalPlacement, OpensBesideTheMainWindowOrBelowItsMenuBar) {
  struct Case {
    CRect owner;
    int clientTop;
    CRect screen;
    CPoint at;
  };
  const Case cases[] = {
      {{100, 80, 980, 800}, 120, {0, 0, 1920, 1080}, {980, 80}},     // room on the right
      {{900, 80, 1780, 800}, 120, {0, 0, 1920, 1080}, {344, 80}},    // room on the left only
      {{100, 80, 980, 800}, 120, {0, 0, 1280, 1024}, {724, 120}},    // neither: right edge, below the menu
      {{300, 80, 1180, 800}, 120, {0, 0, 1280, 1024}, {0, 120}},     // more room on the left
      {{100, 900, 980, 1600}, 940, {0, 0, 1920, 1080}, {980, 713}},  // kept on the screen
  };
  for (const Case& c : cases) {
    const CPoint at = CDlgTerminal::OpeningPosition(c.owner, c.clientTop, 556, 367, c.screen);
    EXPECT_EQ(at.x, c.at.x) << c.owner.left << "," << c.screen.right;
    EXPECT_EQ(at.y, c.at.y) << c.owner.left << "," << c.screen.right;
  }
}
