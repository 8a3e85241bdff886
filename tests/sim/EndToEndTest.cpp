// The program's own link layer against the simulator: the replies must come
// in the forms the program parses, and the multi-line exchanges must end the
// way the program waits for them.

#include <gtest/gtest.h>

#include <cstring>

#include "link/ComCtrlKestrix2.h"
#include "link/KX2MailInfo.h"
#include "link/KX2SysInfo.h"
#include "link/RSPort.h"
#include "link/ReplyParse.h"
#include "sim/LoggerSim.h"
#include "tests/support/ScopedTimeScale.h"
#include "tests/support/SerialSettings.h"

namespace sim {
namespace {

class EndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    sim.SetClock(1709647629, false);  // 24/03/05 14:07:09
    ASSERT_TRUE(sim.Start());
    // Opening and closing the port wait half a second each; nothing to test there.
    const ScopedTimeScale fast(0.001);
    ASSERT_EQ(port.Open("\\\\.\\" + sim.SlavePath(), LoggerLineSettings()), PortOpenResult::kOpened);
  }
  void TearDown() override {
    {
      const ScopedTimeScale fast(0.001);
      port.Close();
    }
    sim.Stop();
  }

  LoggerSim sim;
  CRSPort port;
  CComCtrlKestrix2 proto;
};

TEST_F(EndToEnd, WakeUpSystemAndNetworkRecordsParse) {
  char reply[100] = {};
  int32_t length = sizeof reply;
  ASSERT_EQ(proto.WakeUp(&port, reply, &length), ComResult::kOk);
  EXPECT_TRUE(proto.IsTargetModel(reply));
  EXPECT_NE(std::strstr(reply, "Ver[1.02]"), nullptr);

  CKX2SysInfo info;
  ASSERT_EQ(proto.ReadSysInfo(&port, info), ComResult::kOk);
  EXPECT_EQ(info.m_nMeasuring, 1);
  EXPECT_EQ(info.m_nIdFirst, 1);
  EXPECT_EQ(info.m_nIdLast, 2500);
  EXPECT_EQ(info.m_nIdThird, 2500);
  EXPECT_EQ(info.m_stClock.m_nYear, 2024);
  EXPECT_EQ(info.m_stClock.m_nSecond, 9);
  EXPECT_EQ(info.m_stNext.m_nMinute, 10);
  EXPECT_EQ(info.m_nSampling, 600);
  EXPECT_EQ(info.m_nSamplingEvent, 60);
  EXPECT_EQ(info.m_nSendCount, 6);
  EXPECT_EQ(info.m_nSendCountEvent, 1);
  EXPECT_EQ(info.m_nBatteryStop, 3600);
  EXPECT_DOUBLE_EQ(info.m_dRainPerCount, 0.5);
  EXPECT_EQ(info.m_alarm[0].m_nPeriod, 90);
  EXPECT_EQ(info.m_alarm[0].m_nEnable, 1);
  EXPECT_DOUBLE_EQ(info.m_alarm[1].m_dThreshold, 5.5);
  EXPECT_EQ(info.m_alarm[1].m_nEnable, 0);
  EXPECT_STREQ(info.m_szSerial, "A123");

  std::vector<std::string> lines;
  ASSERT_EQ(proto.QueryLines(&port, "MAIL DSP\r\n", &lines, 3000), ComResult::kOk);
  CKX2MailInfo mail;
  for (const std::string& l : lines) {
    std::string key, value;
    SplitKeyValue(l, key, value);
    EXPECT_EQ(CComCtrlKestrix2::ParseMailItem(mail, key.c_str(), value.c_str()), KeyParse::kTaken) << l;
  }
  EXPECT_EQ(mail.m_strApn, "rain.example");
  EXPECT_EQ(mail.m_strAuth, "CHAP");
  EXPECT_EQ(mail.m_strImei, "356938035643809");
  EXPECT_EQ(mail.m_strPost, "/kx2/upload");
}

TEST_F(EndToEnd, SettingsWrittenThroughTheProtocolReadBack) {
  EXPECT_EQ(proto.SetBatteryAlarm(&port, 3700), ComResult::kOk);
  EXPECT_EQ(proto.SetBatteryAlarm(&port, 100), ComResult::kNotEnd);
  EXPECT_EQ(proto.SetRainAlarm(&port, 2, "12.50 2:00"), ComResult::kOk);
  EXPECT_EQ(proto.EnableRainAlarm(&port, 2, 1), ComResult::kOk);
  int32_t interval = 1800;
  EXPECT_EQ(proto.SetSampling(&port, interval), ComResult::kOk);
  EXPECT_EQ(proto.ClearRain(&port), ComResult::kOk);
  CKX2SysInfo info;
  ASSERT_EQ(proto.ReadSysInfo(&port, info), ComResult::kOk);
  EXPECT_EQ(info.m_nBatteryStop, 3700);
  EXPECT_EQ(info.m_alarm[1].m_nPeriod, 120);
  EXPECT_EQ(info.m_alarm[1].m_nEnable, 1);
  EXPECT_EQ(info.m_nSampling, 1800);
  EXPECT_EQ(proto.StopMeasure(&port, 1), ComResult::kOk);
  EXPECT_EQ(proto.ClearData(&port, 1), ComResult::kOk);
  ASSERT_EQ(proto.ReadSysInfo(&port, info), ComResult::kOk);
  EXPECT_EQ(info.m_nMeasuring, 0);
  EXPECT_EQ(info.m_nIdFirst, 0);
  EXPECT_EQ(info.m_nIdLast, 0);
}

TEST_F(EndToEnd, DownloadEndsWithItsMarkerAndEscStopsIt) {
  sim.SetRecords(99998, 5);
  ASSERT_EQ(proto.StartReadAll(&port, 99999, 3), ComResult::kOk);
  std::string text;
  std::string data;
  ComResult rc;
  while ((rc = proto.ReadDataLine(&port, text)) == ComResult::kDataLine) data += text;
  EXPECT_EQ(rc, ComResult::kEndOfData);
  EXPECT_EQ(data.substr(0, 6), "99999,");
  EXPECT_NE(data.find("\r\n00000,"), std::string::npos);
  EXPECT_NE(data.find("\r\n00001,"), std::string::npos);
  EXPECT_EQ(data.find("00002,"), std::string::npos);

  sim.SetRecords(1, 60000);
  ASSERT_EQ(proto.StartReadAll(&port, -1, 0), ComResult::kOk);
  ASSERT_EQ(proto.ReadDataLine(&port, text), ComResult::kDataLine);
  ASSERT_EQ(port.Write("\x1b", 1, 0), 1);
  int records = 1;
  while ((rc = proto.ReadDataLine(&port, text)) == ComResult::kDataLine) ++records;
  EXPECT_EQ(rc, ComResult::kEndOfData);
  EXPECT_LT(records, 60000);
}

TEST_F(EndToEnd, ImeiErrorLogFirmwareAndModuleMonitor) {
  // The module and the flash take their time; a tenth of it will do here.
  const ScopedTimeScale tenth(0.1);
  char digits[50] = {};
  ASSERT_EQ(proto.ReadImei(&port, digits), ComResult::kOk);
  EXPECT_STREQ(digits, "356938035643809");
  std::vector<std::string> log;
  ASSERT_EQ(proto.ReadErrorLog(&port, log), ComResult::kOk);
  EXPECT_EQ(log.size(), 3u);

  EXPECT_EQ(proto.SendCommandExpect(&port, "INSPECT ON\r\n", nullptr, 5000), ComResult::kOk);
  EXPECT_EQ(proto.SendCommandExpect(&port, "SRAMCLR\r\n", "OK", 5000), ComResult::kOk);
  EXPECT_EQ(proto.SendCommandExpect(&port, "MONITOR\r\n", "OK", 5000), ComResult::kOk);
  EXPECT_EQ(proto.SendCommandExpect(&port, ":020000040000FA\r\n", "OK", 10000), ComResult::kOk);
  EXPECT_EQ(proto.SendWeep(&port), ComResult::kOk);

  EXPECT_EQ(proto.SendCommandExpect(&port, "INSPECT ON\r\n", nullptr, 5000), ComResult::kOk);
  port.GetReadData()->SetOption(0);  // let the module's '#' lines through
  EXPECT_EQ(proto.SendCommandExpect(&port, "dbg mtcoff\r\n", nullptr, 5000), ComResult::kOk);
  EXPECT_EQ(proto.SendCommandExpect(&port, "dbg mtcon\r\n", nullptr, 5000), ComResult::kOk);
  EXPECT_EQ(proto.WaitSleep(&port, 3), ComResult::kOk);
  EXPECT_EQ(proto.SendAndWait(&port, "mon\r\n", "#>RX:$WAKEUP", 2), ComResult::kOk);
  EXPECT_EQ(proto.SendAndWait(&port, "at$ver\r\n", "#>RX:$VER:", 1), ComResult::kOk);
  EXPECT_EQ(proto.SendAndWait(&port, "moff\r\n", nullptr, 2), ComResult::kOk);
  EXPECT_EQ(proto.WaitSleep(&port, 1), ComResult::kOk);
  port.GetReadData()->SetOption(1);
}

}  // namespace
}  // namespace sim
