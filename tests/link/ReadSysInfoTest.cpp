#include <string>

#include "PeerFixture.h"
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
  EXPECT_EQ(info.m_nKind, 3);  // no key sets it
  EXPECT_EQ(info.m_stStart.m_nYear, 2024);
  EXPECT_EQ(info.m_stClock.m_nHour, 1);
  EXPECT_EQ(info.m_stNext.m_nMinute, 10);
  EXPECT_EQ(info.m_nSampling, 600);
  EXPECT_EQ(info.m_nSamplingEvent, 60);
  EXPECT_EQ(info.m_nSendCount, 6);
  EXPECT_EQ(info.m_nSendCountEvent, 1);
  EXPECT_EQ(info.m_nBatteryStop, 3600);
  EXPECT_EQ(info.m_nIdFirst, 1);
  EXPECT_EQ(info.m_nIdLast, 2500);
  EXPECT_EQ(info.m_alarm[0].m_nPeriod, 90);
  EXPECT_EQ(info.m_alarm[1].m_nPeriod, -30);
  EXPECT_DOUBLE_EQ(info.m_dRainPerCount, 0.5);
  EXPECT_STREQ(info.m_szBuild, "2024-03-05");
  EXPECT_STREQ(info.m_szSerial, "KX2-0001");
  EXPECT_EQ(info.m_nMeasuring, 1);
}

TEST_F(ReadSysInfoTest, AnIncompleteAnswerLeavesTheRecordAlone) {
  // The logger refuses after some lines: nothing of them is applied.
  peer.Expect("RD SYS\r\n").Reply(std::string(kAnswer) + "NG\r\n");
  CKX2SysInfo info;
  EXPECT_EQ(proto.ReadSysInfo(&port, info), ComResult::kNotEnd);
  EXPECT_EQ(info.m_nSampling, 0);
  EXPECT_EQ(info.m_szSerial[0], '\0');
  ASSERT_TRUE(peer.Finish());

  // It falls silent before its end marker.
  platform::SetTimeScale(0.01);
  peer.Expect("RD SYS\r\n").Reply("SMP D00H00M10S00\r\nITV 6\r\n");
  EXPECT_EQ(proto.ReadSysInfo(&port, info), ComResult::kTimedOut);
  platform::SetTimeScale(1.0);
  EXPECT_EQ(info.m_nSampling, 0);
  EXPECT_EQ(info.m_nSendCount, 0);

  EXPECT_EQ(proto.ReadSysInfo(nullptr, info), ComResult::kFailed);
}
