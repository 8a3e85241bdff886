#pragma once
// The device object connected to the logger simulator over a pseudo-terminal.
//
// The simulator's clock is stopped at a known instant so replies do not drift.
// Test bodies run at a time scale of 0.3 unless they choose a smaller one to
// wait out the logger's long time-outs. The simulator's thread must read
// each command and answer within the scaled time-out; on a machine loaded
// well past its cores (a sanitizer build among parallel builds) it was seen
// to lose 250 ms. A wake-up answered late is taken for none, so the windows
// stay large: 600 ms of real time for the wake-up's 2000 ms, 1.5 s for a
// 5000 ms reply.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/KX2Device.h"
#include "platform/Time.h"
#include "sim/LoggerSim.h"
#include "sim/SimClock.h"
#include "tests/support/ScopedTimeScale.h"
#include "tests/support/SerialSettings.h"

class DeviceFixture : public ::testing::Test {
 protected:
  static constexpr double kScale = 0.3;

  void SetUp() override {
    ASSERT_TRUE(sim.Start());
    loggerNow = sim::SimClock::HostNow() + 600;  // ten minutes ahead of the PC
    sim.SetClock(loggerNow, false);
    device.m_dcb = LoggerLineSettings();
    {
      const ScopedTimeScale fast(0.001);
      ASSERT_EQ(device.OpenPort(DeviceName()), PortOpenResult::kOpened);
    }
    ASSERT_TRUE(Sync());
    sim.ClearReceivedCommands();
    timeScale.Set(kScale);
  }

  void TearDown() override {
    {
      const ScopedTimeScale fast(0.001);
      device.ClosePort();
    }
    sim.Stop();
  }

  std::string DeviceName() const { return "\\\\.\\" + sim.SlavePath(); }

  // The port's reader purges the line when it starts; a reply that came
  // before that is lost. An exchange that changes nothing in the logger is
  // repeated until one answer gets through.
  bool Sync() {
    for (int i = 0; i < 100; ++i) {
      if (device.m_protocol.SendCommandExpect(&device.m_port, "ST D00 SLP\r\n", nullptr, 50) == ComResult::kOk) {
        // Let the simulator take every earlier try before its log is cleared.
        sim.WaitForCommands(static_cast<size_t>(i + 1), 200);
        return true;
      }
    }
    return false;
  }

  // The command lines the simulator received, without line ends.
  std::vector<std::string> Commands() const {
    std::vector<std::string> out;
    for (const std::string& c : sim.ReceivedCommands())
      if (!c.empty()) out.push_back(c);
    return out;
  }

  int Count(const std::string& command) const {
    int n = 0;
    for (const std::string& c : Commands()) n += c == command ? 1 : 0;
    return n;
  }

  void Fault(sim::FaultKind kind, const std::string& command, int count = -1, int lines = 0, uint32_t delayMs = 0) {
    sim::Fault f;
    f.kind = kind;
    f.command = command;
    f.count = count;
    f.lines = lines;
    f.delayMs = delayMs;
    sim.InjectFault(f);
  }

  // The wizard starts from the records as read.
  void ReadAndCopy() {
    ASSERT_EQ(device.ReadSystemInfo(), ReadResult::kDone);
    ASSERT_EQ(device.ReadMailInfo(), ReadResult::kDone);
    device.m_workEdit = device.m_workRead;
    sim.ClearReceivedCommands();
  }

  CKX2SysInfo& Edit() { return device.m_workEdit.m_sysInfo; }

  // Declared first: restores after the device and the simulator are gone.
  ScopedTimeScale timeScale{1.0};
  sim::LoggerSim sim;  // outlives the device, whose port closes first
  CKX2Device device;
  int64_t loggerNow = 0;
};
