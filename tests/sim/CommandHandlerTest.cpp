#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "sim/CommandHandler.h"
#include "sim/SimClock.h"
#include "tools/samples/HexImage.h"

namespace sim {
namespace {

class CommandHandlerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    int64_t t = 0;
    ASSERT_TRUE(SimClock::FromFields(2024, 3, 5, 14, 7, 9, &t));
    h.Clock().Set(t);
    h.Clock().SetRunning(false);
    h.Populate(1, 2500);
  }

  std::vector<std::string> Texts(const std::string& command) {
    std::vector<std::string> out;
    for (const SimLine& l : h.Handle(command).head) out.push_back(l.text);
    return out;
  }
  std::string One(const std::string& command) {
    const auto lines = Texts(command);
    return lines.size() == 1 ? lines[0] : std::string("<").append(std::to_string(lines.size())).append(" lines>");
  }
  // Key and value split as the program splits a reply line: at the first blank.
  std::map<std::string, std::string> Keys(const std::string& command) {
    std::map<std::string, std::string> out;
    const auto lines = Texts(command);
    EXPECT_EQ(lines.back(), "YES END");
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
      const auto blank = lines[i].find(' ');
      out[lines[i].substr(0, blank)] = blank == std::string::npos ? "" : lines[i].substr(blank + 1);
    }
    return out;
  }

  CommandHandler h;
};

TEST_F(CommandHandlerTest, WakeUpAndSystemReplyHaveTheParsedForms) {
  EXPECT_EQ(Texts("HELLO"), (std::vector<std::string>{"WAKE", "Corvanel-QZ Ver[1.02]"}));
  auto sys = Keys("RD SYS");
  EXPECT_TRUE(sys.count("MEASURING"));
  EXPECT_EQ(sys["TIM"], "24/03/05 14:07:09");
  EXPECT_EQ(sys["SMP"], "D00H00M10S00");
  EXPECT_EQ(sys["BAT"], "ALM 3600");
  EXPECT_EQ(sys["ID"], "1-2500 (2500)");
  EXPECT_EQ(sys["CAL"], "RN 0.50");
  EXPECT_EQ(sys["SN"], "A123");
  const auto lines = Texts("RD SYS");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "ALM RN 1 10.00 1:30 ON"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "ALM RN 2 5.50 0:30 OFF"), lines.end());
}

TEST_F(CommandHandlerTest, SettingCommandsChangeStateOrAreRefused) {
  EXPECT_EQ(One("BAT 3700"), "YES END");
  EXPECT_EQ(One("BAT 2399"), "NOT END");
  EXPECT_EQ(One("BAT 12001"), "NOT END");
  EXPECT_EQ(h.State().batteryStop, 3700);

  EXPECT_EQ(One("ST SMP D01H02M03S04"), "YES END");
  EXPECT_EQ(h.State().sampling, 93784);
  EXPECT_EQ(One("ST SMP D00H00M00S00"), "NOT END");  // below one minute
  EXPECT_EQ(One("ST SMP D10H00M00S01"), "NOT END");  // above ten days
  EXPECT_EQ(One("ST SMP 600"), "NOT END");
  EXPECT_EQ(h.State().sampling, 93784);
  EXPECT_EQ(One("ST SMP2 D00H00M05S00"), "YES END");
  EXPECT_EQ(h.State().samplingEvent, 300);

  EXPECT_EQ(One("ST ITV 12"), "YES END");
  EXPECT_EQ(One("ST ITV2 -1"), "NOT END");
  EXPECT_EQ(h.State().sendCount, 12);

  EXPECT_EQ(One("RCAL 1.00"), "YES END");
  EXPECT_EQ(One("RCAL 2.01"), "NOT END");
  EXPECT_EQ(One("RCAL 0.00"), "NOT END");
  EXPECT_DOUBLE_EQ(h.State().rainPerCount, 1.0);

  EXPECT_EQ(One("ALM RN 2 12.25 2:05"), "YES END");
  EXPECT_EQ(One("ALM RN 2 ON"), "YES END");
  EXPECT_EQ(One("ALM RN 3 1.00 1:00"), "NOT END");
  EXPECT_EQ(One("ALM RN 1 1.00 0:00"), "NOT END");
  EXPECT_EQ(One("ALM RN 1 1.00 240:01"), "NOT END");
  EXPECT_DOUBLE_EQ(h.State().alarm[1].threshold, 12.25);
  EXPECT_EQ(h.State().alarm[1].period, 125);
  EXPECT_TRUE(h.State().alarm[1].on);
  EXPECT_EQ(Keys("RD SYS")["BAT"], "ALM 3700");

  EXPECT_EQ(One("NO SUCH THING"), "NG");
}

TEST_F(CommandHandlerTest, StartInThePastKeepsTheScheduleRhythm) {
  EXPECT_EQ(One("ST STP"), "YES END");
  EXPECT_FALSE(h.State().measuring);
  EXPECT_EQ(One("ST SMP D00H00M10S00"), "YES END");
  EXPECT_EQ(One("ST STM 24/03/05 13:00"), "YES END");
  EXPECT_TRUE(h.State().measuring);
  auto sys = Keys("RD SYS");
  EXPECT_EQ(sys["STM"], "24/03/05 13:00:00");
  EXPECT_EQ(sys["NEX"], "24/03/05 14:10:00");
  EXPECT_EQ(One("ST STM 24/02/30 13:00"), "NOT END");
  EXPECT_EQ(One("ST STM 24/03/05 25:00"), "NOT END");
}

TEST_F(CommandHandlerTest, MeasurementsFallDueOnTheRunningClock) {
  const int last = h.Records().LastNumber();
  h.Clock().Set(h.Clock().Now() + 3 * 600);
  h.Advance();
  EXPECT_EQ(h.Records().LastNumber(), last + 3);
  EXPECT_EQ(h.Records().Count(), 2503);
}

TEST_F(CommandHandlerTest, ClearAndResetEmptyTheMemoryAndStop) {
  EXPECT_EQ(One("ST CLR"), "YES END");
  auto sys = Keys("RD SYS");
  EXPECT_TRUE(sys.count("STOP"));
  EXPECT_EQ(sys["ID"], "0-0 (0)");
  EXPECT_EQ(Texts("RD ERR"), (std::vector<std::string>{"OK", "YES END"}));

  EXPECT_EQ(One("BAT 5000"), "YES END");
  EXPECT_EQ(One("ST STM"), "YES END");
  EXPECT_EQ(One("ST RES"), "YES END");
  EXPECT_EQ(h.State().batteryStop, 3600);
  EXPECT_FALSE(h.State().measuring);
}

TEST_F(CommandHandlerTest, RecordDownloadForms) {
  h.Records().Fill(99990, 16, h.Clock().Now(), 600);
  SimReply all = h.Handle("RD ALL");
  EXPECT_TRUE(all.download);
  EXPECT_EQ(all.head.at(0).text, "OK");
  EXPECT_EQ(all.tail.at(0).text, "YES END");
  EXPECT_EQ(all.records.size(), 16u);
  EXPECT_EQ(h.Handle("RD ALL 99999").records, (std::vector<int>{99999, 0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(h.Handle("RD ALL 99998 3").records, (std::vector<int>{99998, 99999, 0}));
  EXPECT_TRUE(h.Handle("RD ALL 50 10").records.empty());
  EXPECT_EQ(One("RD ALL 100000"), "NG");
  EXPECT_EQ(One("RD ALL 5 0"), "NG");
  EXPECT_EQ(One("RD ALL x"), "NG");
}

TEST_F(CommandHandlerTest, NetworkValuesAndProfiles) {
  EXPECT_EQ(One("MAIL APN my.apn"), "YES END");
  EXPECT_EQ(One("MAIL APP "), "YES END");
  EXPECT_EQ(One("MAIL APA"), "YES END");
  EXPECT_EQ(One("MAIL APA MAGIC"), "NOT END");
  EXPECT_EQ(One("MAIL APU " + std::string(64, 'u')), "NOT END");
  auto dsp = Keys("MAIL DSP");
  EXPECT_EQ(dsp["APN"], "my.apn");
  EXPECT_EQ(dsp["APP"], "");
  EXPECT_EQ(dsp["APA"], "");
  EXPECT_EQ(dsp["APU"], "kx2");
  EXPECT_EQ(dsp["IMEI"], "356938035643809");

  EXPECT_EQ(Texts("MAIL IMEI").at(1), "IMEI:35-693803-564380-9");
  EXPECT_EQ(One("MAIL INI XYZ"), "NG");
  EXPECT_EQ(Texts("MAIL INI MDAP").back(), "YES END");
  EXPECT_EQ(h.State().apn, "mdap.apn.example");
}

TEST_F(CommandHandlerTest, FirmwareLinesOnlyInInspectionMode) {
  const std::string good = ":020000040000FA";
  EXPECT_EQ(One("SRAMCLR"), "NG");
  EXPECT_EQ(One(good), "NG");
  EXPECT_EQ(One("INSPECT ON"), "YES END");
  EXPECT_EQ(One("SRAMCLR"), "OK");
  EXPECT_EQ(One("WEEP"), "NG");  // nothing to write yet
  EXPECT_EQ(One("MONITOR"), "OK");
  EXPECT_EQ(One(good), "OK");
  EXPECT_EQ(One(":020000040000FB"), "NG");  // checksum
  EXPECT_EQ(One(":0300000400FA"), "NG");    // byte count
  SimReply weep = h.Handle("WEEP");
  ASSERT_EQ(weep.head.size(), 2u);
  EXPECT_NE(weep.head[0].text.find("writing"), std::string::npos);
  EXPECT_EQ(weep.head[1].text, "OK");
  EXPECT_GT(weep.head[1].delayMs, 0u);
  EXPECT_FALSE(h.State().inspecting);  // restarted from the new program
}

TEST_F(CommandHandlerTest, AWrittenImageBringsTheVersionItsHeaderNames) {
  const auto transfer = [this](const std::string& image) {
    One("INSPECT ON");
    One("SRAMCLR");
    One("MONITOR");
    size_t pos = 0;
    for (size_t end; (end = image.find("\r\n", pos)) != std::string::npos; pos = end + 2) {
      EXPECT_EQ(One(image.substr(pos, end - pos)), "OK");
    }
    h.Handle("WEEP");
    return Texts("HELLO").at(1);
  };
  EXPECT_EQ(Texts("HELLO").at(1), "Corvanel-QZ Ver[1.02]");
  EXPECT_EQ(transfer(FirmwareImage({"KESTRX2", "2.05"}, {"25-01-10", "RG"})), "Corvanel-QZ Ver[2.05]");
  // An image of another family, or one without a header, leaves it.
  EXPECT_EQ(transfer(FirmwareImage({"OTHER", "9.99"}, {"x", "y"})), "Corvanel-QZ Ver[2.05]");
  EXPECT_EQ(transfer(HexImage(3)), "Corvanel-QZ Ver[2.05]");
  // Only the first two records count.
  EXPECT_EQ(transfer(HexImage(2) + FirmwareImage({"KESTRX2", "3.00"}, {"a", "b"})), "Corvanel-QZ Ver[2.05]");
}

TEST_F(CommandHandlerTest, ModuleMonitorLines) {
  EXPECT_EQ(One("mon"), "NG");
  EXPECT_EQ(One("INSPECT ON"), "YES END");
  EXPECT_EQ(One("dbg mtcoff"), "YES END");
  EXPECT_EQ(One("mon"), "NG");
  EXPECT_EQ(Texts("dbg mtcon"), (std::vector<std::string>{"YES END", "#>RX:$SLEEP"}));
  EXPECT_EQ(One("at$ver"), "*>RX:ERROR");
  EXPECT_EQ(One("mon"), "#>RX:$WAKEUP");
  EXPECT_EQ(One("at$ver"), "#>RX:$VER:MDM 2.31.0");
  EXPECT_EQ(Texts("moff"), (std::vector<std::string>{"YES END", "#>RX:$SLEEP"}));
}

}  // namespace
}  // namespace sim
