#pragma once
// The device object connected to the logger simulator over a pseudo-terminal.
//
// The simulator's clock is stopped at a known instant so replies do not drift.
// Test bodies run at a time scale of 0.3 unless they choose a smaller one to
// wait out the logger's long time-outs. The simulator's thread must read
// each command and answer within the scaled time-out; on a machine loaded
// well past its cores (a sanitizer build among parallel builds) it was seen
// to lose 250 ms. A late answer is taken for none, and the next command's
// purge then discards the unread one, so the windows stay large: 600 ms of
// real time for the wake-up's 2000 ms, 1.5 s for a 5000 ms reply.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/KX2Device.h"
#include "platform/SerialDevice.h"
#include "platform/Time.h"
#include "sim/LoggerSim.h"
#include "sim/SimClock.h"

class DeviceFixture : public ::testing::Test {
 protected:
  static constexpr double kScale = 0.3;

  void SetUp() override {
    ASSERT_TRUE(sim.Start());
    loggerNow = sim::SimClock::HostNow() + 600;  // ten minutes ahead of the PC
    sim.SetClock(loggerNow, false);
    device.m_dcb.BaudRate = 9600;
    device.m_dcb.ByteSize = 8;
    device.m_dcb.Parity = platform::NOPARITY;
    device.m_dcb.StopBits = platform::ONESTOPBIT;
    platform::SetTimeScale(0.001);
    ASSERT_EQ(device.OpenPort(DeviceName()), PortOpenResult::kOpened);
    platform::SetTimeScale(1.0);
    ASSERT_TRUE(Sync());
    sim.ClearReceivedCommands();
    platform::SetTimeScale(kScale);
  }

  void TearDown() override {
    platform::SetTimeScale(0.001);
    device.ClosePort();
    platform::SetTimeScale(1.0);
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

  void Fault(sim::FaultKind kind, const std::string& command, int count = -1, int lines = 0) {
    sim::Fault f;
    f.kind = kind;
    f.command = command;
    f.count = count;
    f.lines = lines;
    sim.InjectFault(f);
  }

  // Scaled milliseconds that fn takes.
  template <typename Fn>
  static uint32_t Elapsed(Fn fn) {
    const uint32_t start = platform::TickCount();
    fn();
    return platform::TickCount() - start;
  }

  sim::LoggerSim sim;  // outlives the device, whose port closes first
  CKX2Device device;
  int64_t loggerNow = 0;
};
