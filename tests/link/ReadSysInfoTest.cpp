#include <cstring>
#include <string>

#include "PeerFixture.h"
#include "RecordSupport.h"
#include "link/KX2SysInfo.h"

namespace {

class ReadSysInfoTest : public PeerFixture {};

const char kAnswer[] =
    "STM 24/03/05 14:07:09\r\n"
    "TIM 24/03/06 01:02:03\r\n"
    "NEX 24/03/06 01:10:00\r\n"
    "SMP D00H00M10S00\r\n"
    "SMP2 D00H00M01S00\r\n"
    "ITV 6\r\n"
    "ITV2 1\r\n"
    "BAT ALM 3600\r\n"
    "ID 1-2500 (2500)\r\n"
    "ALM RN 1 10.00 1:30 ON\r\n"
    "ALM RN 2 5.5 -0:30 OFF\r\n"
    "CAL RN 0.5\r\n"
    "BLD 2024-03-05\r\n"
    "MEASURING\r\n"
    "SN KX2-0001\r\n"
    "XYZ unknown keys are passed over\r\n";

}  // namespace

TEST_F(ReadSysInfoTest, FillsTheRecordFromACompleteAnswer) {
  peer.Expect("RD SYS\r\n").Reply(std::string(kAnswer) + "YES END\r\n");
  CKX2SysInfo info;
  info.m_nKind = 3;
  EXPECT_EQ(proto.ReadSysInfo(&port, info), ComResult::kOk);

  CKX2SysInfo expected;
  expected.m_nKind = 3;  // no key sets it
  expected.m_stStart = MakeTime(2024, 3, 5, 14, 7, 9);
  expected.m_stClock = MakeTime(2024, 3, 6, 1, 2, 3);
  expected.m_stNext = MakeTime(2024, 3, 6, 1, 10, 0);
  expected.m_nSampling = 600;
  expected.m_nSamplingEvent = 60;
  expected.m_nSendCount = 6;
  expected.m_nSendCountEvent = 1;
  expected.m_nBatteryStop = 3600;
  expected.m_nIdFirst = 1;
  expected.m_nIdLast = 2500;
  expected.m_nIdThird = 2500;
  expected.m_alarm[0] = MakeAlarm(1, 10.0, 90, 1);
  expected.m_alarm[1] = MakeAlarm(2, 5.5, -30, 0);
  expected.m_dRainPerCount = 0.5;
  std::strcpy(expected.m_szBuild, "2024-03-05");
  std::strcpy(expected.m_szSerial, "KX2-0001");
  expected.m_nMeasuring = 1;
  EXPECT_EQ(info, expected);
}

TEST_F(ReadSysInfoTest, AnIncompleteAnswerLeavesTheRecordAlone) {
  // The logger refuses after some lines: nothing of them is applied.
  peer.Expect("RD SYS\r\n").Reply(std::string(kAnswer) + "NG\r\n");
  CKX2SysInfo info;
  EXPECT_EQ(proto.ReadSysInfo(&port, info), ComResult::kNotEnd);
  EXPECT_EQ(info, CKX2SysInfo());
  ASSERT_TRUE(peer.Finish());

  // It falls silent before its end marker.
  platform::SetTimeScale(0.01);
  peer.Expect("RD SYS\r\n").Reply("SMP D00H00M10S00\r\nITV 6\r\n");
  EXPECT_EQ(proto.ReadSysInfo(&port, info), ComResult::kTimedOut);
  platform::SetTimeScale(1.0);
  EXPECT_EQ(info, CKX2SysInfo());

  EXPECT_EQ(proto.ReadSysInfo(nullptr, info), ComResult::kFailed);
}
