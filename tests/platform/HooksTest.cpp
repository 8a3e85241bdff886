#include <gtest/gtest.h>

#include <atomic>

#include "platform/Hooks.h"

using namespace platform;

namespace {
std::atomic<int> g_posts{0};
std::atomic<int> g_pumps{0};
bool FakeIsWindow(WindowHandle h) { return h == 7; }
bool FakePost(WindowHandle h, unsigned command, std::intptr_t param) {
  if (h == 7 && command == 505 && param == 0) ++g_posts;
  return h == 7;
}
bool FakePump() {
  ++g_pumps;
  return true;
}
}  // namespace

TEST(Hooks, DoNothingUntilInstalledThenReachTheFakes) {
  g_posts = 0;
  g_pumps = 0;
  InstallWindowServices({});
  InstallPumpHook(nullptr);
  EXPECT_FALSE(IsWindow(7));
  EXPECT_FALSE(PostCommand(7, 505, 0));
  EXPECT_FALSE(PumpMessages());

  InstallWindowServices({FakeIsWindow, FakePost});
  InstallPumpHook(FakePump);
  EXPECT_TRUE(IsWindow(7));
  EXPECT_FALSE(IsWindow(0));  // 0 is no window, whatever the service says
  EXPECT_TRUE(PostCommand(7, 505, 0));
  EXPECT_FALSE(PostCommand(0, 505, 0));
  EXPECT_TRUE(PumpMessages());
  EXPECT_EQ(g_posts, 1);
  EXPECT_EQ(g_pumps, 1);

  InstallWindowServices({});
  InstallPumpHook(nullptr);
}
