// The main frame against the logger simulator: the Connect road and its
// failures, Disconnect, traffic-log recording and closing the window.
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QWidget>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/PortOpenReason.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "tests/app/FrameFixture.h"
#include "tests/support/TestFolder.h"

namespace {
std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

int IndexOf(const std::vector<std::string>& v, const std::string& s) {
  for (size_t i = 0; i < v.size(); ++i)
    if (v[i] == s) return static_cast<int>(i);
  return -1;
}

// The main window, counting its looks again at a lost link that had to wait.
class LinkWatchingFrame : public CMainFrame {
 public:
  int rechecks = 0;

 protected:
  void OnTimer(UINT_PTR id) override {
    if (id == kLinkLostTimer) ++rechecks;
    CMainFrame::OnTimer(id);
  }
};

class LinkLostTest : public FrameTest {
 protected:
  CMainFrame* NewFrame() override { return new LinkWatchingFrame; }
  int Rechecks() const { return static_cast<LinkWatchingFrame*>(frame)->rechecks; }
  void RestartSim() {
    ASSERT_TRUE(sim.Start());
    setenv("KX2_PORTS", sim.SlavePath().c_str(), 1);
    theApp.m_device.m_strLastPort = DevicePath(sim.SlavePath());
  }
};
}  // namespace

TEST_F(FrameTest, OkConnectsAndTheConnectedStateEnablesDisconnectExportAndImport) {
  EXPECT_TRUE(Enabled(CMainFrame::ID_CONNECT));
  EXPECT_FALSE(Enabled(CMainFrame::ID_DISCONNECT));
  EXPECT_FALSE(Enabled(CMainFrame::ID_EXPORT_SETTINGS));
  EXPECT_FALSE(Enabled(CMainFrame::ID_IMPORT_SETTINGS));
  EXPECT_FALSE(Enabled(CMainFrame::ID_SETTING_GROUP_1));

  ASSERT_TRUE(Connect());
  EXPECT_TRUE(boxes.boxes.empty()) << boxes.boxes[0].text;
  EXPECT_EQ(frame->m_nState, CMainFrame::kStateConnected);
  EXPECT_EQ(theApp.m_device.m_bConnected, 1);
  EXPECT_EQ(theApp.m_device.m_strLastPort, DevicePath(sim.SlavePath()));

  const std::vector<std::string> sent = Commands();
  const int hello = IndexOf(sent, "HELLO"), sys = IndexOf(sent, "RD SYS"), mail = IndexOf(sent, "MAIL DSP");
  ASSERT_GE(hello, 0);
  EXPECT_LT(hello, sys);
  EXPECT_LT(sys, mail);
  EXPECT_EQ(sent.size(), 3u);

  EXPECT_FALSE(Enabled(CMainFrame::ID_CONNECT));
  EXPECT_TRUE(Enabled(CMainFrame::ID_DISCONNECT));
  EXPECT_TRUE(Enabled(CMainFrame::ID_EXPORT_SETTINGS));
  EXPECT_TRUE(Enabled(CMainFrame::ID_IMPORT_SETTINGS));
  EXPECT_TRUE(Enabled(CMainFrame::ID_SETTING_GROUP_1));
  EXPECT_FALSE(Enabled(CMainFrame::ID_FIRMWARE_UPDATE));

  // The panel covers the client area and the frame was fitted to it.
  ASSERT_NE(frame->m_dlgRefMain.GetSafeHwnd(), 0);
  EXPECT_EQ(frame->m_dlgRefMain.m_nDeviceKind, theApp.m_device.m_workRead.m_sysInfo.m_nKind);
  QWidget* panel = frame->m_dlgRefMain.GetWidget();
  QWidget* view = frame->GetActiveView()->GetWidget();
  ASSERT_TRUE(PumpUntil([&] { return panel->size() == view->size(); }));
  EXPECT_TRUE(panel->isVisible());
  CRect client;
  frame->GetClientRect(&client);
  CRect own;
  frame->m_dlgRefMain.GetClientRect(&own);
  EXPECT_EQ(client.Width(), own.Width());
  EXPECT_EQ(client.Height(), own.Height());

  // A Connect posted while connected is dropped by its update rule.
  const size_t before = sim.ReceivedCommands().size();
  frame->SendMessage(WM_COMMAND, CMainFrame::ID_CONNECT, 0);
  EXPECT_EQ(sim.ReceivedCommands().size(), before);
  EXPECT_EQ(portDialogs, 1);
}

TEST_F(FrameTest, ASilentLoggerGivesNoResponseAndLeavesTheProgramDisconnected) {
  SilenceFor("");
  ASSERT_TRUE(Connect());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "応答がありません");
  EXPECT_EQ(boxes.boxes[0].caption, "Error!");
  EXPECT_EQ(boxes.boxes[0].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_EQ(frame->m_nState, 0);
  EXPECT_FALSE(theApp.m_device.m_port.IsOpen());
  EXPECT_EQ(frame->m_dlgRefMain.GetSafeHwnd(), 0);
  EXPECT_TRUE(Enabled(CMainFrame::ID_CONNECT));
  EXPECT_FALSE(Enabled(CMainFrame::ID_DISCONNECT));
}

TEST_F(FrameTest, ALoggerWithoutANetworkRecordIsNotSupported) {
  SilenceFor("MAIL DSP");
  ASSERT_TRUE(Connect());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "接続機器は対応しておりません");
  EXPECT_EQ(boxes.boxes[0].caption, "Error!");
  const std::vector<std::string> sent = Commands();
  EXPECT_GE(IndexOf(sent, "RD SYS"), 0);
  EXPECT_GE(IndexOf(sent, "MAIL DSP"), 0);
  EXPECT_EQ(frame->m_nState, 0);
  EXPECT_FALSE(theApp.m_device.m_port.IsOpen());
}

TEST_F(FrameTest, APortThatCannotBeOpenedSaysSo) {
  const std::string absent = "/nonexistent/kx2-port";
  setenv("KX2_PORTS", (absent + ":" + sim.SlavePath()).c_str(), 1);
  theApp.m_device.m_strLastPort = DevicePath(absent);
  ASSERT_TRUE(Connect());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text,
            "シリアルポートが開けません\r\nこのポートが見つかりません。機器の接続を確かめてください。");
  EXPECT_EQ(boxes.boxes[0].caption, "Error!");
  EXPECT_TRUE(sim.ReceivedCommands().empty());
  EXPECT_EQ(frame->m_nState, 0);

  // Held by another program: the second line says so.
  platform::SerialDevice other;
  ASSERT_TRUE(other.Open(DevicePath(sim.SlavePath())));
  theApp.m_device.m_strLastPort = DevicePath(sim.SlavePath());
  ASSERT_TRUE(Connect());
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[1].text, "シリアルポートが開けません\r\nこのポートはほかのプログラムが使用中です。");
  EXPECT_EQ(frame->m_nState, 0);
}

TEST(PortOpenReason, NamesTheGroupToJoinOrTheOtherProgram) {
  struct Case {
    platform::OpenError error;
    std::string group;
    std::string line;
  } cases[] = {
      {platform::OpenError::Permission, "dialout",
       "このポートを使う権限がありません。利用者をグループ「dialout」に加えてから、ログインし直してください。"},
      {platform::OpenError::Permission, "", "このポートを使う権限がありません。"},
      {platform::OpenError::Busy, "", "このポートはほかのプログラムが使用中です。"},
      {platform::OpenError::Other, "", ""},
      {platform::OpenError::None, "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(PortOpenReason(c.error, c.group), c.line);

  // The group that owns a device file, looked up by its path.
  const TestFolder folder("owned");
  const std::string path = folder.File("kx2-owned");
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  const group* own = getgrgid(getegid());
  ASSERT_NE(own, nullptr);
  ::chmod(path.c_str(), 0660);
  const std::string expected = getegid() == 0 ? "" : own->gr_name;  // nobody is sent to root's group
  EXPECT_EQ(platform::SerialDevice::OwningGroup("\\\\.\\" + path), expected);
  // A group that may not write the device is no help.
  ::chmod(path.c_str(), 0640);
  EXPECT_EQ(platform::SerialDevice::OwningGroup("\\\\.\\" + path), "");
  EXPECT_EQ(platform::SerialDevice::OwningGroup("\\\\.\\/nonexistent/kx2"), "");
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

// The logger's line goes while the program sits idle (the simulator ends,
// as an adapter pulled): the frame is disconnected at once, says so once,
// and Connect works again without Disconnect first.
TEST_F(FrameTest, ALostLinkDisconnectsAtOnceAndConnectWorksAgain) {
  ASSERT_TRUE(Connect());
  sim.Stop();
  ASSERT_TRUE(PumpUntil([&] { return frame->m_nState == 0; }));
  PumpUntil([] { return false; }, 300);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text,
            "機器との接続が切れました。\r\n機器とケーブルを確かめてから、もう一度接続してください。");
  EXPECT_EQ(boxes.boxes[0].caption, "Error!");
  EXPECT_EQ(frame->m_dlgRefMain.GetSafeHwnd(), 0);
  EXPECT_EQ(theApp.m_device.m_bConnected, 0);
  EXPECT_TRUE(Enabled(CMainFrame::ID_CONNECT));
  EXPECT_FALSE(Enabled(CMainFrame::ID_DISCONNECT));

  ASSERT_TRUE(sim.Start());
  setenv("KX2_PORTS", sim.SlavePath().c_str(), 1);
  theApp.m_device.m_strLastPort = DevicePath(sim.SlavePath());
  ASSERT_TRUE(Connect());
  EXPECT_EQ(frame->m_nState, CMainFrame::kStateConnected);
  EXPECT_EQ(boxes.boxes.size(), 1u);
}

// The link goes while a dialog is up over the pages or a work runs: the
// frame looks again until that has ended, then disconnects and says so once.
TEST_F(LinkLostTest, ALinkLostUnderADialogOrAWorkIsReportedOnceItEnds) {
  bool lookedAgain = false;
  size_t boxesDuring = 0;
  unsigned char stateDuring = 0;
  const auto loseLink = [&] {
    const int before = Rechecks();
    sim.Stop();
    lookedAgain = PumpUntil([&] { return Rechecks() > before; });
    boxesDuring = boxes.boxes.size();
    stateDuring = frame->m_nState;
  };
  const struct {
    const char* what;
    std::function<void()> run;
  } uses[] = {
      {"the export's item dialog",
       [&] {
         CDialog::SetModalHook([&](CDialog* dlg) {
           loseLink();
           dlg->SendMessage(WM_COMMAND, IDCANCEL, 0);
         });
         frame->SendMessage(WM_COMMAND, CMainFrame::ID_EXPORT_SETTINGS, 0);
       }},
      {"a re-read from a slow logger",
       [&] {
         sim.InjectFault({sim::FaultKind::Delay, "RD SYS", 1, 5000});
         WhenPumped(loseLink);
         frame->ExecuteSettingItem(nullptr, -2, 0);
       }},
  };
  for (const auto& use : uses) {
    SCOPED_TRACE(use.what);
    ASSERT_TRUE(Connect());
    boxes.boxes.clear();
    lookedAgain = false;
    use.run();
    EXPECT_TRUE(lookedAgain);
    EXPECT_EQ(boxesDuring, 0u);
    EXPECT_EQ(stateDuring, CMainFrame::kStateConnected);
    ASSERT_TRUE(PumpUntil([&] { return frame->m_nState == 0; }));
    const int rechecks = Rechecks();
    // A late notice of the same link, and time for the re-check to come
    // round twice more (its period is 200 ms), were it still running.
    frame->PostMessage(WM_COMMAND, CMainFrame::ID_LINK_LOST, 0);
    PumpUntil([] { return false; }, 500);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, res::LoadString(res::kStrLinkLost));
    EXPECT_EQ(Rechecks(), rechecks);
    EXPECT_EQ(frame->m_dlgRefMain.GetSafeHwnd(), 0);
    RestartSim();
  }
}

TEST_F(FrameTest, DisconnectSendsNothingAndConnectCanFollow) {
  ASSERT_TRUE(Connect());
  ASSERT_EQ(frame->m_nState, CMainFrame::kStateConnected);
  sim.ClearReceivedCommands();
  ASSERT_TRUE(frame->RunCommand(CMainFrame::ID_DISCONNECT));
  EXPECT_TRUE(sim.ReceivedCommands().empty());
  EXPECT_EQ(frame->m_nState, 0);
  EXPECT_EQ(theApp.m_device.m_bConnected, 0);
  EXPECT_FALSE(theApp.m_device.m_port.IsOpen());
  EXPECT_EQ(frame->m_dlgRefMain.GetSafeHwnd(), 0);
  EXPECT_EQ(frame->m_dlgRefMain.m_nDeviceKind, -1);
  EXPECT_FALSE(Enabled(CMainFrame::ID_EXPORT_SETTINGS));

  // The last port stays preselected for the next Connect.
  std::string preselected;
  OnPortDialog([&](CComSettingDlg& dlg) {
    const int row = dlg.m_list.GetNextItem(-1, LVNI_SELECTED);
    preselected = dlg.m_list.GetItemText(row, 0);
    dlg.SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
  frame->PostMessage(WM_COMMAND, CMainFrame::ID_CONNECT, 0);
  ASSERT_TRUE(PumpUntil([&] { return !preselected.empty(); }));
  EXPECT_EQ(preselected, sim.SlavePath());
  EXPECT_EQ(frame->m_nState, 0);
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(FrameTest, ReReadsOfThePagesRunTheFramesWork) {
  ASSERT_TRUE(Connect());
  sim.ClearReceivedCommands();
  frame->ExecuteSettingItem(nullptr, -2, 0);
  EXPECT_EQ(Commands(), std::vector<std::string>({"RD SYS"}));
  sim.ClearReceivedCommands();
  frame->ExecuteSettingItem(nullptr, -1, 0);
  EXPECT_EQ(Commands(), std::vector<std::string>({"HELLO", "RD SYS", "MAIL DSP"}));
  EXPECT_EQ(frame->m_nState, CMainFrame::kStateConnected);
  EXPECT_TRUE(boxes.boxes.empty());

  // With the system record unanswered, the operator's full re-read says it
  // failed; the system re-read before a download stays silent (the download
  // reports).
  SilenceFor("RD SYS");
  frame->ExecuteSettingItem(nullptr, -2, 0);
  EXPECT_TRUE(boxes.boxes.empty());
  frame->ExecuteSettingItem(nullptr, -1, 0);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "エラー！ 失敗しました");
  EXPECT_EQ(boxes.boxes[0].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST_F(FrameTest, LogRecordingWritesTheBannerThenTheTrafficAndTheSecondChoiceClosesTheFile) {
  ASSERT_TRUE(Connect());
  const TestFolder folder("frame-log");
  const std::string path = folder.File("traffic.log");

  boxes.AnswerPath(path);
  ASSERT_TRUE(frame->RunCommand(CMainFrame::ID_LOG_RECORD));
  ASSERT_EQ(boxes.fileDialogs.size(), 1u);
  const FileDialogRequest& asked = boxes.fileDialogs[0];
  EXPECT_FALSE(asked.open);
  EXPECT_EQ(asked.defaultExt, "log");
  EXPECT_EQ(asked.filter, "Log file(*.log)|*.log||");
  EXPECT_TRUE(asked.flags & OFN_OVERWRITEPROMPT);
  EXPECT_EQ(asked.fileName.rfind("DWL_", 0), 0u);
  EXPECT_EQ(asked.fileName.size(), std::string("DWL_20260101_120000.log").size());
  EXPECT_EQ(frame->m_bLogRecording, 1);
  EXPECT_EQ(frame->QueryCommandUI(CMainFrame::ID_LOG_RECORD).m_nCheck, 1);

  frame->ExecuteSettingItem(nullptr, -2, 0);
  ASSERT_TRUE(frame->RunCommand(CMainFrame::ID_LOG_RECORD));
  EXPECT_EQ(frame->m_bLogRecording, 0);
  EXPECT_FALSE(theApp.m_log.IsOpen());
  EXPECT_EQ(frame->QueryCommandUI(CMainFrame::ID_LOG_RECORD).m_nCheck, 0);

  const std::string text = ReadFile(path);
  const std::string banner = "Brimlet Control[Ver. 1.00]\r\n";
  ASSERT_EQ(text.rfind(banner, 0), 0u) << text;
  const size_t sent = text.find("RD SYS\r\n");
  ASSERT_NE(sent, std::string::npos) << text;
  EXPECT_NE(text.find("YES END", sent), std::string::npos) << text;

  // Nothing goes into the file once it is closed.
  frame->ExecuteSettingItem(nullptr, -2, 0);
  EXPECT_EQ(ReadFile(path), text);

  // A cancelled file dialog leaves recording off.
  boxes.CancelFileDialog();
  ASSERT_TRUE(frame->RunCommand(CMainFrame::ID_LOG_RECORD));
  EXPECT_EQ(boxes.fileDialogs.size(), 2u);
  EXPECT_EQ(frame->m_bLogRecording, 0);
}

TEST_F(FrameTest, ClosingTheWindowSendsNothingAndJoinsEveryThread) {
  PumpUntil([] { return false; }, 50);
  const int threadsBefore = ProcessThreadCount();
  ASSERT_TRUE(Connect());
  ASSERT_EQ(frame->m_nState, CMainFrame::kStateConnected);
  EXPECT_GT(ProcessThreadCount(), threadsBefore);  // the port's reader

  const TestFolder folder("frame-close");
  const std::string path = folder.File("traffic.log");
  boxes.AnswerPath(path);
  ASSERT_TRUE(frame->RunCommand(CMainFrame::ID_LOG_RECORD));
  ASSERT_TRUE(theApp.m_log.IsOpen());

  sim.ClearReceivedCommands();
  theApp.m_pMainWnd = nullptr;  // the test's message loop goes on
  frame->SendMessage(WM_CLOSE);
  EXPECT_EQ(frame->GetSafeHwnd(), 0);
  EXPECT_TRUE(sim.ReceivedCommands().empty());
  EXPECT_FALSE(theApp.m_device.m_port.IsOpen());
  EXPECT_FALSE(theApp.m_log.IsOpen());
  EXPECT_EQ(theApp.m_dlgTerminal.GetSafeHwnd(), 0);
  EXPECT_EQ(ProcessThreadCount(), threadsBefore);
}

TEST_F(FrameTest, TheWindowStaysWhileAWorkRuns) {
  ASSERT_TRUE(Connect());
  // A slow logger keeps the re-read running while the close arrives.
  sim::Fault slow;
  slow.kind = sim::FaultKind::Delay;
  slow.command = "RD SYS";
  slow.delayMs = 2000;
  sim.InjectFault(slow);
  bool closedDuringWork = false, duringWork = false;
  WhenPumped([&] {
    duringWork = CKXCWorkingThread::IsOperationRunning();
    frame->SendMessage(WM_CLOSE);
    closedDuringWork = frame->GetSafeHwnd() == 0;
  });
  frame->ExecuteSettingItem(nullptr, -2, 0);
  EXPECT_TRUE(duringWork);
  EXPECT_FALSE(closedDuringWork);
  EXPECT_NE(frame->GetSafeHwnd(), 0);
  EXPECT_TRUE(theApp.m_device.m_port.IsOpen());
}

// Disconnect would pull the port, and the export the records, from under a
// running work: asked for meanwhile, each says that another operation runs
// and does nothing.
TEST_F(FrameTest, DisconnectAndTheExportAskedForWhileAWorkRunsAreRefused) {
  ASSERT_TRUE(Connect());
  sim.InjectFault({sim::FaultKind::Delay, "RD SYS", 1, 2000});
  int dialogs = 0;
  CDialog::SetModalHook([&dialogs](CDialog* dlg) {
    ++dialogs;
    dlg->SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
  bool duringWork = false;
  WhenPumped([&] {
    duringWork = CKXCWorkingThread::IsOperationRunning();
    for (UINT id : {CMainFrame::ID_EXPORT_SETTINGS, CMainFrame::ID_DISCONNECT}) frame->SendMessage(WM_COMMAND, id, 0);
  });
  frame->ExecuteSettingItem(nullptr, -2, 0);
  EXPECT_TRUE(duringWork);
  std::vector<std::string> texts;
  for (const auto& box : boxes.boxes) texts.push_back(box.text);
  EXPECT_EQ(texts, std::vector<std::string>(2, res::LoadString(res::kStrBusy)));
  EXPECT_EQ(dialogs, 0);
  EXPECT_TRUE(boxes.fileDialogs.empty());
  EXPECT_EQ(frame->m_nState, CMainFrame::kStateConnected);
  EXPECT_TRUE(theApp.m_device.m_port.IsOpen());
}

TEST_F(FrameTest, TabGoesToThePanelAndAltBringsTheMenuKeysBackToTheFrame) {
  ASSERT_TRUE(Connect());
  QWidget* main = frame->GetWidget();
  QWidget* view = frame->GetActiveView()->GetWidget();
  main->activateWindow();
  view->setFocus();
  ASSERT_TRUE(PumpUntil([&] { return QApplication::focusWidget() == view; }));

  PressKey(view, Qt::Key_Tab);
  QWidget* panel = frame->m_dlgRefMain.GetWidget();
  ASSERT_TRUE(PumpUntil([&] {
    QWidget* f = QApplication::focusWidget();
    return f == panel || (f && panel->isAncestorOf(f));
  }));

  // Alt held: the hook hands the focus to the frame, whatever had it.
  QKeyEvent alt(QEvent::KeyPress, Qt::Key_A, Qt::AltModifier, "a");
  QCoreApplication::sendEvent(QApplication::focusWidget(), &alt);
  EXPECT_TRUE(PumpUntil([&] { return QApplication::focusWidget() == main; }));
}

// The start size is the outer size, frame included; the maximise box works
// although the frame has no sizing border, and the frame otherwise keeps the
// size the program gives it.
TEST_F(FrameTest, StartsAt688By461OuterAndMaximisesWhileKeepingItsOwnSize) {
  QWidget* main = frame->GetWidget();
  ASSERT_TRUE(PumpUntil([&] { return main->frameGeometry().size() != main->size(); }));
  ASSERT_TRUE(PumpUntil([&] { return main->frameGeometry().size() == QSize(688, 461); }))
      << main->frameGeometry().width() << "x" << main->frameGeometry().height();
  EXPECT_EQ(main->frameGeometry().topLeft(), QPoint(100, 100));

  ASSERT_TRUE(Connect());
  const QSize normal = main->size();
  const QSize tabs = frame->m_dlgRefMain.m_tab.GetWidget()->size();
  EXPECT_TRUE(main->windowFlags() & Qt::WindowMaximizeButtonHint);
  main->showMaximized();
  ASSERT_TRUE(PumpUntil([&] { return main->width() > normal.width() && main->height() > normal.height(); }));
  // The panel lies over the whole client area; its tabs keep their size.
  CRect client;
  frame->GetClientRect(&client);
  EXPECT_EQ(frame->m_dlgRefMain.GetWidget()->size(), QSize(client.Width(), client.Height()));
  EXPECT_EQ(frame->m_dlgRefMain.m_tab.GetWidget()->size(), tabs);
  main->showNormal();
  ASSERT_TRUE(PumpUntil([&] { return main->size() == normal; }));

  // Dragged to another size without a sizing border, it goes back.
  main->resize(normal + QSize(40, 30));
  EXPECT_TRUE(PumpUntil([&] { return main->size() == normal; }));
}

// Ctrl+N and Ctrl+O reach the framework's new and open handlers, Ctrl+S the
// document's save; the program adds nothing of its own (the framework's own
// test runs them).
TEST_F(FrameTest, CtrlNOAndSReachTheFrameworksDocumentCommands) {
  EXPECT_TRUE(Enabled(ID_FILE_NEW));
  EXPECT_TRUE(Enabled(ID_FILE_OPEN));
  EXPECT_TRUE(Enabled(ID_FILE_SAVE));
  EXPECT_TRUE(theApp.HasCommandHandler(ID_FILE_NEW));
  EXPECT_TRUE(theApp.HasCommandHandler(ID_FILE_OPEN));
  EXPECT_FALSE(frame->HasCommandHandler(ID_FILE_SAVE));
  boxes.CancelFileDialog();
  EXPECT_TRUE(frame->RunCommand(ID_FILE_SAVE, true));
  ASSERT_EQ(boxes.fileDialogs.size(), 1u);
  EXPECT_FALSE(boxes.fileDialogs[0].open);
  EXPECT_TRUE(sim.ReceivedCommands().empty());
}

TEST_F(FrameTest, TheTerminalOpensClearOfTheTitleAndMenuAndThenStaysWhereItWasPut) {
  CDlgTerminal& terminal = theApp.m_dlgTerminal;
  ASSERT_TRUE(frame->RunCommand(CMainFrame::ID_TERMINAL));
  ASSERT_TRUE(terminal.IsWindowVisible());
  CRect outer, shown;
  frame->GetWindowRect(&outer);
  terminal.GetWindowRect(&shown);
  POINT client{0, 0};
  frame->ClientToScreen(&client);
  EXPECT_TRUE(shown.left >= outer.right || shown.right <= outer.left || shown.top >= client.y)
      << shown.left << "," << shown.top << " over " << outer.left << "," << outer.top << "-" << outer.right;

  terminal.ShowWindow(SW_HIDE);
  terminal.SetWindowPos(nullptr, 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_TRUE(frame->RunCommand(CMainFrame::ID_TERMINAL));
  terminal.GetWindowRect(&shown);
  EXPECT_EQ(shown.left, 5);
  EXPECT_EQ(shown.top, 6);
}
