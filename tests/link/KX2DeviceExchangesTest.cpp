// The device object's one-command items, module exchanges and record
// download against the simulator: the lines sent, the tries, the results.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "DeviceFixture.h"
#include "link/DownloadProgress.h"

using Strings = std::vector<std::string>;

namespace {

// A download's owner: counts what it is shown, presses abort once the
// given record has come, or is going away from the start.
class Progress final : public CDownloadProgress {
 public:
  bool AbortPressed() override { return std::exchange(m_bPress, false); }
  bool Stopping() override { return stopping; }
  void ShowTotal(int32_t count) override { total = count; }
  void ShowCount(int32_t lines) override {
    counts.push_back(lines);
    if (lines == abortAt) m_bPress = true;
  }

  int32_t abortAt = -1;
  bool stopping = false;
  int32_t total = -1;
  std::vector<int32_t> counts;

 private:
  bool m_bPress = false;
};

TEST_F(DeviceFixture, OneCommandItemsSendTheirLineAndTryThreeTimes) {
  ReadAndCopy();
  Edit().m_nBatteryStop = 3300;
  Edit().m_dRainPerCount = 1.0;
  const struct {
    const char* command;
    std::function<DeviceResult(CKX2Device&)> op;
    Strings before;  // what goes out ahead of each item
  } cases[] = {
      {"ST RES", [](CKX2Device& d) { return d.ResetLogger(); }, {}},
      {"BAT 3300", [](CKX2Device& d) { return d.WriteBatteryAlarm(); }, {}},
      {"RCAL 1.00", [](CKX2Device& d) { return d.WriteRainPerCount(); }, {}},
      {"RCLR", [](CKX2Device& d) { return d.ClearRainCount(); }, {"HELLO"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    sim.ClearReceivedCommands();
    EXPECT_EQ(c.op(device), DeviceResult::kOk);
    Strings once = c.before;
    once.push_back(c.command);
    EXPECT_EQ(Commands(), once);

    sim.ClearReceivedCommands();
    Fault(sim::FaultKind::Ng, c.command, 3);
    EXPECT_EQ(c.op(device), DeviceResult::kFailed);
    EXPECT_EQ(Count(c.command), 3);
  }
  // An unchanged rain depth per count is not sent at all.
  sim.ClearReceivedCommands();
  Edit().m_dRainPerCount = device.m_workRead.m_sysInfo.m_dRainPerCount + 0.001;
  EXPECT_EQ(device.WriteRainPerCount(), DeviceResult::kOk);
  EXPECT_TRUE(Commands().empty());
}

TEST_F(DeviceFixture, ModuleExchangesWaitForTheirEndAndAreTriedOnce) {
  timeScale.Set(0.01);  // the module takes its time
  EXPECT_EQ(device.SyncServerTime(), DeviceResult::kOk);
  EXPECT_EQ(device.SendTestMail(), DeviceResult::kOk);
  std::string digits;
  EXPECT_EQ(device.ReadImei(digits), DeviceResult::kOk);
  EXPECT_EQ(digits, "356938035643809");
  EXPECT_EQ(Commands(), (Strings{"MAIL TIME", "MAIL START", "MAIL IMEI"}));

  sim.ClearReceivedCommands();
  Fault(sim::FaultKind::Ng, "MAIL TIME");
  EXPECT_EQ(device.SyncServerTime(), DeviceResult::kFailed);
  Fault(sim::FaultKind::NoValue, "MAIL IMEI");
  EXPECT_EQ(device.ReadImei(digits), DeviceResult::kNoImei);
  EXPECT_EQ(Commands(), (Strings{"MAIL TIME", "MAIL IMEI"}));
}

TEST_F(DeviceFixture, RecordDownloadShowsItsCountsAndAnswersItsOwner) {
  sim.SetRecords(1, 200);
  Progress whole;
  std::string text;
  EXPECT_EQ(device.ReadRecords(1, 5, text, whole), DeviceResult::kOk);
  EXPECT_EQ(whole.total, 5);
  EXPECT_EQ(whole.counts, (std::vector<int32_t>{1, 2, 3, 4, 5}));
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);

  // An abort sends ESC; the logger's early end keeps what came.
  sim.ClearReceivedCommands();
  sim.InjectFault({sim::FaultKind::Pace, "RD ALL", 1, 20});
  Progress aborted;
  aborted.abortAt = 2;
  EXPECT_EQ(device.ReadRecords(1, 200, text, aborted), DeviceResult::kOk);
  EXPECT_LT(aborted.counts.size(), 200u);
  EXPECT_EQ(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')), aborted.counts.size());
  EXPECT_EQ(Commands(), (Strings{"RD ALL 1 200", "\x1b"}));

  // An owner going away ends the download at once, failed.
  Progress gone;
  gone.stopping = true;
  EXPECT_EQ(device.ReadRecords(1, 5, text, gone), DeviceResult::kFailed);
  EXPECT_EQ(gone.total, 5);
  EXPECT_TRUE(gone.counts.empty());
}

}  // namespace
