// Start-up of the application object: the screen classes of the dialog
// font, the font pattern, the steps of InitInstance and the About box.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <string>
#include <thread>
#include <vector>

#include "app/AboutDlg.h"
#include "app/Kestrix2CommApp.h"
#include "app/MainFrame.h"
#include "link/MLog.h"
#include "tests/app/AppTestSupport.h"
#include "ui/Dialog.h"
#include "ui/SingleDocTemplate.h"

namespace {

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    saved_ = {theApp.m_nDlgFontSize, theApp.m_nDlgFontAdj2, theApp.m_nDlgFontAdj};
  }
  void TearDown() override {
    theApp.m_nDlgFontSize = saved_[0];
    theApp.m_nDlgFontAdj2 = saved_[1];
    theApp.m_nDlgFontAdj = saved_[2];
  }
  std::array<int, 3> saved_{};
};

struct ScreenCase {
  int height, dpi;
  int base, second, third, points;
};

TEST_F(AppTest, ScreenHeightChoosesTheFontClass) {
  const ScreenCase cases[] = {
      {499, 96, 10, 1, 1, 9},    {500, 96, 12, 2, 2, 10},  {799, 96, 14, 2, 2, 12},
      {1049, 96, 16, 3, 3, 13},  {1050, 96, 18, 2, 2, 16}, {1440, 144, 16, 3, 3, 13},  // counts as 960
      {1575, 144, 18, 2, 2, 16},                                                       // counts as 1050
  };
  for (const ScreenCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.height) + " px at " + std::to_string(c.dpi) + " dpi");
    theApp.InitStartupSettings(c.height, c.dpi);
    EXPECT_EQ(theApp.m_nDlgFontSize, c.base);
    EXPECT_EQ(theApp.m_nDlgFontAdj2, c.second);
    EXPECT_EQ(theApp.m_nDlgFontAdj, c.third);
    EXPECT_EQ(theApp.GetDlgFontPointSize(), c.points);
  }
  EXPECT_EQ(theApp.m_nFontSizeTbl[4], 18);
  EXPECT_EQ(theApp.m_nFontAdj2Tbl[3], 3);
  EXPECT_EQ(theApp.m_nFontAdjTbl[0], 1);
}

TEST_F(AppTest, StringsReadAsNumbersGiveZeroWhenMissingOrText) {
  EXPECT_EQ(CKestrix2CommApp::LoadStringAsInt(227), 18);
  EXPECT_EQ(CKestrix2CommApp::LoadStringAsInt(102), 0);    // the font's name
  EXPECT_EQ(CKestrix2CommApp::LoadStringAsInt(65000), 0);  // no such string
}

TEST_F(AppTest, DialogFontPatternReplacesTheTemplatesFont) {
  theApp.InitStartupSettings(1050, 96);
  CDialogTemplate t;
  ASSERT_TRUE(CKestrix2CommApp::LoadDlgTemplateWithFont(333, theApp.GetDlgFontPointSize(), t));
  std::string face;
  WORD size = 0;
  ASSERT_TRUE(t.GetFont(face, size));
  EXPECT_EQ(face, "ＭＳ ゴシック");
  EXPECT_EQ(size, 16);
  EXPECT_FALSE(CKestrix2CommApp::LoadDlgTemplateWithFont(9999, 10, t));

  // A bigger font makes a bigger window of the same template.
  CDialog small, big;
  ASSERT_TRUE(theApp.CreateWithFont(small, 333, nullptr, 9));
  ASSERT_TRUE(theApp.CreateWithFont(big, 333, nullptr));
  CRect a, b;
  small.GetWindowRect(&a);
  big.GetWindowRect(&b);
  EXPECT_GT(b.Width(), a.Width());
  small.DestroyWindow();
  big.DestroyWindow();
}

TEST_F(AppTest, InitInstanceShowsTheTitledWindowAndPreparesTheLink) {
  ASSERT_TRUE(theApp.InitInstance());
  CWnd* main = theApp.m_pMainWnd;
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->GetWindowText(), "Brimlet Control Software [Ver. 1.00]\r\n");
  EXPECT_TRUE(main->IsWindowVisible());

  // The ring is allocated and the echo of the link goes into it.
  EXPECT_EQ(GetEchoLog(), &theApp.m_log);
  theApp.m_log.Write("ab", 2);
  EXPECT_EQ(theApp.m_log.m_echoBuffer.Count(), 2);
  theApp.m_log.m_echoBuffer.Reset();

  const platform::DCB& dcb = theApp.m_device.m_dcb;
  EXPECT_EQ(dcb.DCBlength, 28u);
  EXPECT_EQ(dcb.BaudRate, 9600u);
  EXPECT_EQ(dcb.fBinary, 1u);
  EXPECT_EQ(dcb.fParity + dcb.fOutxCtsFlow + dcb.fOutxDsrFlow + dcb.fDtrControl + dcb.fRtsControl + dcb.fOutX +
                dcb.fInX + dcb.fNull + dcb.fAbortOnError,
            0u);
  EXPECT_EQ(dcb.ByteSize, 8);
  EXPECT_EQ(dcb.Parity, platform::NOPARITY);
  EXPECT_EQ(dcb.StopBits, platform::ONESTOPBIT);
  EXPECT_EQ(dcb.XonLim, 2048);
  EXPECT_EQ(dcb.XoffLim, 4096);
  EXPECT_EQ(dcb.XonChar, 0x11);
  EXPECT_EQ(dcb.XoffChar, 0x13);
  EXPECT_EQ(dcb.EofChar, 0x03);
  EXPECT_EQ(dcb.EvtChar, 0x02);

  // The main frame is the main window; Connect waits for it in the queue.
  // The terminal, made hidden, is sent no refresh for the write above: it
  // pulls what gathered when it is shown.
  EXPECT_EQ(static_cast<CWnd*>(theApp.m_pMainFrame), main);
  EXPECT_EQ(PendingMessageCount(), 1u);

  EXPECT_EQ(theApp.ExitInstance(), 0);
  theApp.CloseDocTemplates();
  theApp.m_pMainWnd = nullptr;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  // The main window's end asked the message loop to quit; one turn of the
  // application's loop takes that back, so later modal dialogs still run.
  QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
  QCoreApplication::exec();
}

TEST_F(AppTest, StartUpOffTheWindowThreadEndsWithoutAWindow) {
  BOOL started = TRUE;
  std::thread other([&] { started = theApp.InitInstance(); });
  other.join();
  EXPECT_FALSE(started);
  EXPECT_EQ(theApp.m_pMainWnd, nullptr);
}

TEST_F(AppTest, AboutBoxShowsTheVersion) {
  std::string version;
  bool sawBox = false;
  CDialog::ModalHook previous = CDialog::SetModalHook([&](CDialog* dlg) {
    if (!dynamic_cast<CAboutDlg*>(dlg)) return;
    sawBox = true;
    version = dlg->GetDlgItemText(CAboutDlg::kVersionText);
    dlg->EndDialog(IDOK);
  });
  EXPECT_TRUE(theApp.OnCommand(CKestrix2CommApp::kAppAbout));
  CDialog::SetModalHook(previous);
  EXPECT_TRUE(sawBox);
  EXPECT_EQ(version, "Ver. 1.00");
}

}  // namespace

namespace {

struct ProgramRun {
  int status = -1;
  std::string err;
};

// The program itself with only the given environment, its error output taken.
ProgramRun RunProgram(std::vector<std::string> env) {
  int pipeFd[2];
  ProgramRun run;
  if (::pipe(pipeFd) != 0) return run;
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(pipeFd[1], 2);
    ::close(pipeFd[0]);
    ::close(pipeFd[1]);
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(KX2_PROGRAM), nullptr};
    ::execve(KX2_PROGRAM, argv, envp.data());
    ::_exit(127);
  }
  ::close(pipeFd[1]);
  char buf[512];
  for (ssize_t n; (n = ::read(pipeFd[0], buf, sizeof buf)) > 0;) run.err.append(buf, static_cast<size_t>(n));
  ::close(pipeFd[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

// Without a display (none named, or one that cannot be reached) the program
// ends with one sentence and status 1, not with Qt's report and an abort.
TEST(NoDisplay, TheProgramSaysSoInOneSentenceAndFails) {
  for (const std::vector<std::string>& env :
       {std::vector<std::string>{"HOME=/tmp"}, std::vector<std::string>{"HOME=/tmp", "DISPLAY=:987"}}) {
    const ProgramRun run = RunProgram(env);
    EXPECT_EQ(run.status, 1) << env.back() << "\n" << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_NE(run.err.find("no display to show the window on"), std::string::npos) << run.err;
  }
}

}  // namespace
