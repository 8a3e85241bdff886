// The device object when the line misbehaves: a logger that answers after the
// time-out, a port closed under a waiting exchange, a typed line during one,
// and a logger that vanishes.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <optional>
#include <thread>

#include "DeviceFixture.h"
#include "res/StringTable.h"

using Strings = std::vector<std::string>;

namespace {

using RealClock = std::chrono::steady_clock;

// The table below mixes the device object's and the protocol's results.
template <typename Result>
int32_t Code(Result result) {
  return static_cast<int32_t>(result);
}

int64_t RealMsSince(RealClock::time_point t0) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(RealClock::now() - t0).count();
}

class LinkFault : public DeviceFixture {
 protected:
  // Starts op on a worker and returns once the logger has taken its command
  // and the worker is waiting for the answer.
  template <typename Op>
  auto StartWaiting(Op op) {
    auto worker = std::async(std::launch::async, std::move(op));
    EXPECT_TRUE(sim.WaitForCommands(1, 5000));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return worker;
  }

  // Closes the port as the frame does, from this thread; the worker's
  // result (none when it did not end), and how long (real ms) it outlived
  // the close.
  template <typename Result>
  std::pair<std::optional<Result>, int64_t> CloseUnder(std::future<Result>& worker) {
    const auto t0 = RealClock::now();
    device.ClosePort();
    if (worker.wait_for(std::chrono::seconds(3)) != std::future_status::ready) return {std::nullopt, RealMsSince(t0)};
    return {worker.get(), RealMsSince(t0)};
  }

  void Reopen() {
    {
      const ScopedTimeScale fast(0.001);
      ASSERT_EQ(device.OpenPort(DeviceName()), PortOpenResult::kOpened);
    }
    ASSERT_TRUE(Sync());
    sim.ClearFaults();
    sim.ClearReceivedCommands();
  }
};

// The logger answers every criterion 2.5 s after the 5 s time-out, one line
// after the other; it takes criterion 1 and refuses criterion 2. The second
// try of criterion 1 takes the late answer to the first, and criterion 2 goes
// out only once the answer to that second try is in too, so criterion 2 is
// refused three times and never taken for written.
TEST_F(LinkFault, ALateRefusalIsNeverTakenForWritten) {
  sim.Update([](sim::SimState& s) { s.alarm[1].on = true; });  // an alarm that is off would not be sent
  ReadAndCopy();
  Edit().m_alarm[0].m_dThreshold = 10.5;
  Edit().m_alarm[1].m_dThreshold = 1000.0;  // more than the logger takes
  Fault(sim::FaultKind::Delay, "ALM", -1, 0, 7500);
  // The time-out is 1 s of real time; each answer comes 0.5 s after it.
  timeScale.Set(0.2);
  int32_t mask = -1;
  EXPECT_EQ(device.WriteRainAlarms(&mask), DeviceResult::kFailed);
  EXPECT_EQ(mask, 16);
  EXPECT_DOUBLE_EQ(sim.State().alarm[0].threshold, 10.5);
  EXPECT_DOUBLE_EQ(sim.State().alarm[1].threshold, 5.5);
  const std::string written = "ALM RN 1 10.50 1:30";
  const std::string refused = "ALM RN 2 1000.00 0:30";
  // The logger still works on the last try.
  ASSERT_TRUE(sim.WaitForCommands(6, 5000));
  EXPECT_EQ(Commands(), (Strings{"RD SYS", written, written, refused, refused, refused}));
}

// The same with the 45 s schedule commands, answered after 67.5 s: the
// interval is set (on its second try), the refused event interval is
// reported, and with a failed step no start goes out.
TEST_F(LinkFault, LateAnswersOfScheduleCommandsBelongToTheirCommand) {
  ReadAndCopy();
  Edit().m_nSampling = 1200;
  Edit().m_nSamplingEvent = 30;  // below the logger's shortest interval
  Edit().m_nMeasuring = 1;
  Fault(sim::FaultKind::Delay, "ST SMP", -1, 0, 67500);
  // 45 s are 0.9 s of real time; each answer comes 0.45 s after it.
  timeScale.Set(0.02);
  uint16_t mask = 0;
  EXPECT_EQ(device.WriteMeasureSettings(&mask), DeviceResult::kFailed);
  EXPECT_EQ(mask, 4);
  EXPECT_EQ(sim.State().sampling, 1200);
  EXPECT_EQ(Count("ST SMP D00H00M20S00"), 2);
  EXPECT_EQ(Count("ST SMP2 D00H00M00S30"), 3);
  for (const std::string& c : Commands()) EXPECT_NE(c.rfind("ST STM", 0), 0u) << c;
}

// Against a silent logger every operation fails once its tries have waited
// their time: no wait follows a try, and none comes before the next command
// of the same operation (nothing came that a late answer could follow). Each
// case runs at a scale where the shortest wait too many the bound must catch
// (a stop's 45 s, a 5 s or 3 s try) is 300 ms of real time or more, well
// above what a busy machine adds.
TEST_F(LinkFault, ASilentLoggerFailsInTheTimeItsTriesAddUpTo) {
  struct Case {
    const char* what;
    std::function<int32_t(CKX2Device&)> op;
    uint32_t triesMs;
    double scale;
  };
  std::string text;
  const Case cases[] = {
      {"stop", [](CKX2Device& d) { return Code(d.StopMeasurement()); }, 3 * 45000, 0.01},
      // The wake-up's three hellos, three clears and three system reads.
      {"clear", [](CKX2Device& d) { return Code(d.ClearData()); }, 3 * 2000 + 3 * 45000 + 3 * 3000, 0.01},
      {"battery", [](CKX2Device& d) { return Code(d.WriteBatteryAlarm()); }, 3 * 5000, 0.06},
      {"current values", [&](CKX2Device& d) { return Code(d.ReadCurrentValues(text)); }, 3 * 5000, 0.06},
      {"system read", [](CKX2Device& d) { return d.ReadSystemInfo() == ReadResult::kDone ? 0 : -1; }, 3 * 3000, 0.1},
  };
  Fault(sim::FaultKind::NoAnswer, "");
  for (const Case& c : cases) {
    timeScale.Set(c.scale);
    const uint32_t start = platform::TickCount();
    EXPECT_NE(c.op(device), 0) << c.what;
    const uint32_t took = platform::TickCount() - start;
    EXPECT_GE(took, c.triesMs) << c.what;
    EXPECT_LE(took, c.triesMs + c.triesMs / 10 + SchedulerSlack()) << c.what;
  }
}

// A stop answered late, one try after the other: the second try takes the
// first one's answer, and the re-read waits for the second one's before it
// goes out, so it reads the record and not a stray "YES END".
TEST_F(LinkFault, AReadSoonAfterALateAnswerNeverTakesTheNextOne) {
  sim.Update([](sim::SimState& s) {
    s.measuring = true;
    s.batteryStop = 3300;
  });
  Fault(sim::FaultKind::Delay, "ST STP", 2, 0, 67500);
  // 45 s are 450 ms of real time.
  timeScale.Set(0.01);
  EXPECT_EQ(device.StopMeasurement(), DeviceResult::kOk);
  EXPECT_EQ(Commands(), (Strings{"ST STP", "ST STP", "RD SYS"}));
  EXPECT_EQ(device.m_workRead.m_sysInfo.m_nBatteryStop, 3300);
  EXPECT_EQ(device.m_workRead.m_sysInfo.m_nMeasuring, 0);
}

// Closing the port ends a waiting exchange at once, a long collection
// included, with the not-connected result.
TEST_F(LinkFault, ClosingThePortEndsAWaitingExchangeAtOnce) {
  struct Case {
    const char* what;
    sim::FaultKind kind;
    const char* command;
    std::function<int32_t(CKX2Device&)> op;
    int32_t expected;
  };
  const Case cases[] = {
      {"stop", sim::FaultKind::NoAnswer, "ST STP", [](CKX2Device& d) { return Code(d.StopMeasurement()); },
       Code(DeviceResult::kNotConnected)},
      {"module initialisation", sim::FaultKind::Stall, "MAIL INI",
       [](CKX2Device& d) {
         uint16_t mask = 0;
         return Code(d.WriteNetworkSettings(&mask, 0));
       },
       Code(DeviceResult::kNotConnected)},
      {"antenna", sim::FaultKind::Stall, "RD ANT",
       [](CKX2Device& d) {
         int32_t level = 0;
         return Code(d.TestAntenna(&level));
       },
       Code(DeviceResult::kNotConnected)},
      {"exchange", sim::FaultKind::NoAnswer, "ST CLR",
       [](CKX2Device& d) { return Code(d.m_protocol.ClearData(&d.m_port, 3)); }, Code(ComResult::kFailed)},
  };
  // A command waits 4.5 s of real time, the module 36 s.
  timeScale.Set(0.1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (!device.m_port.IsOpen()) Reopen();
    Fault(c.kind, c.command, -1, 1);
    auto worker = StartWaiting([&] { return c.op(device); });
    const auto [result, ms] = CloseUnder(worker);
    EXPECT_EQ(result, c.expected);
    EXPECT_LT(ms, 1500);
    // Sent once: a closed port sends no retry.
    EXPECT_EQ(Commands().size(), 1u) << ::testing::PrintToString(Commands());
  }
}

// The operator's typed line goes out while a worker waits for an answer, and
// neither waits for the other.
TEST_F(LinkFault, ATypedLineNeverWaitsForARunningExchange) {
  Fault(sim::FaultKind::NoAnswer, "ST STP");
  Fault(sim::FaultKind::NoAnswer, "TYPED");
  auto worker = StartWaiting([&] { return device.StopMeasurement(); });
  const auto t0 = RealClock::now();
  EXPECT_EQ(device.m_port.Write("typed\r\n", 0, 0), 1);
  EXPECT_LT(RealMsSince(t0), 1000);  // the exchange waits 13.5 s of real time
  EXPECT_TRUE(sim.WaitForCommands(2, 5000));
  EXPECT_EQ(Commands(), (Strings{"ST STP", "typed"}));
  EXPECT_EQ(worker.wait_for(std::chrono::milliseconds(0)), std::future_status::timeout);
  EXPECT_EQ(CloseUnder(worker).first, DeviceResult::kNotConnected);
}

// A logger that vanishes (the adapter pulled) is not connected from that
// moment: the exchange under way ends at once, the next operation fails
// without sending, and the failure says so.
TEST_F(LinkFault, AVanishedLoggerIsNotConnectedAtOnce) {
  Fault(sim::FaultKind::Vanish, "ST STP", 1);
  const auto t0 = RealClock::now();
  const DeviceResult result = device.StopMeasurement();
  EXPECT_LT(RealMsSince(t0), 1500);  // a try waits 13.5 s of real time
  EXPECT_EQ(result, DeviceResult::kNotConnected);
  EXPECT_FALSE(device.m_port.IsOpen());
  std::string values;
  EXPECT_EQ(device.ReadCurrentValues(values), DeviceResult::kNotConnected);
  EXPECT_EQ(device.ReadSystemInfo(), ReadResult::kFailed);
  EXPECT_EQ(Commands(), Strings{"ST STP"});
  device.SetError(result);
  EXPECT_EQ(device.m_strError, res::LoadString(2505));
}

}  // namespace
