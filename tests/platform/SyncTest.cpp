#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/CriticalSection.h"
#include "platform/Event.h"
#include "platform/Thread.h"
#include "platform/Time.h"
#include "tests/support/ScopedTimeScale.h"

using namespace platform;

TEST(Event, ManualResetStaysSignalledUntilReset) {
  Event e(true, false);
  EXPECT_EQ(e.Wait(0), WaitResult::Timeout);
  e.Set();
  EXPECT_EQ(e.Wait(0), WaitResult::Signaled);
  EXPECT_EQ(e.Wait(0), WaitResult::Signaled);
  e.Reset();
  EXPECT_EQ(e.Wait(0), WaitResult::Timeout);
}

TEST(Event, AutoResetReleasesOneWait) {
  Event e(false, true);
  EXPECT_EQ(e.Wait(0), WaitResult::Signaled);
  EXPECT_EQ(e.Wait(0), WaitResult::Timeout);
}

TEST(Event, SetFromAnotherThreadWakesAnInfiniteWait) {
  Event e(false, false);
  std::thread t([&] { e.Set(); });
  EXPECT_EQ(e.Wait(kInfinite), WaitResult::Signaled);
  t.join();
}

TEST(CriticalSection, IsRecursive) {
  CriticalSection cs;
  CriticalSectionLock a(cs);
  CriticalSectionLock b(cs);
  std::atomic<bool> taken{true};
  std::thread t([&] {
    taken = cs.TryEnter();
    if (taken) cs.Leave();
  });
  t.join();
  EXPECT_FALSE(taken);
}

TEST(Time, TickDifferencesSurviveTheWrap) {
  const uint32_t before = 0xFFFFFF00u;
  const uint32_t after = 0x00000010u;
  EXPECT_EQ(after - before, 0x110u);
}

TEST(Time, ScaleShortensSleepsAndSpeedsTheTick) {
  const ScopedTimeScale scale(0.001);
  const uint32_t t0 = TickCount();
  const auto real0 = std::chrono::steady_clock::now();
  Sleep(45000);  // 45 ms of real time
  const auto realMs =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - real0).count();
  EXPECT_LT(realMs, 2000);
  EXPECT_GE(TickCount() - t0, 45000u);
  Event e(true, false);
  EXPECT_EQ(e.Wait(10000), WaitResult::Timeout);  // 10 ms real
}

TEST(Thread, StartsSuspendedAndReportsItsExitCode) {
  std::atomic<bool> ran{false};
  Thread t;
  ASSERT_TRUE(t.Create([&] {
    ran = true;
    return 7u;
  }));
  Sleep(20);
  EXPECT_FALSE(ran);
  EXPECT_TRUE(t.IsRunning());
  t.Resume();
  t.SetPriorityHighest();  // may be refused without privilege; must not fail the thread
  EXPECT_TRUE(t.Join());
  EXPECT_TRUE(ran);
  EXPECT_FALSE(t.IsRunning());
  EXPECT_EQ(t.ExitCode(), 7u);
}

// A waiter woken by the end hook must find the thread ended, or it would go
// back to sleep with nothing left to wake it.
TEST(Thread, TheEndHookRunsOnceTheThreadCountsAsEnded) {
  Thread t;
  std::atomic<int> sawRunning{-1};
  Event hooked(true, false);
  ASSERT_TRUE(t.Create([] { return 0u; },
                       [&] {
                         sawRunning = t.IsRunning() ? 1 : 0;
                         hooked.Set();
                       }));
  t.Resume();
  ASSERT_EQ(hooked.Wait(5000), WaitResult::Signaled);
  EXPECT_EQ(sawRunning, 0);
  EXPECT_TRUE(t.Join());
}

TEST(Thread, AbandonLetsTheThreadRunOnAndSeeItsFlag) {
  Event release(true, false);
  std::atomic<bool> sawFlag{false};
  Event done(true, false);
  {
    Thread t;
    t.Create([&] {
      EXPECT_EQ(release.Wait(kInfinite), WaitResult::Signaled);
      sawFlag = Thread::CurrentAbandoned();
      done.Set();
      return 0u;
    });
    t.Resume();
    t.Abandon();
    EXPECT_FALSE(t.IsCreated());
  }  // the destructor must not wait for an abandoned thread
  release.Set();
  ASSERT_EQ(done.Wait(5000), WaitResult::Signaled);
  EXPECT_TRUE(sawFlag);
}

TEST(Event, AWaiterMayDestroyTheEventAsSoonAsItWakes) {
  // The pattern of a "done" event on the waiter's stack: Set must not touch
  // the event after the waiter could have seen the signal.
  for (int i = 0; i < 200; ++i) {
    auto* e = new Event(true, false);
    std::thread t([e] { e->Set(); });
    EXPECT_EQ(e->Wait(kInfinite), WaitResult::Signaled);
    delete e;
    t.join();
  }
}

TEST(Time, TickNeverRunsBackWhenTheScaleIsRestored) {
  uint32_t fast;
  {
    const ScopedTimeScale scale(0.001);
    Sleep(20000);  // 20 ms real, 20 s of ticks
    fast = TickCount();
  }
  const uint32_t after = TickCount();
  EXPECT_LT(after - fast, 1000u);  // a small step forward, not a wrap-around
}

TEST(Thread, AnOwnerDestroyedByItsOwnWorkerDoesNotHang) {
  Event done(true, false);
  auto* owner = new Thread;
  owner->Create([&] {
    EXPECT_FALSE(owner->Join(0));
    delete owner;
    done.Set();
    return 0u;
  });
  owner->Resume();
  EXPECT_EQ(done.Wait(5000), WaitResult::Signaled);
}
