// The background runner with real windows offscreen: each test acts on the
// window side from inside the run's pump while the worker waits for it.
#include <gtest/gtest.h>

#include <QPushButton>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

#include "app/DlgWorking.h"
#include "app/KXCWorkingThread.h"
#include "app/Kestrix2CommApp.h"
#include "platform/Event.h"
#include "platform/Hooks.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "tests/app/AppTestSupport.h"
#include "ui/RecordingMessageService.h"

namespace {

// An owner as the frame and the pages are: a window and a runner in one.
class TestOwner : public CDialog, public CKXCWorkingThread {
 public:
  static constexpr UINT kPing = 40001;
  TestOwner() {
    Create(100);
    ShowWindow(SW_SHOW);
    MapCommand(kPing, [this] { pinged.Set(); });
  }
  ~TestOwner() override {
    if (GetSafeHwnd()) DestroyWindow();
  }
  WorkResult ThreadWork() override {
    ++works;
    return work ? work(*this) : WorkResult::kFailed;
  }
  std::function<WorkResult(TestOwner&)> work;
  std::atomic<int> works{0};
  platform::Event pinged{true, false};
};

using Clock = std::chrono::steady_clock;

long MsSince(Clock::time_point t0) {
  return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t0).count());
}

// Real milliseconds a worker waits for the test at most, so a broken test
// fails instead of hanging.
constexpr uint32_t kPatienceMs = 5000;

std::string CaptionText() { return g_pCurWorkingDlg ? g_pCurWorkingDlg->GetDlgItemText(CDlgWorking::kCaption) : ""; }

bool IsShown(CWnd* wnd) { return wnd && wnd->IsWindowVisible(); }

class WorkingThreadTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureQtApplication(); }
  void TearDown() override {
    CDlgTerminal& terminal = theApp.m_dlgTerminal;
    if (terminal.GetSafeHwnd()) terminal.DestroyWindow();
    theApp.m_log.m_hNotifyWnd.store(0);
    theApp.m_log.m_nNotifyCmd.store(0);
    theApp.m_pMainFrame = nullptr;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  platform::Event release{true, false};
};

TEST_F(WorkingThreadTest, RunDisablesOwnerAndTerminalButtonsAndReturnsTheWorksResult) {
  TestOwner owner;
  ASSERT_TRUE(theApp.m_dlgTerminal.CreateTerminal(nullptr));
  owner.work = [this](TestOwner&) {
    EXPECT_EQ(release.Wait(kPatienceMs), platform::WaitResult::Signaled);
    return WorkResult::kDone;
  };
  bool ownerEnabled = true, helloEnabled = true, shown = false, abortShown = true, marquee = false;
  int idle = -1;
  WhenPumped([&] {
    ownerEnabled = owner.IsWindowEnabled();
    helloEnabled = theApp.m_dlgTerminal.GetDlgItem(CDlgTerminal::kHello)->IsWindowEnabled();
    idle = theApp.m_dlgTerminal.m_bIdle;
    shown = IsShown(g_pCurWorkingDlg);
    abortShown = IsShown(g_pCurWorkingDlg->GetDlgItem(CDlgWorking::kAbort));
    marquee = g_pCurWorkingDlg->m_progress.IsMarquee();
    release.Set();
  });

  EXPECT_EQ(owner.Run(&owner, nullptr), RunResult::kDone);

  EXPECT_FALSE(ownerEnabled);
  EXPECT_FALSE(helloEnabled);
  EXPECT_EQ(idle, 0);
  EXPECT_TRUE(shown);
  EXPECT_FALSE(abortShown) << "a run that cannot be cancelled has no abort button";
  EXPECT_TRUE(marquee);
  EXPECT_TRUE(owner.IsWindowEnabled());
  EXPECT_TRUE(theApp.m_dlgTerminal.GetDlgItem(CDlgTerminal::kHello)->IsWindowEnabled());
  EXPECT_EQ(theApp.m_dlgTerminal.m_bIdle, 1);
  EXPECT_EQ(g_pCurWorkingDlg, nullptr);
  EXPECT_EQ(owner.m_pWorkingDlg, nullptr);
  EXPECT_FALSE(CKXCWorkingThread::IsOperationRunning());
}

TEST_F(WorkingThreadTest, ProgressTextCountsWithAndWithoutATotal) {
  TestOwner owner;
  std::string seen;
  owner.work = [this](TestOwner& self) {
    self.PostWorkingCommand(CDlgWorking::kSetTotal, 500);
    self.PostWorkingCommand(CDlgWorking::kIgnored, 3);
    self.PostWorkingCommand(CDlgWorking::kSetCount, 17);
    EXPECT_EQ(release.Wait(kPatienceMs), platform::WaitResult::Signaled);
    return WorkResult::kFailed;
  };
  WhenPumped([&] {
    PumpUntil([] { return CaptionText() != "通信中"; });
    seen = CaptionText();
    release.Set();
  });
  EXPECT_EQ(owner.Run(&owner, ""), RunResult::kFailed);
  EXPECT_EQ(seen, "通信中 ( 17 / 500 )");

  // A new run starts without a total; a given caption replaces the template's.
  release.Reset();
  platform::Event go(true, false);
  owner.work = [&](TestOwner& self) {
    EXPECT_EQ(go.Wait(kPatienceMs), platform::WaitResult::Signaled);
    self.PostWorkingCommand(CDlgWorking::kSetCount, 17);
    EXPECT_EQ(release.Wait(kPatienceMs), platform::WaitResult::Signaled);
    return WorkResult::kFailed;
  };
  std::string first;
  WhenPumped([&] {
    first = CaptionText();
    go.Set();
    PumpUntil([] { return CaptionText() != "読込中"; });
    seen = CaptionText();
    release.Set();
  });
  EXPECT_EQ(owner.Run(&owner, "読込中"), RunResult::kFailed);
  EXPECT_EQ(first, "読込中");
  EXPECT_EQ(seen, "読込中 ( 17 )");
  EXPECT_FALSE(owner.PostWorkingCommand(CDlgWorking::kSetCount, 1)) << "no window once the run is over";
}

TEST_F(WorkingThreadTest, AbortSetsTheEscapeEventAndHidesItsButtonWhileEscDoesNothing) {
  TestOwner owner;
  owner.work = [](TestOwner& self) {
    platform::Event* escape = self.m_escapeEvent.m_hEvent;
    return escape && escape->Wait(kPatienceMs) == platform::WaitResult::Signaled ? WorkResult::kDone
                                                                                 : WorkResult::kFailed;
  };
  bool shownBefore = false, shownAfterEsc = false, abortBefore = false, abortAfter = true;
  bool escapeAfterEsc = true;
  WhenPumped([&] {
    CDlgWorking* dlg = g_pCurWorkingDlg;
    shownBefore = IsShown(dlg);
    abortBefore = IsShown(dlg->GetDlgItem(CDlgWorking::kAbort));
    PressKey(dlg->GetWidget(), Qt::Key_Escape);
    PumpAllPendingMessages();
    shownAfterEsc = IsShown(dlg);
    escapeAfterEsc = owner.m_escapeEvent.m_hEvent->Wait(0) == platform::WaitResult::Signaled;
    // The operator's click: the button must be usable though its owner is disabled.
    qobject_cast<QPushButton*>(dlg->GetDlgItem(CDlgWorking::kAbort)->GetWidget())->click();
    abortAfter = IsShown(dlg->GetDlgItem(CDlgWorking::kAbort));
  });

  EXPECT_EQ(owner.Run(&owner, nullptr, TRUE), RunResult::kDone);
  EXPECT_TRUE(shownBefore);
  EXPECT_TRUE(abortBefore);
  EXPECT_TRUE(shownAfterEsc) << "Esc never closes the progress window";
  EXPECT_FALSE(escapeAfterEsc) << "Esc never aborts the work";
  EXPECT_FALSE(abortAfter);

  // The next cancellable run starts with the event reset.
  owner.work = [](TestOwner& self) {
    return self.m_escapeEvent.m_hEvent->Wait(0) == platform::WaitResult::Signaled ? WorkResult::kDone
                                                                                  : WorkResult::kFailed;
  };
  EXPECT_EQ(owner.Run(&owner, nullptr, TRUE), RunResult::kFailed);
}

TEST_F(WorkingThreadTest, F1OpensTheTerminalAndArmsTheLogsRefresh) {
  TestOwner owner;
  // Only the pointer's presence counts: F1 does nothing before the main frame exists.
  theApp.m_pMainFrame = reinterpret_cast<CMainFrame*>(&owner);
  ASSERT_EQ(theApp.m_dlgTerminal.GetSafeHwnd(), 0);
  owner.work = [this](TestOwner&) {
    EXPECT_EQ(release.Wait(kPatienceMs), platform::WaitResult::Signaled);
    return WorkResult::kFailed;
  };
  bool hooked = false, terminalShown = false;
  HWND notify = 0;
  uint32_t command = 0;
  WhenPumped([&] {
    hooked = g_pCurWorkingDlg->m_keyHook.m_hHook != 0;
    PressKey(g_pCurWorkingDlg->GetWidget(), Qt::Key_F1);
    terminalShown = IsShown(&theApp.m_dlgTerminal);
    notify = theApp.m_log.m_hNotifyWnd.load();
    command = theApp.m_log.m_nNotifyCmd.load();
    release.Set();
  });
  EXPECT_EQ(owner.Run(&owner, nullptr), RunResult::kFailed);
  EXPECT_TRUE(hooked);
  EXPECT_TRUE(terminalShown);
  EXPECT_NE(notify, 0);
  EXPECT_EQ(notify, theApp.m_dlgTerminal.GetSafeHwnd());
  EXPECT_EQ(command, 505u);
}

// The window thread sleeps while the worker waits for the logger. What
// arrives meanwhile must be handled at once, not when the work ends: a
// message posted to a window, F1 and a click on the abort button, each
// delivered from outside the window thread as the platform delivers input.
TEST_F(WorkingThreadTest, WhileTheWorkWaitsPostedMessagesAndInputAreHandledAtOnce) {
  TestOwner owner;
  theApp.m_pMainFrame = reinterpret_cast<CMainFrame*>(&owner);
  std::atomic<QWidget*> progress{nullptr}, abort{nullptr};
  // Input events are made where the platform makes them, on the window thread.
  std::unique_ptr<QKeyEvent> f1Down, f1Up;
  platform::Event ready(true, false);
  WhenPumped([&] {
    progress = g_pCurWorkingDlg->GetWidget();
    abort = g_pCurWorkingDlg->GetDlgItem(CDlgWorking::kAbort)->GetWidget();
    f1Down = std::make_unique<QKeyEvent>(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    f1Up = std::make_unique<QKeyEvent>(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
    ready.Set();
  });
  const HWND ownerWnd = owner.GetSafeHwnd();
  long postedMs = -1, f1Ms = -1, abortMs = -1;
  owner.work = [&](TestOwner& self) {
    if (ready.Wait(kPatienceMs) != platform::WaitResult::Signaled) return WorkResult::kFailed;
    auto t0 = Clock::now();
    platform::PostCommand(ownerWnd, TestOwner::kPing, 0);
    if (self.pinged.Wait(kPatienceMs) == platform::WaitResult::Signaled) postedMs = MsSince(t0);

    t0 = Clock::now();
    QCoreApplication::postEvent(progress.load(), f1Down.release());
    QCoreApplication::postEvent(progress.load(), f1Up.release());
    while (theApp.m_log.m_hNotifyWnd.load() == 0 && MsSince(t0) < static_cast<long>(kPatienceMs)) platform::Sleep(1);
    if (theApp.m_log.m_hNotifyWnd.load() != 0) f1Ms = MsSince(t0);

    t0 = Clock::now();
    QMetaObject::invokeMethod(abort.load(), "click", Qt::QueuedConnection);
    if (self.m_escapeEvent.m_hEvent->Wait(kPatienceMs) == platform::WaitResult::Signaled) abortMs = MsSince(t0);
    return WorkResult::kDone;
  };

  EXPECT_EQ(owner.Run(&owner, nullptr, TRUE), RunResult::kDone);
  // Generous bounds for a loaded machine; a loop that slept until the work
  // ended would never answer before the patience ran out.
  EXPECT_GE(postedMs, 0);
  EXPECT_LT(postedMs, 1000);
  EXPECT_GE(f1Ms, 0);
  EXPECT_LT(f1Ms, 1000);
  EXPECT_GE(abortMs, 0);
  EXPECT_LT(abortMs, 1000);
}

TEST_F(WorkingThreadTest, RunWaitsForItsWorkerWhenTheOwnerWindowIsDestroyed) {
  TestOwner owner;
  std::atomic<bool> ownerGone{false};
  owner.work = [&](TestOwner&) {
    EXPECT_EQ(release.Wait(kPatienceMs), platform::WaitResult::Signaled);
    return ownerGone.load() ? WorkResult::kDone : WorkResult::kFailed;
  };
  bool progressGone = false;
  WhenPumped([&] {
    owner.DestroyWindow();
    ownerGone = true;
    // The run goes on pumping: the next step still comes from inside it.
    WhenPumped([&] {
      progressGone = !IsShown(g_pCurWorkingDlg);
      release.Set();
    });
  });
  EXPECT_EQ(owner.Run(&owner, nullptr), RunResult::kDone);
  EXPECT_TRUE(progressGone);
  EXPECT_EQ(owner.GetSafeHwnd(), 0);
  EXPECT_FALSE(CKXCWorkingThread::IsOperationRunning());
  EXPECT_EQ(theApp.m_dlgTerminal.m_bIdle, 1);
}

TEST_F(WorkingThreadTest, ASecondRunDuringARunStartsNoWorker) {
  RecordingMessageService boxes;
  TestOwner owner, other;
  owner.work = [this](TestOwner&) {
    EXPECT_EQ(release.Wait(kPatienceMs), platform::WaitResult::Signaled);
    return WorkResult::kDone;
  };
  std::optional<RunResult> second;
  bool otherEnabled = false;
  WhenPumped([&] {
    EXPECT_TRUE(CKXCWorkingThread::IsOperationRunning());
    second = other.Run(&other, nullptr, TRUE);
    otherEnabled = other.IsWindowEnabled();
    release.Set();
  });
  EXPECT_EQ(owner.Run(&owner, nullptr), RunResult::kDone);
  EXPECT_EQ(second, CKXCWorkingThread::kBusy);
  EXPECT_EQ(other.works.load(), 0);
  // The running one holds every other window, and the refusal says why.
  EXPECT_FALSE(otherEnabled);
  EXPECT_TRUE(other.IsWindowEnabled());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, res::LoadString(res::kStrBusy));
  EXPECT_EQ(other.m_pThread, nullptr);
  // Once the first has ended, the other runs as usual.
  EXPECT_EQ(other.Run(&other, nullptr), RunResult::kFailed);
  EXPECT_EQ(other.works.load(), 1);
}

}  // namespace
