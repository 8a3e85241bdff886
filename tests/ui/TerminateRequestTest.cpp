// A terminate request (SIGTERM) while a modal dialog is up: the dialog is
// cancelled, even one that ignores its close box, and then the main window is
// asked to close, again while it refuses (a logger operation still runs).
#include <gtest/gtest.h>

#include <QTimer>
#include <csignal>

#include "UiTestSupport.h"
#include "ui/Dialog.h"
#include "ui/TerminateRequest.h"
#include "ui/WinAppEx.h"

namespace {
res::DialogTemplateData Plain(UINT id) { return {id, "", 100, 50, res::DS_POPUP, "ＭＳ ゴシック", 9, {}}; }

class MainWindow : public CDialog {
 public:
  void OnClose() override {
    if (++asked >= 2) DestroyWindow();
  }
  int asked = 0;
};

class Stubborn : public CDialog {
 public:
  void OnCancel() override { ++cancels; }
  int cancels = 0;
};

bool DefaultTerminateAction() {
  struct sigaction now {};
  sigaction(SIGTERM, nullptr, &now);
  return now.sa_handler == SIG_DFL;
}
}  // namespace

TEST(TerminateRequest, CancelsTheModalDialogThenClosesTheMainWindowOnceItAgrees) {
  CWinAppEx app;
  MainWindow main;
  ASSERT_TRUE(main.CreateIndirect(Plain(9301)));
  main.ShowWindow(SW_SHOW);
  app.m_pMainWnd = &main;
  {
    CTerminateRequest request;
    EXPECT_FALSE(DefaultTerminateAction());
    Stubborn dlg;
    ASSERT_TRUE(dlg.InitModalIndirect(Plain(9302)));
    QTimer::singleShot(0, [] { std::raise(SIGTERM); });
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(dlg.cancels, 1) << "asked as by its close box first";
    EXPECT_TRUE(RunUntil([&] { return main.GetSafeHwnd() == 0; }));
    EXPECT_EQ(main.asked, 2);
  }
  EXPECT_TRUE(DefaultTerminateAction());
  app.m_pMainWnd = nullptr;
}

TEST(TerminateRequest, WithoutAShownMainWindowTheDefaultActionStays) {
  CWinAppEx app;
  CTerminateRequest request;
  EXPECT_TRUE(DefaultTerminateAction());
}
