// Setting writes against the simulator: which lines go out, in which order,
// and which failure bits come back.

#include <gtest/gtest.h>

#include <algorithm>

#include "DeviceFixture.h"
#include "link/SdlTime.h"
#include "tests/support/LocalTime.h"

using Strings = std::vector<std::string>;

namespace {

class DeviceWrite : public DeviceFixture {
 protected:
  bool Sent(const std::string& prefix) const {
    const Strings c = Commands();
    return std::any_of(c.begin(), c.end(), [&](const std::string& s) { return s.rfind(prefix, 0) == 0; });
  }
};

// The simulator starts with criterion 1 at 10.00 mm in 1:30, on, criterion 2
// at 5.50 mm in 0:30, off, and a measurement interval of ten minutes.
TEST_F(DeviceWrite, RainCriteriaSendOnlyWhatChanged) {
  ReadAndCopy();
  Edit().m_alarm[0].m_dThreshold = 10.5;
  int32_t mask = -1;
  EXPECT_EQ(device.WriteRainAlarms(&mask), DeviceResult::kOk);
  EXPECT_EQ(mask, 0);
  EXPECT_EQ(Commands(), (Strings{"RD SYS", "ALM RN 1 10.50 1:30"}));
  EXPECT_DOUBLE_EQ(sim.State().alarm[0].threshold, 10.5);

  // On/off alone sends only the switch line of that criterion.
  ReadAndCopy();
  Edit().m_alarm[1].m_nEnable = 1;
  EXPECT_EQ(device.WriteRainAlarms(&mask), DeviceResult::kOk);
  EXPECT_EQ(Commands(), (Strings{"RD SYS", "ALM RN 2 ON"}));
  EXPECT_TRUE(sim.State().alarm[1].on);

  ReadAndCopy();
  EXPECT_EQ(device.WriteRainAlarms(&mask), DeviceResult::kOk);
  EXPECT_EQ(Commands(), (Strings{"RD SYS"}));
}

TEST_F(DeviceWrite, RainCriteriaShortenTheIntervalToTheFirstPeriod) {
  sim.Update([](sim::SimState& s) { s.sampling = 3600; });
  ReadAndCopy();
  // The first period in order counts (45 min), not the shortest (20 min).
  Edit().m_alarm[0].m_nPeriod = 45;
  Edit().m_alarm[1].m_nPeriod = 20;
  int32_t mask = -1;
  EXPECT_EQ(device.WriteRainAlarms(&mask), DeviceResult::kOk);
  EXPECT_EQ(Commands(), (Strings{"RD SYS", "ST SMP D00H00M45S00", "ALM RN 1 10.00 0:45", "ALM RN 2 5.50 0:20"}));
  EXPECT_EQ(device.m_workRead.m_sysInfo.m_nSampling, 45 * 60);
  EXPECT_EQ(sim.State().sampling, 45 * 60);
  // The edited interval follows, so a measurement write does not undo it.
  EXPECT_EQ(Edit().m_nSampling, 45 * 60);

  // A negative period is passed over for the next one; the logger refuses
  // the criterion itself, which shows in the mask.
  sim.Update([](sim::SimState& s) { s.sampling = 3600; });
  ReadAndCopy();
  Edit().m_alarm[0].m_nPeriod = -5;
  Edit().m_alarm[1].m_nPeriod = 30;
  Edit().m_alarm[1].m_dThreshold = 6.0;
  EXPECT_EQ(device.WriteRainAlarms(&mask), DeviceResult::kFailed);
  EXPECT_EQ(mask, 4);
  EXPECT_EQ(Count("ST SMP D00H00M30S00"), 1);
  EXPECT_EQ(Count("ALM RN 1 10.00 0:-5"), 3);
  EXPECT_EQ(Count("ALM RN 2 6.00 0:30"), 1);
}

TEST_F(DeviceWrite, RainCriteriaFailureBits) {
  ReadAndCopy();
  Fault(sim::FaultKind::Ng, "ALM RN 2");
  Edit().m_alarm[0].m_nEnable = 0;
  Edit().m_alarm[1].m_dThreshold = 7.25;
  Edit().m_alarm[1].m_nEnable = 1;
  int32_t mask = 0;
  EXPECT_EQ(device.WriteRainAlarms(&mask), DeviceResult::kFailed);
  EXPECT_EQ(mask, 16 | 32);
  EXPECT_EQ(Count("ALM RN 1 OFF"), 1);
  EXPECT_EQ(Count("ALM RN 2 7.25 0:30"), 3);
  EXPECT_EQ(Count("ALM RN 2 ON"), 3);
}

TEST_F(DeviceWrite, MeasureSettingsWithUnchangedSendCounts) {
  sim.Update([](sim::SimState& s) { s.measuring = false; });
  ReadAndCopy();
  Edit().m_nSampling = 1200;
  uint16_t mask = 0xFFFF;
  EXPECT_EQ(device.WriteMeasureSettings(&mask), DeviceResult::kOk);
  EXPECT_EQ(mask, 0);
  // Stopped and staying stopped: no start, no stop.
  EXPECT_EQ(Commands(), (Strings{"ST SMP D00H00M20S00", "ST SMP2 D00H00M01S00", "RD SYS"}));
  EXPECT_EQ(device.m_workRead.m_sysInfo.m_nSampling, 1200);
}

TEST_F(DeviceWrite, MeasureStartMovesForwardByWholeIntervals) {
  ReadAndCopy();
  const int64_t now = device.m_workRead.m_sysInfo.m_stClock.GetTime();
  Edit().m_nSendCount = 3;
  Edit().m_nSendCountEvent = 2;
  Edit().m_nMeasuring = 1;
  Edit().m_stStart = LocalSdlTime(now - 3 * 600 - 100);

  uint16_t mask = 0xFFFF;
  EXPECT_EQ(device.WriteMeasureSettings(&mask), DeviceResult::kOk);
  EXPECT_EQ(mask, 0);
  // Four intervals on: the first instant at least a minute ahead of the
  // logger's clock (which the simulator holds still).
  const int64_t expected = now - 3 * 600 - 100 + 4 * 600;
  EXPECT_EQ(Edit().m_stStart.GetTime(), expected);
  const Strings c = Commands();
  ASSERT_EQ(c.size(), 6u) << ::testing::PrintToString(c);
  EXPECT_EQ(c[0], "ST SMP D00H00M10S00");
  EXPECT_EQ(c[1], "ST ITV 3");
  EXPECT_EQ(c[2], "ST SMP2 D00H00M01S00");
  EXPECT_EQ(c[3], "ST ITV2 2");
  EXPECT_EQ(c[4].rfind("ST STM ", 0), 0u);
  EXPECT_EQ(c[5], "RD SYS");
  EXPECT_TRUE(sim.State().measuring);
  EXPECT_EQ(device.m_workRead.m_sysInfo.m_nMeasuring, 1);
  EXPECT_EQ(device.m_workRead.m_sysInfo.m_nSendCount, 3);

  // Written again unchanged: the start equals the logger's, nothing to send.
  ReadAndCopy();
  EXPECT_EQ(device.WriteMeasureSettings(&mask), DeviceResult::kOk);
  EXPECT_FALSE(Sent("ST STM"));
}

TEST_F(DeviceWrite, FailedIntervalSuppressesOnlyTheStart) {
  ReadAndCopy();
  Fault(sim::FaultKind::Ng, "ST SMP D");
  Edit().m_nSendCount = 3;
  Edit().m_nSendCountEvent = 2;
  Edit().m_nMeasuring = 1;
  uint16_t mask = 0;
  EXPECT_EQ(device.WriteMeasureSettings(&mask), DeviceResult::kFailed);
  EXPECT_EQ(mask, 1);
  EXPECT_EQ(Count("ST SMP D00H00M10S00"), 3);
  EXPECT_TRUE(Sent("ST ITV 3"));
  EXPECT_TRUE(Sent("ST SMP2 "));
  EXPECT_TRUE(Sent("ST ITV2 2"));
  EXPECT_FALSE(Sent("ST STM"));
  EXPECT_EQ(Commands().back(), "RD SYS");
}

TEST_F(DeviceWrite, StoppingTriesOnce) {
  sim.Update([](sim::SimState& s) { s.measuring = true; });
  ReadAndCopy();
  Edit().m_nMeasuring = 0;
  Fault(sim::FaultKind::NotEnd, "ST STP");
  uint16_t mask = 0;
  EXPECT_EQ(device.WriteMeasureSettings(&mask), DeviceResult::kFailed);
  EXPECT_EQ(mask, 16);
  EXPECT_EQ(Count("ST STP"), 1);
}

TEST_F(DeviceWrite, NetworkProfilesAndValues) {
  ReadAndCopy();
  uint16_t mask = 0xBEEF;
  EXPECT_EQ(device.WriteNetworkSettings(&mask, 0), DeviceResult::kOk);
  EXPECT_EQ(device.WriteNetworkSettings(&mask, 1), DeviceResult::kOk);
  EXPECT_EQ(Commands(), (Strings{"MAIL INI IIJ", "MAIL INI MDAP"}));
  EXPECT_EQ(mask, 0xBEEF);
  EXPECT_EQ(sim.State().apn, "mdap.apn.example");
  Fault(sim::FaultKind::Ng, "MAIL INI", 1);
  EXPECT_EQ(device.WriteNetworkSettings(&mask, 0), DeviceResult::kModuleSetting);
  EXPECT_EQ(mask, 0xBEEF);

  // Other modes write the four values; empty ones go out as a blank, the
  // authentication type as its key alone.
  sim.ClearReceivedCommands();
  CKX2MailInfo& edit = device.m_workEdit.m_mailInfo;
  edit.m_strApn = "my.apn";
  edit.m_strUser = "";
  edit.m_strPassword = "";
  edit.m_strAuth = "";
  EXPECT_EQ(device.WriteNetworkSettings(&mask, 2), DeviceResult::kOk);
  EXPECT_EQ(Commands(), (Strings{"MAIL APN my.apn", "MAIL APU ", "MAIL APP ", "MAIL APA", "MAIL INI"}));
  EXPECT_EQ(sim.State().apn, "my.apn");
  EXPECT_EQ(sim.State().password, "");
}

TEST_F(DeviceWrite, NetworkValueFailures) {
  ReadAndCopy();
  Fault(sim::FaultKind::Ng, "MAIL APP");
  CKX2MailInfo& edit = device.m_workEdit.m_mailInfo;
  // A line break would smuggle a second command to the logger.
  edit.m_strUser = "user\r\nST CLR";
  uint16_t mask = 0;
  EXPECT_EQ(device.WriteNetworkSettings(&mask, 5), DeviceResult::kFailed);
  EXPECT_EQ(mask, 2 | 4);
  EXPECT_EQ(Count("MAIL APP kx2pass"), 3);
  EXPECT_FALSE(Sent("MAIL APU"));
  EXPECT_FALSE(Sent("ST CLR"));
  EXPECT_FALSE(Sent("MAIL INI"));
  EXPECT_TRUE(Sent("MAIL APA CHAP"));
}

}  // namespace
