#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "PeerFixture.h"
#include "link/ReadData.h"
#include "link/SdlTime.h"
#include "platform/Event.h"

namespace {

using ComCtrlBaseTest = PeerFixture;

TEST_F(ComCtrlBaseTest, ReplyMatchingAndResultCodes) {
  struct Case {
    const char* reply;
    ComResult code;
  } cases[] = {
      {"YES END\r\n", ComResult::kOk},
      {"yes end and some more words\r\n", ComResult::kOk},  // prefix, any case
      {"YES EN\r\n", ComResult::kOtherReply},
      {"NOT END\r\n", ComResult::kNotEnd},
      {"not end here\r\n", ComResult::kNotEnd},
      {"ERROR\r\n", ComResult::kOtherReply},
  };
  for (const auto& c : cases) {
    peer.Expect("ST RES\r\n").Reply(c.reply);
    EXPECT_EQ(proto.ResetDevice(&port), c.code) << c.reply;
    ASSERT_TRUE(peer.Finish());
  }
  // A given expectation, compared on its own length only.
  peer.Expect("X\r\n").Reply("ok, 12\r\n");
  EXPECT_EQ(proto.SendCommandExpect(&port, "X\r\n", "OK", 5000), ComResult::kOk);
  const std::string longExpect(120, 'A');
  peer.Expect("X\r\n").Reply(std::string(99, 'a') + "B\r\n");
  EXPECT_EQ(proto.SendCommandExpect(&port, "X\r\n", longExpect.c_str(), 5000), ComResult::kOk);
}

TEST_F(ComCtrlBaseTest, EmptyLineIsNoReplyAtOnce) {
  peer.Expect("ST RES\r\n").Reply("\r\n");
  std::optional<ComResult> result;
  const uint32_t took = Elapsed([&] { result = proto.ResetDevice(&port); });
  EXPECT_EQ(result, ComResult::kFailed);
  EXPECT_LT(took, 4000u);  // not the 5000 ms time-out
}

TEST_F(ComCtrlBaseTest, NoReplyWithinTimeOut) {
  timeScale.Set(0.002);
  peer.Expect("ST RES\r\n");
  std::optional<ComResult> result;
  const uint32_t took = Elapsed([&] { result = proto.ResetDevice(&port); });
  EXPECT_EQ(result, ComResult::kFailed);
  EXPECT_GE(took, 5000u);
}

TEST_F(ComCtrlBaseTest, NoPortOrClosedPortGivesOne) {
  char buf[64];
  int32_t len = sizeof buf;
  CSdlTime t;
  int32_t interval = 60;
  EXPECT_EQ(proto.WakeUp(nullptr, buf, &len), ComResult::kFailed);
  EXPECT_EQ(proto.SetSampling(nullptr, interval), ComResult::kFailed);
  EXPECT_EQ(proto.SetStartTime(nullptr, t), ComResult::kFailed);
  EXPECT_EQ(proto.ReadAll(nullptr, 0, 1, buf, sizeof buf), ComResult::kFailed);
  EXPECT_EQ(proto.ReadAllNext(nullptr, buf, sizeof buf), ComResult::kFailed);
  EXPECT_EQ(proto.ClearData(nullptr, 3), ComResult::kFailed);
  EXPECT_EQ(proto.SendCommandExpectCancelable(nullptr, "X\r\n", nullptr, nullptr, 1000), ComResult::kFailed);

  timeScale.Set(0.001);
  port.Close();
  EXPECT_EQ(proto.WakeUp(&port, buf, &len), ComResult::kFailed);
  EXPECT_EQ(proto.ResetDevice(&port), ComResult::kFailed);
  EXPECT_EQ(proto.ReadAll(&port, 0, 1, buf, sizeof buf), ComResult::kFailed);
  EXPECT_EQ(proto.ReadAllNext(&port, buf, sizeof buf), ComResult::kFailed);
  EXPECT_EQ(proto.SendCommandCancelable(&port, "X\r\n", nullptr, 1000), ComResult::kFailed);
}

TEST_F(ComCtrlBaseTest, WakeUpTakesTheIdentLineAndDrains) {
  peer.Expect("\r\nHELLO\r\n").Reply("WAKE\r\nCorvanel-QZ Ver[1.02]\r\nREADY\r\nSTOP\r\n");
  char reply[64] = {};
  int32_t length = sizeof reply;
  EXPECT_EQ(proto.WakeUp(&port, reply, &length), ComResult::kOk);
  EXPECT_STREQ(reply, "Corvanel-QZ Ver[1.02]");
  EXPECT_EQ(length, 21);
  EXPECT_EQ(port.GetReadData()->LineCount(), 0);  // the banner lines are gone

  peer.Expect("\r\nHELLO\r\n").Reply("wake\r\nCorvanel-QZ\r\n");
  length = sizeof reply;
  EXPECT_EQ(proto.WakeUp(&port, reply, &length), ComResult::kOtherReply);
  EXPECT_EQ(port.GetReadData()->LineCount(), 0);

  // "WAKE" with nothing after it: still awake, no identification.
  peer.Expect("\r\nHELLO\r\n").Reply("WAKE\r\n").ScaleWhenTaken(0.01);
  length = sizeof reply;
  EXPECT_EQ(proto.WakeUp(&port, reply, &length), ComResult::kOk);
  EXPECT_EQ(length, 0);

  peer.Expect("\r\nHELLO\r\n");
  EXPECT_EQ(proto.WakeUp(&port, reply, &length), ComResult::kNoWakeUp);
}

// A logger that keeps talking after its wake-up answer must not hold the
// exchange, and with it the port lock, for as long as it talks.
TEST_F(ComCtrlBaseTest, WakeUpDrainIsBounded) {
  std::string banner;
  for (int i = 0; i < 150; ++i) banner += "BANNER " + std::to_string(i) + "\r\n";
  peer.Expect("\r\nHELLO\r\n").Reply("WAKE\r\nCorvanel-QZ Ver[1.02]\r\n" + banner);
  char reply[64] = {};
  int32_t length = sizeof reply;
  EXPECT_EQ(proto.WakeUp(&port, reply, &length), ComResult::kOk);
  EXPECT_STREQ(reply, "Corvanel-QZ Ver[1.02]");
  ASSERT_TRUE(peer.Finish());
  // At most a hundred banner lines are taken; the rest stay until the next
  // command purges them.
  for (int i = 0; i < 500 && port.GetReadData()->LineCount() < 50; ++i) platform::Sleep(10);
  EXPECT_GE(port.GetReadData()->LineCount(), 50);
  peer.Expect("ST RES\r\n").Reply("YES END\r\n");
  EXPECT_EQ(proto.ResetDevice(&port), ComResult::kOk);
  ASSERT_TRUE(peer.Finish());

  // A line every 60 ms for 6 s: the drain gives up after about 2 s (either
  // bound alone would end it, but only the time bound that early).
  timeScale.Set(0.25);
  peer.Expect("\r\nHELLO\r\n").Reply("WAKE\r\nCorvanel-QZ Ver[1.02]\r\n");
  for (int i = 0; i < 100; ++i) peer.Reply("TICK\r\n", 60);
  length = sizeof reply;
  std::optional<ComResult> result;
  const uint32_t took = Elapsed([&] { result = proto.WakeUp(&port, reply, &length); });
  EXPECT_EQ(result, ComResult::kOk);
  EXPECT_LT(took, 5000u);
}

TEST_F(ComCtrlBaseTest, CommandTexts) {
  CSdlTime start;
  start.m_nYear = 2024, start.m_nMonth = 3, start.m_nDay = 5;
  start.m_nHour = 14, start.m_nMinute = 7, start.m_nSecond = 9;
  int32_t oneOfEach = 86400 + 3600 + 60 + 1;
  int32_t tenMinutes = 600;
  const struct {
    std::string command;
    std::function<ComResult()> call;
  } cases[] = {
      {"ST SMP D01H01M01S01\r\n", [&] { return proto.SetSampling(&port, oneOfEach); }},
      {"ST SMP D00H00M10S00\r\n", [&] { return proto.SetSampling(&port, tenMinutes); }},
      {"ST STM 24/03/05 14:07\r\n", [&] { return proto.SetStartTime(&port, start); }},
      {"ST STM\r\n", [&] { return proto.StartNow(&port); }},
      {"ST STP\r\n", [&] { return proto.StopMeasure(&port, 2); }},
      {"ST RSS -3\r\n", [&] { return proto.SetRss(&port, -3); }},
      {"ST IDL 04\r\n", [&] { return proto.SetIdleTime(&port, 65); }},
      {"ST CLR\r\n", [&] { return proto.ClearData(&port, 1); }},
      {"BAT 3300\r\n", [&] { return proto.SetBatteryAlarm(&port, 3300); }},
      {"ST RSS 12\r\n", [&] { return proto.SetRssValue(&port, 12); }},
      {"ST AVG 10\r\n", [&] { return proto.SetAverage(&port, 10); }},
      {"ST CAL AV 0.5 1.25\r\n", [&] { return proto.SetCalibration(&port, "0.5 1.25"); }},
      {"RCLR\r\n", [&] { return proto.ClearRain(&port); }},
      {"ALM RN 1 10.5 60\r\n", [&] { return proto.SetRainAlarm(&port, 1, "10.5 60"); }},
      {"ALM RN 2 ON\r\n", [&] { return proto.EnableRainAlarm(&port, 2, 1); }},
      {"ALM RN 1 OFF\r\n", [&] { return proto.EnableRainAlarm(&port, 1, 0); }},
  };
  for (const auto& c : cases) {
    peer.Expect(c.command).Reply("YES END\r\n");
    EXPECT_EQ(c.call(), ComResult::kOk) << c.command;
    ASSERT_TRUE(peer.Finish()) << ::testing::PrintToString(peer.Errors());
  }
  // Operator text is never cut to a fixed buffer.
  const std::string criteria(80, '9');
  peer.Expect("ALM RN 1 " + criteria + "\r\n").Reply("YES END\r\n");
  EXPECT_EQ(proto.SetRainAlarm(&port, 1, criteria.c_str()), ComResult::kOk);
}

// The exchange gives up as soon as its wait is over: a late answer is for
// the next, different command to wait out. The upper bound leaves one
// measurement time: at this scale 450 ms of real time, room enough for a
// late wake-up of a busy machine, but not for a wait of that length.
TEST_F(ComCtrlBaseTest, StopMeasureWaitsNTimesTheMeasurementTime) {
  timeScale.Set(0.01);
  for (const int32_t n : {0, 3}) {
    peer.Expect("ST STP\r\n");
    std::optional<ComResult> result;
    const uint32_t took = Elapsed([&] { result = proto.StopMeasure(&port, n); });
    EXPECT_EQ(result, ComResult::kFailed);
    const uint32_t wait = 45000u * static_cast<uint32_t>(n < 1 ? 1 : n);
    EXPECT_GE(took, wait) << n;
    EXPECT_LT(took, wait + 45000u) << n;
    ASSERT_TRUE(peer.Finish());
  }
}

// A command left unanswered while the logger was busy (a module line came
// during its wait) holds the next, different command until its late answer:
// whichever end marker that answer carries, the next command goes out once
// it came, not after a further quiet time-out (6000 ms later).
TEST_F(ComCtrlBaseTest, ALateAnswerOfAnyEndMarkerLetsTheNextCommandGo) {
  timeScale.Set(0.1);
  for (const char* late : {"YES END\r\n", "NG\r\n", "NOT END\r\n"}) {
    peer.Expect("ST RES\r\n").Reply("#MODULE BUSY\r\n", 4000).Reply(late, 2000);
    EXPECT_EQ(proto.ResetDevice(&port), ComResult::kFailed) << late;
    peer.Expect("ST IDL 04\r\n").Reply("YES END\r\n");
    std::optional<ComResult> result;
    const uint32_t took = Elapsed([&] { result = proto.SetIdleTime(&port, 4); });
    EXPECT_EQ(result, ComResult::kOk) << late;  // the late answer was not taken for its own
    EXPECT_LE(took, 3000 + SchedulerSlack()) << late;
    ASSERT_TRUE(peer.Finish());
  }
}

// A line that never falls quiet (the module's own lines) holds the next
// command no longer than twice the unanswered exchange's time-out.
TEST_F(ComCtrlBaseTest, TheWaitBeforeTheNextCommandIsBoundedOnAChatteringLine) {
  timeScale.Set(0.05);
  peer.Expect("ST RES\r\n");
  for (int i = 0; i < 60; ++i) peer.Reply("#MODULE " + std::to_string(i) + "\r\n", 500);
  EXPECT_EQ(proto.ResetDevice(&port), ComResult::kFailed);
  peer.Expect("ST IDL 04\r\n");  // unanswered: its own wait is 1000 ms
  const uint32_t took =
      Elapsed([&] { EXPECT_EQ(proto.SendCommandExpect(&port, "ST IDL 04\r\n", nullptr, 1000), ComResult::kFailed); });
  EXPECT_GE(took, 2 * 5000 + 1000);
  EXPECT_LE(took, 2 * 5000 + 1000 + 2500 + SchedulerSlack());
  ASSERT_TRUE(peer.Finish());
}

TEST_F(ComCtrlBaseTest, ClearDataTries) {
  EXPECT_EQ(proto.ClearData(&port, 0), ComResult::kOk);
  EXPECT_EQ(peer.TakeUnread(), "");

  peer.Expect("ST CLR\r\n").Reply("BUSY\r\n").Expect("ST CLR\r\n").Reply("YES END\r\n");
  EXPECT_EQ(proto.ClearData(&port, 3), ComResult::kOk);
  ASSERT_TRUE(peer.Finish());
  EXPECT_EQ(peer.TakeUnread(), "");  // no third try

  peer.Expect("ST CLR\r\n").Reply("NOT END\r\n").Expect("ST CLR\r\n").Reply("BUSY\r\n");
  EXPECT_EQ(proto.ClearData(&port, 2), ComResult::kFailed);
}

TEST_F(ComCtrlBaseTest, CancelableExchange) {
  platform::Event cancel(true, false);
  peer.Expect("ST STM\r\n").Reply("yes end\r\n");
  EXPECT_EQ(proto.SendCommandCancelable(&port, "ST STM\r\n", &cancel, 45000), ComResult::kOk);
  peer.Expect("ST STM\r\n").Reply("NOT END\r\n");  // no "NOT END" case here
  EXPECT_EQ(proto.SendCommandCancelable(&port, "ST STM\r\n", &cancel, 45000), ComResult::kOtherReply);

  // A line that is there wins over a raised cancel event.
  cancel.Set();
  peer.Expect("ST STM\r\n").Reply("YES END\r\n");
  EXPECT_EQ(proto.SendCommandCancelable(&port, "ST STM\r\n", &cancel, 45000), ComResult::kOk);
  ASSERT_TRUE(peer.Finish());

  // One empty read (20 ms of real time) against an overall 450 ms.
  timeScale.Set(0.01);
  peer.Expect("ST STM\r\n");
  std::optional<ComResult> result;
  uint32_t took = Elapsed([&] { result = proto.SendCommandCancelable(&port, "ST STM\r\n", &cancel, 45000); });
  EXPECT_EQ(result, ComResult::kCancelled);
  EXPECT_LT(took, 45000u);
  ASSERT_TRUE(peer.Finish());

  cancel.Reset();
  peer.Expect("ST STM\r\n");
  took = Elapsed([&] { result = proto.SendCommandCancelable(&port, "ST STM\r\n", &cancel, 5000); });
  EXPECT_EQ(result, ComResult::kTimedOut);
  EXPECT_GE(took, 5000u);
  ASSERT_TRUE(peer.Finish());

  // Without an overall limit it gives up after 100 empty reads.
  timeScale.Set(0.001);
  peer.Expect("ST STM\r\n");
  took = Elapsed([&] { result = proto.SendCommandCancelable(&port, "ST STM\r\n", nullptr, 0xFFFFFFF0u); });
  EXPECT_EQ(result, ComResult::kFailed);
  EXPECT_GE(took, 100u * 2000u);
}

TEST_F(ComCtrlBaseTest, ReadAllAndNext) {
  char reply[64];
  peer.Expect("RD ALL 5 9\r\n").Reply("00005,24/03/05 14:00:00,0.5\r\n");
  EXPECT_EQ(proto.ReadAll(&port, 5, 9, reply, sizeof reply), ComResult::kOk);
  EXPECT_STREQ(reply, "00005,24/03/05 14:00:00,0.5");
  ASSERT_TRUE(peer.Finish());
  peer.Expect("RD ALL 1 2\r\n").Reply("YES END\r\n");
  EXPECT_EQ(proto.ReadAll(&port, 1, 2, reply, sizeof reply), ComResult::kFailed);
  ASSERT_TRUE(peer.Finish());

  peer.Reply("00006,x\r\nNOT END\r\nYES END\r\nend\r\n");
  EXPECT_EQ(proto.ReadAllNext(&port, reply, sizeof reply), ComResult::kOk);
  EXPECT_EQ(proto.ReadAllNext(&port, reply, sizeof reply), ComResult::kNotEnd);
  EXPECT_EQ(proto.ReadAllNext(&port, reply, sizeof reply), ComResult::kEnd);
  EXPECT_EQ(proto.ReadAllNext(&port, reply, sizeof reply), ComResult::kOk);  // "END" is looked for with regard to case
  timeScale.Set(0.001);
  EXPECT_EQ(proto.ReadAllNext(&port, reply, sizeof reply), ComResult::kFailed);
}

TEST_F(ComCtrlBaseTest, ExchangesOfTwoThreadsNeverInterleave) {
  peer.SetStrictTurns(true);
  constexpr int kEach = 5;
  for (int i = 0; i < 2 * kEach; ++i) peer.Expect("ST RES\r\n").Reply("YES END\r\n", 20);
  int ok[2] = {0, 0};
  auto worker = [&](int k) {
    for (int i = 0; i < kEach; ++i) ok[k] += proto.ResetDevice(&port) == ComResult::kOk ? 1 : 0;
  };
  std::thread a(worker, 0), b(worker, 1);
  a.join();
  b.join();
  EXPECT_EQ(ok[0], kEach);
  EXPECT_EQ(ok[1], kEach);
}

TEST(ComCtrlBaseText, IdentificationAsDisplayText) {
  CComCtrlKestrix2 proto;
  std::memcpy(proto.m_szId, "QZ\xe6\x97\xa5-\xff", 7);
  EXPECT_EQ(proto.GetTextField(), "QZ\xe6\x97\xa5-\xef\xbf\xbd");
  // All 20 bytes used, no NUL: the text stops at the field's end.
  std::memset(proto.m_szId, 'A', sizeof proto.m_szId);
  EXPECT_EQ(proto.GetTextField(), std::string(20, 'A'));
  std::memcpy(proto.m_szId, "\xe6\x97", 3);  // a sequence cut short
  EXPECT_EQ(proto.GetTextField(), "\xef\xbf\xbd");
}

}  // namespace
