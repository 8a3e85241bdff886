// Firmware transfer and module monitor against the simulator. Both wait out
// long logger pauses (11 s after the flash write, 2.5 s around the module),
// so they run at a time scale of 0.15: replies still have 300 ms of real time
// (750 ms for commands) to arrive on a busy machine. Less was seen to fail
// under a sanitizer on an overloaded machine: an answer that came too late
// cost a retry, and the retry's purge took the unread command with it.

#include <gtest/gtest.h>

#include <optional>

#include "DeviceFixture.h"
#include "link/ReadData.h"
#include "tools/samples/HexImage.h"

using Strings = std::vector<std::string>;

namespace {

class DeviceFirmware : public DeviceFixture {
 protected:
  void SetUp() override {
    DeviceFixture::SetUp();
    timeScale.Set(0.15);
  }

  int32_t Filter() { return device.m_port.GetReadData()->GetOption(); }
};

TEST_F(DeviceFirmware, TransferSkipsBlankLinesAndEndsWithAReset) {
  // CR LF and bare LF line ends, blank lines, no line end at the very end.
  const std::string image = HexRecord(0) + "\r\n\r\n" + HexRecord(1) + "\n" + HexRecord(2) + "\r\n\n:00000001FF";
  std::optional<FirmwareResult> result;
  const uint32_t ms = Elapsed([&] { result = device.UpdateFirmware(image, 0, 0); });
  EXPECT_EQ(result, FirmwareResult::kOk);
  EXPECT_EQ(Commands(), (Strings{"HELLO", "INSPECT ON", "SRAMCLR", "MONITOR", HexRecord(0), HexRecord(1), HexRecord(2),
                                 ":00000001FF", "WEEP", "HELLO", "HELLO", "ST RES"}));
  // The logger writes its flash before it listens again.
  EXPECT_GE(ms, 11000u);
}

TEST_F(DeviceFirmware, StopFirstAndInitialiseAfter) {
  sim.Update([](sim::SimState& s) { s.measuring = true; });
  EXPECT_EQ(device.UpdateFirmware(HexImage(1), 1, 1), FirmwareResult::kOk);
  EXPECT_EQ(Commands(), (Strings{"HELLO", "ST STP", "INSPECT ON", "SRAMCLR", "MONITOR", HexRecord(0), ":00000001FF",
                                 "WEEP", "HELLO", "INSPECT ON", "SYSINIT", "HELLO", "ST RES"}));
}

TEST_F(DeviceFirmware, ALineIsTriedSixTimes) {
  Fault(sim::FaultKind::Ng, HexRecord(1), 5);
  EXPECT_EQ(device.UpdateFirmware(HexImage(3), 0, 0), FirmwareResult::kOk);
  EXPECT_EQ(Count(HexRecord(1)), 6);
  EXPECT_EQ(Count(HexRecord(2)), 1);

  // Refused a sixth time, the transfer ends there: nothing after that line.
  sim.ClearReceivedCommands();
  Fault(sim::FaultKind::Ng, HexRecord(1), 6);
  EXPECT_EQ(device.UpdateFirmware(HexImage(3), 0, 0), FirmwareResult::kStepFailed);
  EXPECT_EQ(Count(HexRecord(1)), 6);
  EXPECT_EQ(Commands().back(), HexRecord(1));
}

TEST_F(DeviceFirmware, FailedWriteStillWakesAndResetsTheLogger) {
  Fault(sim::FaultKind::Ng, "WEEP");
  EXPECT_EQ(device.UpdateFirmware(HexImage(1), 0, 1), FirmwareResult::kImageWrite);
  const Strings c = Commands();
  ASSERT_GE(c.size(), 8u);
  EXPECT_EQ(Strings(c.end() - 8, c.end()),
            (Strings{"WEEP", "WEEP", "WEEP", "HELLO", "INSPECT ON", "SYSINIT", "HELLO", "ST RES"}));
}

TEST_F(DeviceFirmware, EarlyFailures) {
  Fault(sim::FaultKind::NoAnswer, "HELLO", 3);
  EXPECT_EQ(device.UpdateFirmware(HexImage(1), 0, 0), FirmwareResult::kNoResponse);
  // The last HELLO has no answer to wait for: the simulator may log it late.
  sim.WaitForCommands(3, 5000);
  EXPECT_EQ(Commands(), (Strings{"HELLO", "HELLO", "HELLO"}));

  sim.ClearReceivedCommands();
  Fault(sim::FaultKind::Ng, "SRAMCLR");
  EXPECT_EQ(device.UpdateFirmware(HexImage(1), 0, 0), FirmwareResult::kStepFailed);
  EXPECT_EQ(Commands(), (Strings{"HELLO", "INSPECT ON", "SRAMCLR", "SRAMCLR", "SRAMCLR"}));
}

TEST_F(DeviceFirmware, ModuleVersion) {
  EXPECT_EQ(device.ReadModuleVersion(), FirmwareResult::kOk);
  EXPECT_EQ(Commands(), (Strings{"HELLO", "INSPECT ON", "dbg mtcoff", "dbg mtcon", "mon", "at$ver", "moff"}));
  EXPECT_EQ(Filter(), 1);
}

TEST_F(DeviceFirmware, ModuleControlRefused) {
  Fault(sim::FaultKind::NotEnd, "dbg mtcon");
  EXPECT_EQ(device.ReadModuleVersion(), FirmwareResult::kStepFailed);
  EXPECT_EQ(Count("dbg mtcon"), 1);
  EXPECT_EQ(Commands().back(), "dbg mtcon");
  EXPECT_EQ(Filter(), 1);
}

// The module answers "dbg mtcon" but never announces its sleep.
TEST_F(DeviceFirmware, ModuleThatNeverSleepsGetsTwoPasses) {
  // Two passes wait 84 s of logger time, nearly all for the sleep line.
  timeScale.Set(0.05);
  Fault(sim::FaultKind::Stall, "dbg mtcon", -1, 1);
  EXPECT_EQ(device.ReadModuleVersion(), FirmwareResult::kFailed);
  EXPECT_EQ(Count("dbg mtcoff"), 2);
  EXPECT_EQ(Count("dbg mtcon"), 2);
  EXPECT_EQ(Count("at$ver"), 0);
  EXPECT_EQ(Filter(), 1);
}

}  // namespace
