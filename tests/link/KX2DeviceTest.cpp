// The device object's connection, reads and results against the simulator.

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <optional>

#include "DeviceFixture.h"
#include "res/StringTable.h"

using Strings = std::vector<std::string>;

namespace {

int64_t PcNow() { return static_cast<int64_t>(std::time(nullptr)); }

TEST_F(DeviceFixture, ConnectSequenceFillsTheRecordsAndTheClock) {
  EXPECT_EQ(device.m_strPortName, DeviceName());
  ASSERT_EQ(device.WakeUp(), ReadResult::kDone);
  EXPECT_STREQ(device.m_protocol.m_szId, "Corvanel-QZ");
  EXPECT_EQ(device.m_protocol.m_strVersion, "1.02");
  EXPECT_EQ(device.m_protocol.GetTextField(), "Corvanel-QZ");

  ASSERT_EQ(device.ReadSystemInfo(), ReadResult::kDone);
  const CKX2SysInfo& sys = device.m_workRead.m_sysInfo;
  EXPECT_EQ(sys.m_nSampling, 600);
  EXPECT_EQ(sys.m_nSendCount, 6);
  EXPECT_EQ(sys.m_nBatteryStop, 3600);
  EXPECT_EQ(sys.m_alarm[0].m_nPeriod, 90);
  EXPECT_STREQ(sys.m_szSerial, "A123");
  // The simulator's clock stands ten minutes ahead of the PC.
  int64_t now = 0;
  ASSERT_EQ(device.GetDeviceNow(&now), ReadResult::kDone);
  EXPECT_NEAR(static_cast<double>(now - PcNow()), 600.0, 2.0);

  ASSERT_EQ(device.ReadMailInfo(), ReadResult::kDone);
  const CKX2MailInfo& mail = device.m_workRead.m_mailInfo;
  EXPECT_EQ(mail.m_strApn, "rain.example");
  EXPECT_EQ(mail.m_strAuth, "CHAP");
  EXPECT_EQ(mail.m_strImei, "356938035643809");
  EXPECT_EQ(mail.m_strPost, "/kx2/upload");

  EXPECT_EQ(Commands(), (Strings{"HELLO", "RD SYS", "MAIL DSP"}));
}

TEST_F(DeviceFixture, FailedOpenLeavesNoPortAndNoClock) {
  ASSERT_EQ(device.ReadSystemInfo(), ReadResult::kDone);
  timeScale.Set(0.001);
  EXPECT_EQ(device.OpenPort("\\\\.\\/nonexistent/kx2-tty"), PortOpenResult::kCannotCreate);
  EXPECT_EQ(device.m_strPortName, "");
  int64_t now = 5;
  EXPECT_EQ(device.GetDeviceNow(&now), ReadResult::kFailed);
  EXPECT_EQ(now, 5);
}

// With the port closed every operation answers at once and nothing reaches
// the logger.
TEST_F(DeviceFixture, ClosedPortSendsNothing) {
  {
    const ScopedTimeScale fast(0.001);
    device.ClosePort();
  }
  EXPECT_EQ(device.m_strPortName, "");

  EXPECT_EQ(device.WakeUp(), ReadResult::kFailed);
  device.m_workRead.m_sysInfo.m_nSampling = 4242;
  EXPECT_EQ(device.ReadSystemInfo(), ReadResult::kFailed);
  EXPECT_EQ(device.ReadMailInfo(), ReadResult::kFailed);
  EXPECT_EQ(device.m_workRead.m_sysInfo.m_nSampling, 4242);
  EXPECT_EQ(device.StopMeasurement(), DeviceResult::kNotConnected);
  std::string values = "old";
  EXPECT_EQ(device.ReadCurrentValues(values), DeviceResult::kNotConnected);
  EXPECT_EQ(values, "old");
  int32_t level = 7;
  EXPECT_EQ(device.TestAntenna(&level), DeviceResult::kNotConnected);
  EXPECT_EQ(level, 7);
  int32_t rainMask = 99;
  EXPECT_EQ(device.WriteRainAlarms(&rainMask), DeviceResult::kNotConnected);
  EXPECT_EQ(rainMask, 99);
  uint16_t mask = 0xBEEF;
  EXPECT_EQ(device.WriteMeasureSettings(&mask), DeviceResult::kNotConnected);
  EXPECT_EQ(device.WriteNetworkSettings(&mask, 0), DeviceResult::kNotConnected);
  EXPECT_EQ(device.WriteNetworkSettings(&mask, 2), DeviceResult::kNotConnected);
  EXPECT_EQ(mask, 0xBEEF);
  EXPECT_EQ(device.UpdateFirmware(":00000001FF\r\n", 1, 1), FirmwareResult::kNotConnected);
  EXPECT_EQ(device.ReadModuleVersion(), FirmwareResult::kNotConnected);
  std::string text;
  for (DeviceResult result :
       {device.ReadErrorLog(text), device.ResetLogger(), device.WriteBatteryAlarm(), device.ClearRainCount(),
        device.SyncServerTime(), device.SendTestMail(), device.ReadImei(text)}) {
    EXPECT_EQ(result, DeviceResult::kNotConnected);
  }
  // The clear and the rain depth per count fail as they always showed it.
  EXPECT_EQ(device.ClearData(), DeviceResult::kFailed);
  device.m_workEdit.m_sysInfo.m_dRainPerCount = 1.0;
  EXPECT_EQ(device.WriteRainPerCount(), DeviceResult::kFailed);

  EXPECT_TRUE(Commands().empty()) << ::testing::PrintToString(Commands());
}

TEST_F(DeviceFixture, WakeUpRetriesWithAPauseAfterAnotherLine) {
  Fault(sim::FaultKind::Garbage, "HELLO");
  std::optional<ReadResult> woke;
  const uint32_t ms = Elapsed([&] { woke = device.WakeUp(); });
  EXPECT_EQ(woke, ReadResult::kFailed);
  EXPECT_EQ(Count("HELLO"), 3);
  EXPECT_GE(ms, 1500u);

  // A logger that stays silent is asked three times, without pauses.
  sim.ClearFaults();
  sim.ClearReceivedCommands();
  Fault(sim::FaultKind::NoAnswer, "HELLO", 2);
  EXPECT_EQ(device.WakeUp(), ReadResult::kDone);
  EXPECT_EQ(Count("HELLO"), 3);
}

TEST_F(DeviceFixture, FailedReadsLeaveTheRecordsAndClockAlone) {
  device.m_workRead.m_sysInfo.m_nSampling = 4242;
  device.m_workRead.m_mailInfo.m_strApn = "kept";
  Fault(sim::FaultKind::Ng, "RD SYS", 3);
  Fault(sim::FaultKind::NotEnd, "MAIL DSP", 3);
  EXPECT_EQ(device.ReadSystemInfo(), ReadResult::kFailed);
  EXPECT_EQ(device.ReadMailInfo(), ReadResult::kFailed);
  EXPECT_EQ(Count("RD SYS"), 3);
  EXPECT_EQ(Count("MAIL DSP"), 3);
  EXPECT_EQ(device.m_workRead.m_sysInfo.m_nSampling, 4242);
  EXPECT_EQ(device.m_workRead.m_mailInfo.m_strApn, "kept");
  int64_t now = 0;
  EXPECT_EQ(device.GetDeviceNow(&now), ReadResult::kFailed);

  // A reply that never ends is a time-out, tried again like "NG".
  sim.ClearReceivedCommands();
  Fault(sim::FaultKind::NoAnswer, "RD SYS", 1);
  Fault(sim::FaultKind::Ng, "MAIL DSP", 2);
  EXPECT_EQ(device.ReadSystemInfo(), ReadResult::kDone);
  EXPECT_EQ(device.ReadMailInfo(), ReadResult::kDone);
  EXPECT_EQ(Commands(), (Strings{"RD SYS", "RD SYS", "MAIL DSP", "MAIL DSP", "MAIL DSP"}));
  EXPECT_EQ(device.m_workRead.m_sysInfo.m_nSampling, 600);
  EXPECT_EQ(device.m_workRead.m_mailInfo.m_strApn, "rain.example");
  EXPECT_EQ(device.GetDeviceNow(&now), ReadResult::kDone);
}

TEST_F(DeviceFixture, StopMeasurement) {
  sim.Update([](sim::SimState& s) { s.measuring = true; });
  Fault(sim::FaultKind::NotEnd, "ST STP", 1);
  EXPECT_EQ(device.StopMeasurement(), DeviceResult::kFailed);
  EXPECT_EQ(Commands(), (Strings{"ST STP"}));
  EXPECT_TRUE(sim.State().measuring);

  sim.ClearReceivedCommands();
  device.m_workRead.m_sysInfo.m_nMeasuring = 1;
  EXPECT_EQ(device.StopMeasurement(), DeviceResult::kOk);
  EXPECT_EQ(Commands(), (Strings{"ST STP", "RD SYS"}));
  EXPECT_FALSE(sim.State().measuring);
  EXPECT_EQ(device.m_workRead.m_sysInfo.m_nMeasuring, 0);
}

TEST_F(DeviceFixture, ReadCurrentValues) {
  std::string values;
  ASSERT_EQ(device.ReadCurrentValues(values), DeviceResult::kOk);
  // Record number, logger clock, battery, rain, interval.
  std::vector<std::string> fields;
  ASSERT_EQ(CComCtrlKestrix2::SplitCsvLine(fields, values.c_str()), 5) << values;
  EXPECT_EQ(fields[2], "3.61");

  values = "unchanged";
  sim.ClearReceivedCommands();
  Fault(sim::FaultKind::Ng, "RD REL");
  EXPECT_EQ(device.ReadCurrentValues(values), DeviceResult::kFailed);
  EXPECT_EQ(values, "unchanged");
  EXPECT_EQ(Count("RD REL"), 3);
}

TEST_F(DeviceFixture, TestAntennaTriesOnce) {
  int32_t level = 0;
  ASSERT_EQ(device.TestAntenna(&level), DeviceResult::kOk);
  EXPECT_EQ(level, -85);

  sim.ClearReceivedCommands();
  Fault(sim::FaultKind::Ng, "RD ANT");
  level = 3;
  EXPECT_EQ(device.TestAntenna(&level), DeviceResult::kFailed);
  EXPECT_EQ(level, 3);
  EXPECT_EQ(Commands(), (Strings{"RD ANT"}));
}

TEST(KX2DeviceMessages, SetErrorAndClear) {
  CKX2Device device;
  device.SetError(DeviceResult::kNoImei);
  EXPECT_EQ(device.m_strError, "IMEIを取得できません。\r\nSIMカードを確認してください。");
  device.SetError(static_cast<DeviceResult>(-9), "RD SYS");
  EXPECT_EQ(device.m_strError, res::LoadString(2507) + "\r\nRD SYS");
  device.SetError(DeviceResult::kOk, "ignored");
  device.SetError(static_cast<DeviceResult>(5));
  EXPECT_EQ(device.m_strError, res::LoadString(2507) + "\r\nRD SYS");
  const std::pair<DeviceResult, const char*> table[] = {
      {DeviceResult::kFailed, "エラー！ 失敗しました"},
      {DeviceResult::kNoResponse, "エラー！ 機器からの応答がありません"},
      {DeviceResult::kNotConnected, "エラー！ 機器と接続していません"},
      {DeviceResult::kNoMemory, "エラー！ メモリの確保に失敗しました"},
      {DeviceResult::kAborted, "中断しました"},
      {DeviceResult::kModuleSetting, "通信モジュールへの設定に失敗しました\r\n再度設定を行ってください"},
      {DeviceResult::kNotSupported, "接続機器は対応しておりません"},
  };
  for (const auto& [code, text] : table) {
    device.SetError(code);
    EXPECT_EQ(device.m_strError, text) << static_cast<int32_t>(code);
  }
  device.m_strSuccess = "done";
  device.ClearDeviceMessages();
  EXPECT_EQ(device.m_strError, "");
  EXPECT_EQ(device.m_strSuccess, "");
}

}  // namespace
