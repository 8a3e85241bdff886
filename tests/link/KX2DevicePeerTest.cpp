// Device-object rules that hang on the exact text of one reply: the wake-up's
// identification line, the antenna line and the start computation. A
// scripted peer gives those lines byte for byte.

#include <gtest/gtest.h>

#include <ctime>

#include "link/KX2Device.h"
#include "link/SdlTime.h"
#include "tests/support/LocalTime.h"
#include "tests/support/ScopedTimeScale.h"
#include "tests/support/ScriptedPeer.h"
#include "tests/support/SerialSettings.h"

namespace {

class DevicePeer : public ::testing::Test {
 protected:
  void SetUp() override {
    device.m_dcb = LoggerLineSettings();
    {
      const ScopedTimeScale fast(0.001);
      ASSERT_EQ(device.OpenPort(peer.DeviceName()), PortOpenResult::kOpened);
    }
    ASSERT_TRUE(peer.SyncWith(device.m_port));
    // Replies come at once, but the peer's thread may be slow to run on a
    // busy machine: the wake-up keeps 600 ms of real time, its drain 30 ms.
    timeScale.Set(0.3);
  }

  void TearDown() override {
    EXPECT_TRUE(peer.Finish()) << ::testing::PrintToString(peer.Errors());
    const ScopedTimeScale fast(0.001);
    device.ClosePort();
  }

  ReadResult WakeWith(const std::string& line) {
    peer.Expect("\r\nHELLO\r\n").Reply("WAKE\r\n" + line + "\r\n");
    const ReadResult result = device.WakeUp();
    EXPECT_TRUE(peer.Finish());
    return result;
  }

  DeviceResult AntennaWith(const std::string& lines, int32_t* level) {
    peer.Expect("RD ANT\r\n").Reply("OK\r\n" + lines + "YES END\r\n");
    return device.TestAntenna(level);
  }

  // Declared first: restores after the port and the peer are gone.
  ScopedTimeScale timeScale{1.0};
  ScriptedPeer peer;
  CKX2Device device;
};

TEST_F(DevicePeer, WakeUpCutsIdentificationAndVersion) {
  EXPECT_EQ(WakeWith("XYZ-1 Ver[1.02]"), ReadResult::kDone);
  EXPECT_STREQ(device.m_protocol.m_szId, "XYZ-1");
  EXPECT_EQ(device.m_protocol.m_strVersion, "1.02");

  // Some firmware leaves the bracket open.
  EXPECT_EQ(WakeWith("ABC-2 Ver[2.10"), ReadResult::kDone);
  EXPECT_STREQ(device.m_protocol.m_szId, "ABC-2");
  EXPECT_EQ(device.m_protocol.m_strVersion, "2.10");

  // Without "Ver[" the logger answered, and nothing it said is kept.
  EXPECT_EQ(WakeWith("Plain logger 3"), ReadResult::kDone);
  EXPECT_STREQ(device.m_protocol.m_szId, "ABC-2");
  EXPECT_EQ(device.m_protocol.m_strVersion, "2.10");

  EXPECT_EQ(WakeWith("ABCDEFGHIJKLMNOPQRSTUVWXY Ver[1.02]"), ReadResult::kDone);
  EXPECT_STREQ(device.m_protocol.m_szId, "ABCDEFGHIJKLMNOPQRS");
  EXPECT_EQ(device.m_protocol.m_strVersion, "1.02");
}

TEST_F(DevicePeer, WakeUpOddVersionLines) {
  // A version longer than the field keeps its first 19 characters.
  EXPECT_EQ(WakeWith("X Ver[1.02.03.04.05.06.07.08.09]"), ReadResult::kDone);
  EXPECT_EQ(device.m_protocol.m_strVersion, "1.02.03.04.05.06.07");
  // "Ver[" at the very start: no identification, no separator to drop.
  EXPECT_EQ(WakeWith("Ver[9.9]"), ReadResult::kDone);
  EXPECT_STREQ(device.m_protocol.m_szId, "");
  EXPECT_EQ(device.m_protocol.m_strVersion, "9.9");
  // "WAKE" with no identification line after it still counts as awake.
  peer.Expect("\r\nHELLO\r\n").Reply("WAKE\r\n");
  EXPECT_EQ(device.WakeUp(), ReadResult::kDone);
  EXPECT_EQ(device.m_protocol.m_strVersion, "9.9");
}

TEST_F(DevicePeer, AntennaLines) {
  int32_t level = 0;
  EXPECT_EQ(AntennaWith("ANT -85\r\n", &level), DeviceResult::kOk);
  EXPECT_EQ(level, -85);
  EXPECT_EQ(AntennaWith("ant -70\r\n", &level), DeviceResult::kOk);
  EXPECT_EQ(level, -70);
  EXPECT_EQ(AntennaWith("SIG -85\r\n", &level), DeviceResult::kFailed);
  EXPECT_EQ(level, -70);
  // A bare key reads as level 0, not past its end.
  EXPECT_EQ(AntennaWith("ANT\r\n", &level), DeviceResult::kOk);
  EXPECT_EQ(level, 0);
  level = 12;
  EXPECT_EQ(AntennaWith("", &level), DeviceResult::kOk);
  EXPECT_EQ(level, 12);
}

std::string StartLine(int64_t value) {
  const CSdlTime t = LocalSdlTime(value);
  char line[64];
  std::snprintf(line, sizeof line, "ST STM %02d/%02d/%02d %02d:%02d\r\n", t.m_nYear % 100, t.m_nMonth, t.m_nDay,
                t.m_nHour, t.m_nMinute);
  return line;
}

// An interval of 0 moves a past start in steps of a minute; the logger's
// current time comes from the clock as last read.
TEST_F(DevicePeer, StartInThePastMovesByMinutesWithoutAnInterval) {
  const int64_t logger = (static_cast<int64_t>(std::time(nullptr)) / 60 + 7 * 24 * 60) * 60;  // a week ahead
  device.SetDeviceClock(LocalSdlTime(logger));
  CKX2SysInfo& edit = device.m_workEdit.m_sysInfo;
  edit.m_nSampling = 0;
  edit.m_nSamplingEvent = 60;
  edit.m_nMeasuring = 1;
  edit.m_stStart = LocalSdlTime(logger - 130);
  peer.Expect("ST SMP D00H00M00S00\r\n").Reply("YES END\r\n");
  peer.Expect("ST SMP2 D00H00M01S00\r\n").Reply("YES END\r\n");
  // 130 s back, then four minutes on: the first instant at least a minute
  // after the logger's clock.
  peer.Expect(StartLine(logger + 110)).Reply("YES END\r\n");
  peer.Expect("RD SYS\r\n").Reply("STOP\r\nYES END\r\n");
  uint16_t mask = 0xFFFF;
  EXPECT_EQ(device.WriteMeasureSettings(&mask), DeviceResult::kOk);
  EXPECT_EQ(mask, 0);
  EXPECT_EQ(edit.m_stStart.GetTime(), logger + 110);
}

}  // namespace
