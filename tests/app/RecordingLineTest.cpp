// The record download against a scripted logger, for what the simulator
// cannot do: a line that never ends the data, and an abort while many lines
// already wait in the program's own buffer.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "app/DlgMainRecodeData.h"
#include "app/Kestrix2CommApp.h"
#include "platform/Hooks.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ScopedTimeScale.h"
#include "tests/support/ScriptedPeer.h"
#include "tests/support/SerialSettings.h"
#include "ui/MessagePump.h"
#include "ui/RecordingMessageService.h"

namespace {
using Page = CDlgMainRecodeData;

std::string Lines(int from, int count) {
  std::string text;
  for (int i = from; i < from + count; ++i)
    text.append("R").append(std::to_string(i)).append(",24/03/05 14:00:00,0.5\r\n");
  return text;
}

class RecordingLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    {
      const ScopedTimeScale fast(0.001);
      ASSERT_EQ(theApp.m_device.OpenPort(peer.DeviceName()), PortOpenResult::kOpened);
    }
    ASSERT_TRUE(peer.SyncWith(theApp.m_device.m_port));
    ASSERT_TRUE(theApp.CreateWithFont(page, Page::IDD, nullptr));
  }
  void TearDown() override {
    EXPECT_TRUE(peer.Finish()) << ::testing::PrintToString(peer.Errors());
    page.DestroyWindow();
    const ScopedTimeScale fast(0.001);
    theApp.m_device.ClosePort();
  }

  RunResult Download(int32_t start, int32_t count) {
    page.m_nMode = Page::kModeRecords;
    page.m_nStartId = start;
    page.m_nCount = count;
    return page.RunWork();
  }

  ScopedTimeScale timeScale{1.0};
  ScriptedPeer peer;
  RecordingMessageService boxes;
  Page page;
};
}  // namespace

TEST_F(RecordingLineTest, ALineThatNeverEndsStopsSoonAfterTheCountAskedFor) {
  peer.Expect("RD ALL 1 10\r\n").Reply("OK\r\n" + Lines(1, 500));
  EXPECT_EQ(Download(1, 10), RunResult::kFailed);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "エラー！ 失敗しました");
  // The count and its margin are kept; the line beyond them is not.
  EXPECT_EQ(page.m_strData, Lines(1, 10 + CKX2Device::kExtraLines));
}

// On the worker, from the link's pump after a line was read: the operator's
// abort, once every line of the reply is in the program's buffer.
std::atomic<Page*> g_abortWhenAllIn{nullptr};
bool AbortWhenAllIn() {
  Page* page = g_abortWhenAllIn.load();
  if (page == nullptr || IsUiThread()) return false;
  CReadData* buffer = theApp.m_device.m_port.GetReadData();
  for (int i = 0; i < 5000 && buffer->LineCount() < 300; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  g_abortWhenAllIn = nullptr;
  page->m_escapeEvent.m_hEvent->Set();
  return false;
}

TEST_F(RecordingLineTest, AnAbortCountsItsPassesFromTheLinesThatCameAfterTheEsc) {
  // Far more lines than an abort's hundred passes are in when the operator
  // aborts; the logger's answer to the ESC comes after them.
  peer.Expect("RD ALL 1 1000\r\n").Reply("OK\r\n" + Lines(1, 400));
  peer.Expect("\x1b").Reply("NOT END\r\n");
  g_abortWhenAllIn = &page;
  platform::InstallPumpHook(&AbortWhenAllIn);
  const RunResult result = Download(1, 1000);
  platform::InstallPumpHook(nullptr);
  EXPECT_EQ(result, RunResult::kDone);
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(page.m_strData, Lines(1, 400));
}
