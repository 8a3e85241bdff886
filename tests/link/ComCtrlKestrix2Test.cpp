#include <atomic>
#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "PeerFixture.h"
#include "link/ReadData.h"
#include "platform/Hooks.h"

namespace {

using Lines = std::vector<std::string>;
using ComCtrlKestrix2Test = PeerFixture;

TEST_F(ComCtrlKestrix2Test, QueryLinesCollectsUntilTheEndMarker) {
  peer.Expect("RD SYS\r\n").Reply("STOP\r\nID 1 20 0\r\nYES END\r\n");
  Lines lines;
  EXPECT_EQ(proto.QueryLines(&port, "RD SYS\r\n", &lines, 20000), ComResult::kOk);
  EXPECT_EQ(lines, (Lines{"STOP", "ID 1 20 0"}));
  ASSERT_TRUE(peer.Finish());

  for (const char* end : {"NG1\r\n", "ng\r\n", "NOT END\r\n"}) {
    peer.Expect("MAIL DSP\r\n").Reply(std::string("APN x\r\n") + end);
    lines.clear();
    EXPECT_EQ(proto.QueryLines(&port, "MAIL DSP\r\n", &lines, 20000), ComResult::kNotEnd) << end;
    EXPECT_EQ(lines, Lines{"APN x"});
    ASSERT_TRUE(peer.Finish());
  }

  // Without a command nothing is sent or purged: lines already held count.
  peer.Reply("A\r\nB\r\nYES END\r\n");
  ASSERT_TRUE(peer.Finish());
  EXPECT_EQ(proto.QueryLines(&port, nullptr, nullptr, 20000), ComResult::kOk);
  EXPECT_EQ(peer.TakeUnread(), "");
}

TEST_F(ComCtrlKestrix2Test, QueryLinesTimeOutRestartsAtEveryDataLine) {
  // Together the gaps outlast one time-out; each alone leaves 13 s (650 ms
  // of real time) for a peer that wakes late.
  timeScale.Set(0.05);
  peer.Expect("RD SYS\r\n")
      .Reply("L1\r\n", 7000)
      .Reply("L2\r\n", 7000)
      .Reply("L3\r\n", 7000)
      .Reply("YES END\r\n", 7000);
  Lines lines;
  EXPECT_EQ(proto.QueryLines(&port, "RD SYS\r\n", &lines, 20000), ComResult::kOk);
  EXPECT_EQ(lines, (Lines{"L1", "L2", "L3"}));
  ASSERT_TRUE(peer.Finish());

  // The logger pauses longer than the time-out: the exchange gives up then,
  // and its marker 10 s later is for the next, different command to wait
  // out.
  peer.Expect("RD SYS\r\n").Reply("L1\r\n", 5000).Reply("YES END\r\n", 30000);
  lines.clear();
  EXPECT_EQ(proto.QueryLines(&port, "RD SYS\r\n", &lines, 20000), ComResult::kTimedOut);
  EXPECT_EQ(lines, Lines{"L1"});
  ASSERT_TRUE(peer.Finish());

  // It falls silent for longer than that.
  peer.Expect("RD SYS\r\n").Reply("L1\r\n", 5000).Reply("YES END\r\n", 50000);
  lines.clear();
  EXPECT_EQ(proto.QueryLines(&port, "RD SYS\r\n", &lines, 20000), ComResult::kTimedOut);
  EXPECT_EQ(lines, Lines{"L1"});
}

TEST_F(ComCtrlKestrix2Test, ReadDataLineEndsOnlyOnItsMarkers) {
  peer.Reply("00001,24/03/05 14:00:00,0.5\r\nNG1\r\nNG\r\nyes end\r\nNOT END\r\n");
  std::string text = "old";
  EXPECT_EQ(proto.ReadDataLine(&port, text), ComResult::kDataLine);
  EXPECT_EQ(text, "00001,24/03/05 14:00:00,0.5\r\n");
  EXPECT_EQ(proto.ReadDataLine(&port, text), ComResult::kDataLine);
  EXPECT_EQ(text, "NG1\r\n");
  // Each marker says whether the logger sent everything or stopped early.
  for (ComResult expected : {ComResult::kNotEnd, ComResult::kOk, ComResult::kNotEnd}) {
    ComResult marker = ComResult::kFailed;  // neither marker
    EXPECT_EQ(proto.ReadDataLine(&port, text, &marker), ComResult::kEndOfData);
    EXPECT_EQ(marker, expected);
  }
  EXPECT_EQ(text, "NG1\r\n");  // markers leave the text alone
  timeScale.Set(0.001);
  EXPECT_EQ(proto.ReadDataLine(&port, text), ComResult::kFailed);
}

TEST_F(ComCtrlKestrix2Test, PumpsTheTerminalAfterEveryLineRead) {
  static std::atomic<int> pumps{0};
  platform::InstallPumpHook([] {
    ++pumps;
    return true;
  });
  peer.Reply("A\r\nB\r\n");
  for (int i = 0; i < 5000 && port.GetReadData()->LineCount() < 2; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_EQ(port.GetReadData()->LineCount(), 2);
  pumps = 0;  // with the lines there, ReadLine itself never waits and pumps
  std::string text;
  EXPECT_EQ(proto.ReadDataLine(&port, text), ComResult::kDataLine);
  EXPECT_EQ(proto.ReadDataLine(&port, text), ComResult::kDataLine);
  EXPECT_EQ(pumps.load(), 2);
  platform::InstallPumpHook(nullptr);
}

TEST_F(ComCtrlKestrix2Test, StartReadAllForms) {
  const struct {
    int32_t start, count;
    const char* command;
  } cases[] = {{-1, 9, "RD ALL\r\n"}, {5, 0, "RD ALL 5\r\n"}, {5, 9, "RD ALL 5 9\r\n"}};
  for (const auto& c : cases) {
    peer.Expect(c.command).Reply("OK\r\n");
    EXPECT_EQ(proto.StartReadAll(&port, c.start, c.count), ComResult::kOk) << c.command;
    ASSERT_TRUE(peer.Finish());
  }
  peer.Expect("RD ALL 5\r\n").Reply("YES END\r\n");
  EXPECT_EQ(proto.StartReadAll(&port, 5, 0), ComResult::kOtherReply);
}

TEST_F(ComCtrlKestrix2Test, ErrorLogReachesTheListOnlyWhenWhole) {
  Lines log{"kept"};
  peer.Expect("RD ERR\r\n").Reply("OK\r\nE1 low battery\r\nE2 sensor\r\nYES END\r\n");
  EXPECT_EQ(proto.ReadErrorLog(&port, log), ComResult::kOk);
  EXPECT_EQ(log, (Lines{"kept", "E1 low battery", "E2 sensor"}));
  ASSERT_TRUE(peer.Finish());

  peer.Expect("RD ERR\r\n").Reply("NG\r\n");
  EXPECT_EQ(proto.ReadErrorLog(&port, log), ComResult::kOtherReply);
  ASSERT_TRUE(peer.Finish());

  peer.Expect("RD ERR\r\n").Reply("OK\r\nE1\r\n").ScaleWhenTaken(0.01);
  log = {"kept"};
  EXPECT_EQ(proto.ReadErrorLog(&port, log), ComResult::kTimedOut);
  EXPECT_EQ(log, Lines{"kept"});
}

TEST_F(ComCtrlKestrix2Test, InitMail) {
  peer.Expect("MAIL INI\r\n").Reply("OK\r\n#>RX:OK\r\nREADY\r\nYES END\r\n");
  EXPECT_EQ(proto.InitMail(&port, ""), ComResult::kOk);
  ASSERT_TRUE(peer.Finish());
  peer.Expect("MAIL INI prof1\r\n").Reply("OK\r\nNOT END\r\n");
  EXPECT_EQ(proto.InitMail(&port, "prof1"), ComResult::kNotEnd);
  ASSERT_TRUE(peer.Finish());

  // The module may take minutes; a silent one ends with 4 after 360 s.
  peer.Expect("MAIL INI\r\n").Reply("OK\r\n").ScaleWhenTaken(0.002);
  std::optional<ComResult> result;
  const uint32_t took = Elapsed([&] { result = proto.InitMail(&port, nullptr); });
  EXPECT_EQ(result, ComResult::kTimedOut);
  EXPECT_GE(took, 360000u);
}

TEST_F(ComCtrlKestrix2Test, ReadImeiTakesTheDigitsOfTheFirstLine) {
  char digits[50] = "unchanged";
  peer.Expect("MAIL IMEI\r\n").Reply("OK\r\nIMEI:3567-8901-2345-678\r\nYES END\r\n");
  EXPECT_EQ(proto.ReadImei(&port, digits), ComResult::kOk);
  EXPECT_STREQ(digits, "356789012345678");
  ASSERT_TRUE(peer.Finish());

  std::strcpy(digits, "unchanged");
  peer.Expect("MAIL IMEI\r\n").Reply("OK\r\nimei:1234\r\nYES END\r\n");  // "IMEI" with regard to case
  EXPECT_EQ(proto.ReadImei(&port, digits), ComResult::kOk);
  EXPECT_STREQ(digits, "unchanged");
  ASSERT_TRUE(peer.Finish());

  peer.Expect("MAIL IMEI\r\n").Reply("OK\r\nIMEI " + std::string(60, '7') + "\r\nYES END\r\n");
  EXPECT_EQ(proto.ReadImei(&port, digits), ComResult::kOk);
  EXPECT_EQ(std::string(digits), std::string(49, '7'));
  ASSERT_TRUE(peer.Finish());

  for (const char* tail : {"YES END\r\n", "NG\r\n"}) {  // no line, or a failed query
    peer.Expect("MAIL IMEI\r\n").Reply(std::string("OK\r\n") + tail);
    EXPECT_EQ(proto.ReadImei(&port, digits), ComResult::kOtherReply) << tail;
    ASSERT_TRUE(peer.Finish());
  }
  peer.Expect("MAIL IMEI\r\n").Reply("NOT END\r\n");
  EXPECT_EQ(proto.ReadImei(&port, digits), ComResult::kNotEnd);
}

TEST_F(ComCtrlKestrix2Test, SendWeep) {
  peer.Expect("WEEP\r\n").Reply("flash writing...\r\n").Reply("ok\r\n", 50);
  EXPECT_EQ(proto.SendWeep(&port), ComResult::kOk);
  ASSERT_TRUE(peer.Finish());
  peer.Expect("WEEP\r\n").Reply("WRITING\r\nOK\r\n");  // "writing" with regard to case
  EXPECT_EQ(proto.SendWeep(&port), ComResult::kFailed);
  ASSERT_TRUE(peer.Finish());
  peer.Expect("WEEP\r\n").Reply("writing\r\nNG\r\n");
  EXPECT_EQ(proto.SendWeep(&port), ComResult::kFailed);
  ASSERT_TRUE(peer.Finish());

  peer.Expect("WEEP\r\n").Reply("writing\r\n").ScaleWhenTaken(0.002);
  EXPECT_EQ(proto.SendWeep(&port), ComResult::kFailed);
  ASSERT_TRUE(peer.Finish());
  peer.Expect("WEEP\r\n");
  EXPECT_EQ(proto.SendWeep(&port), ComResult::kTimedOut);
}

TEST_F(ComCtrlKestrix2Test, WaitSleepSeesModuleLinesOnlyWithTheFilterOff) {
  port.GetReadData()->SetOption(0);
  peer.Reply("#>RX:OK\r\n#>rx:$sleep now\r\n");
  EXPECT_EQ(proto.WaitSleep(&port, 3), ComResult::kOk);
  peer.Reply("A\r\nB\r\n#>RX:$SLEEP\r\n");
  ASSERT_TRUE(peer.Finish());
  EXPECT_EQ(proto.WaitSleep(&port, 2), ComResult::kFailed);  // two other lines use up the reads
  EXPECT_EQ(proto.WaitSleep(&port, 0), ComResult::kFailed);
  EXPECT_EQ(proto.WaitSleep(&port, 1), ComResult::kOk);  // the third is still there

  port.GetReadData()->SetOption(1);
  timeScale.Set(0.005);
  peer.Reply("#>RX:$SLEEP\r\n");
  EXPECT_EQ(proto.WaitSleep(&port, 3), ComResult::kFailed);  // filtered: nothing ever comes
}

TEST_F(ComCtrlKestrix2Test, SendAndWait) {
  peer.Expect("AT\r\n").Reply("X\r\nY\r\nZ\r\n");
  EXPECT_EQ(proto.SendAndWait(&port, "AT\r\n", nullptr, 3), ComResult::kOtherReply);
  ASSERT_TRUE(peer.Finish());
  peer.Expect("AT\r\n").Reply("X\r\nok done\r\n");
  EXPECT_EQ(proto.SendAndWait(&port, "AT\r\n", "OK", 3), ComResult::kOk);
  ASSERT_TRUE(peer.Finish());
  peer.Expect("AT\r\n").Reply("X\r\n*>rx:error\r\n");
  EXPECT_EQ(proto.SendAndWait(&port, "AT\r\n", "OK", 3), ComResult::kNotEnd);
  ASSERT_TRUE(peer.Finish());
  peer.Expect("AT\r\n").Reply("*>RX:ERROR 5\r\n");  // compared as a whole
  EXPECT_EQ(proto.SendAndWait(&port, "AT\r\n", "OK", 1), ComResult::kOtherReply);
  ASSERT_TRUE(peer.Finish());

  EXPECT_EQ(proto.SendAndWait(&port, "AT\r\n", "OK", 0), ComResult::kFailed);
  EXPECT_EQ(peer.TakeUnread(), "");

  timeScale.Set(0.002);
  peer.Expect("AT\r\n");
  EXPECT_EQ(proto.SendAndWait(&port, "AT\r\n", nullptr, 3), ComResult::kFailed);
}

TEST(ComCtrlKestrix2Split, SplitCsvLine) {
  Lines list;
  EXPECT_EQ(CComCtrlKestrix2::SplitCsvLine(list, "A,,B"), 3);
  EXPECT_EQ(list, (Lines{"A", "", "B"}));
  list.clear();
  EXPECT_EQ(CComCtrlKestrix2::SplitCsvLine(list, "A,B,"), 2);
  EXPECT_EQ(list, (Lines{"A", "B"}));
  // CR and LF vanish from every piece; the count is that of the whole list.
  EXPECT_EQ(CComCtrlKestrix2::SplitCsvLine(list, "1.5\r,\n2\r\n"), 4);
  EXPECT_EQ(list, (Lines{"A", "B", "1.5", "2"}));
  EXPECT_EQ(CComCtrlKestrix2::SplitCsvLine(list, ""), 4);
}

TEST(ComCtrlKestrix2Model, IsTargetModel) {
  CComCtrlKestrix2 proto;
  EXPECT_TRUE(proto.IsTargetModel("Corvanel-QZ"));
  EXPECT_TRUE(proto.IsTargetModel("Corvanel-QZ200 Ver[1.0]"));
  EXPECT_FALSE(proto.IsTargetModel("corvanel-qz200"));
  EXPECT_FALSE(proto.IsTargetModel("Corvanel-Q"));
  EXPECT_FALSE(proto.IsTargetModel(nullptr));
}

}  // namespace
