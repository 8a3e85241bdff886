#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <optional>

#include "sim/LoggerSim.h"
#include "tests/support/ScopedTimeScale.h"

namespace sim {
namespace {

// The program's side of the line, with plain POSIX calls: raw mode, lines
// ended by LF, CR and NUL dropped. The time-outs only bound a failing test.
class Slave {
 public:
  explicit Slave(const std::string& path) : m_fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC)) {
    if (m_fd < 0) return;
    termios tio{};
    tcgetattr(m_fd, &tio);
    cfmakeraw(&tio);
    tcsetattr(m_fd, TCSANOW, &tio);
  }
  ~Slave() {
    if (m_fd >= 0) ::close(m_fd);
  }
  bool Ok() const { return m_fd >= 0; }

  void Send(const std::string& text) { ASSERT_EQ(::write(m_fd, text.data(), text.size()), (ssize_t)text.size()); }

  std::optional<std::string> Line(int ms = 5000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (;;) {
      const auto lf = m_buf.find('\n');
      if (lf != std::string::npos) {
        std::string line;
        for (char c : m_buf.substr(0, lf))
          if (c != '\r' && c != '\0') line += c;
        m_buf.erase(0, lf + 1);
        return line;
      }
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
      if (left <= 0) return std::nullopt;
      pollfd p{m_fd, POLLIN, 0};
      if (::poll(&p, 1, static_cast<int>(left)) <= 0) continue;
      if (!(p.revents & POLLIN)) {
        m_hangup = true;
        return std::nullopt;
      }
      char buf[8192];
      const ssize_t n = ::read(m_fd, buf, sizeof buf);
      if (n <= 0) {
        m_hangup = true;
        return std::nullopt;
      }
      m_buf.append(buf, static_cast<size_t>(n));
    }
  }

  std::vector<std::string> Exchange(const std::string& command) {
    Send(command + "\r\n");
    std::vector<std::string> lines;
    while (auto l = Line()) {
      lines.push_back(*l);
      if (*l == "YES END" || *l == "NOT END" || *l == "NG" || *l == "OK") break;
    }
    return lines;
  }

  bool HungUp() const { return m_hangup; }

 private:
  int m_fd;
  std::string m_buf;
  bool m_hangup = false;
};

class LoggerSimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sim.Start());
    slave.emplace(sim.SlavePath());
    ASSERT_TRUE(slave->Ok());
  }

  LoggerSim sim;
  std::optional<Slave> slave;
};

TEST_F(LoggerSimTest, WakeUpAndCommandLog) {
  slave->Send("\r\nHELLO\r\n");
  EXPECT_EQ(slave->Line(), "WAKE");
  EXPECT_EQ(slave->Line(), "Corvanel-QZ Ver[1.02]");
  EXPECT_EQ(slave->Exchange("BAT 4000"), (std::vector<std::string>{"YES END"}));
  ASSERT_TRUE(sim.WaitForCommands(2, 5000));
  EXPECT_EQ(sim.ReceivedCommands(), (std::vector<std::string>{"HELLO", "BAT 4000"}));
  EXPECT_EQ(sim.State().batteryStop, 4000);
}

TEST_F(LoggerSimTest, FaultsForTheNextCommandsThenNormalAgain) {
  sim.InjectFault({FaultKind::Ng, "BAT", 2});
  sim.InjectFault({FaultKind::Garbage, "RD REL", 1});
  EXPECT_EQ(slave->Exchange("BAT 4000"), (std::vector<std::string>{"NG"}));
  EXPECT_EQ(slave->Exchange("BAT 4000"), (std::vector<std::string>{"NG"}));
  EXPECT_EQ(sim.State().batteryStop, 3600);  // a refused command changes nothing
  EXPECT_EQ(slave->Exchange("bat 4000"), (std::vector<std::string>{"YES END"}));
  slave->Send("RD REL\r\n");
  EXPECT_EQ(slave->Line(), "?~%$GARBAGE&!~?");

  sim.InjectFault({FaultKind::NoAnswer, "", 1});
  slave->Send("RD SYS\r\n");
  ASSERT_TRUE(sim.WaitForCommands(5, 5000));
  EXPECT_EQ(slave->Exchange("ST STP"), (std::vector<std::string>{"YES END"}));
}

TEST_F(LoggerSimTest, DisturbedRepliesStillCarryTheSameLines) {
  sim.SetClock(1709647629, false);
  const auto plain = slave->Exchange("RD SYS");
  ASSERT_EQ(plain.back(), "YES END");

  sim.InjectFault({FaultKind::Split, "RD SYS", 1});
  EXPECT_EQ(slave->Exchange("RD SYS"), plain);

  sim.InjectFault({FaultKind::HashLines, "RD SYS", 1});
  std::vector<std::string> withoutHash;
  for (const auto& l : slave->Exchange("RD SYS"))
    if (l[0] != '#') withoutHash.push_back(l);
  EXPECT_EQ(withoutHash, plain);

  sim.InjectFault({FaultKind::LongLine, "RD SYS", 1});
  slave->Send("RD SYS\r\n");
  auto first = slave->Line();
  ASSERT_TRUE(first);
  EXPECT_GT(first->size(), 4096u);
  EXPECT_EQ(slave->Line(), plain[0]);
}

TEST_F(LoggerSimTest, DelayedReplyHonoursTheTimeScale) {
  const ScopedTimeScale fast(0.001);
  sim.InjectFault({FaultKind::Delay, "ST STP", 1, 45000});
  EXPECT_EQ(slave->Exchange("ST STP"), (std::vector<std::string>{"YES END"}));
}

TEST_F(LoggerSimTest, EscStopsARunningDownloadWithAnEndMarker) {
  // More records than the terminal can buffer, so the download is still
  // running when the ESC arrives.
  sim.SetRecords(1, 60000);
  slave->Send("RD ALL\r\n");
  EXPECT_EQ(slave->Line(), "OK");
  EXPECT_EQ(slave->Line()->substr(0, 6), "00001,");
  slave->Send("\x1b");
  int records = 1;
  std::optional<std::string> line;
  while ((line = slave->Line()) && *line != "NOT END") {
    char expect[16];
    std::snprintf(expect, sizeof expect, "%05d,", records + 1);
    ASSERT_EQ(line->substr(0, 6), expect);  // whole lines, in order, none lost
    ++records;
  }
  EXPECT_EQ(line, "NOT END");
  EXPECT_LT(records, 60000);
  EXPECT_EQ(sim.ReceivedCommands(), (std::vector<std::string>{"RD ALL", "\x1b"}));
  // The logger is ready for the next command at once.
  EXPECT_EQ(slave->Exchange("ST STP"), (std::vector<std::string>{"YES END"}));
}

TEST_F(LoggerSimTest, CompleteDownloadOfAWrappedRange) {
  sim.SetRecords(99998, 5);
  const auto lines = slave->Exchange("RD ALL 99999 3");
  ASSERT_EQ(lines.size(), 1u);  // "OK" ends Exchange
  std::vector<std::string> ids;
  std::optional<std::string> line;
  while ((line = slave->Line()) && *line != "YES END") ids.push_back(line->substr(0, 5));
  EXPECT_EQ(ids, (std::vector<std::string>{"99999", "00000", "00001"}));
}

TEST_F(LoggerSimTest, StallStopsMidDownloadAndTheLoggerRecovers) {
  sim.SetRecords(1, 100);
  sim.InjectFault({FaultKind::Stall, "RD ALL", 1, 0, 4});
  slave->Send("RD ALL 1 100\r\n");
  EXPECT_EQ(slave->Line(), "OK");
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(slave->Line());
  ASSERT_TRUE(sim.WaitForCommands(1, 5000));
  EXPECT_EQ(slave->Line(100), std::nullopt);
  EXPECT_EQ(slave->Exchange("ST STP"), (std::vector<std::string>{"YES END"}));
}

TEST_F(LoggerSimTest, DownloadFaultsIgnoreTheEscOrGiveUpPartWay) {
  sim.SetRecords(1, 3000);
  // Every record comes and the download ends as usual, the ESC only logged.
  sim.InjectFault({FaultKind::IgnoreEsc, "RD ALL", 1});
  slave->Send("RD ALL\r\n");
  EXPECT_EQ(slave->Line(), "OK");
  slave->Send("\x1b");
  int records = 0;
  std::optional<std::string> line;
  while ((line = slave->Line()) && line->size() > 7) ++records;
  EXPECT_EQ(line, "YES END");
  EXPECT_EQ(records, 3000);
  EXPECT_EQ(sim.ReceivedCommands(), (std::vector<std::string>{"RD ALL", "\x1b"}));

  // A logger that stops by itself after so many records, with either marker.
  for (const auto& [kind, marker] : {std::pair{FaultKind::GiveUp, "NOT END"}, std::pair{FaultKind::GiveUpNg, "NG"}}) {
    sim.InjectFault({kind, "RD ALL", 1, 0, 40});
    slave->Send("RD ALL 1 100\r\n");
    EXPECT_EQ(slave->Line(), "OK");
    for (int i = 1; i <= 40; ++i) {
      char expect[16];
      std::snprintf(expect, sizeof expect, "%05d,", i);
      ASSERT_EQ(slave->Line()->substr(0, 6), expect);
    }
    EXPECT_EQ(slave->Line(), marker);
  }
  // Fewer records than the fault's count: the download ends as usual.
  sim.InjectFault({FaultKind::GiveUp, "RD ALL", 1, 0, 40});
  EXPECT_EQ(slave->Exchange("RD ALL 1 3"), (std::vector<std::string>{"OK"}));
  records = 0;
  while ((line = slave->Line()) && *line != "YES END") ++records;
  EXPECT_EQ(records, 3);
}

TEST_F(LoggerSimTest, VanishClosesTheTerminal) {
  sim.InjectFault({FaultKind::Vanish, "RD SYS", 1});
  slave->Send("RD SYS\r\n");
  EXPECT_EQ(slave->Line(), std::nullopt);
  EXPECT_TRUE(slave->HungUp());
  EXPECT_TRUE(sim.Vanished());
}

TEST_F(LoggerSimTest, NoValueKeepsTheKeysAndEndMarkersOfTheReply) {
  ScopedTimeScale fast(0.01);  // the module's pauses
  const auto reply = [this](const std::string& command) {
    slave->Send(command + "\r\n");
    std::vector<std::string> lines;
    while (auto l = slave->Line()) {
      lines.push_back(*l);
      if (*l == "YES END" || *l == "NG") break;
    }
    return lines;
  };
  sim.InjectFault({FaultKind::NoValue, "MAIL IMEI", 1});
  sim.InjectFault({FaultKind::NoValue, "RD ANT", 1});
  EXPECT_EQ(reply("MAIL IMEI"), (std::vector<std::string>{"OK", "IMEI:", "YES END"}));
  EXPECT_EQ(reply("RD ANT"), (std::vector<std::string>{"OK", "ANT", "YES END"}));
  EXPECT_EQ(reply("RD ANT"), (std::vector<std::string>{"OK", "ANT -85", "YES END"}));
  std::string error;
  EXPECT_EQ(FaultPlan::Parse("novalue@MAIL IMEI", &error)->kind, FaultKind::NoValue);
}

TEST(FaultPlan, ParsesScenarios) {
  std::string error;
  auto f = FaultPlan::Parse("delay=3000*2@RD SYS", &error);
  ASSERT_TRUE(f) << error;
  EXPECT_EQ(f->kind, FaultKind::Delay);
  EXPECT_EQ(f->delayMs, 3000u);
  EXPECT_EQ(f->count, 2);
  EXPECT_EQ(f->command, "RD SYS");
  f = FaultPlan::Parse("stall=5", &error);
  ASSERT_TRUE(f);
  EXPECT_EQ(f->lines, 5);
  EXPECT_EQ(f->count, -1);
  f = FaultPlan::Parse("giveupng=12@RD ALL", &error);
  ASSERT_TRUE(f) << error;
  EXPECT_EQ(f->kind, FaultKind::GiveUpNg);
  EXPECT_EQ(f->lines, 12);
  EXPECT_EQ(FaultPlan::Parse("ignoreesc", &error)->kind, FaultKind::IgnoreEsc);
  EXPECT_EQ(FaultPlan::Parse("pace=2@RD ALL", &error)->delayMs, 2u);
  EXPECT_FALSE(FaultPlan::Parse("giveup", &error));
  EXPECT_FALSE(FaultPlan::Parse("delay", &error));
  EXPECT_FALSE(FaultPlan::Parse("ng=3", &error));
  EXPECT_FALSE(FaultPlan::Parse("boom", &error));
  EXPECT_FALSE(FaultPlan::Parse("ng*0", &error));

  FaultPlan plan;
  plan.Add({FaultKind::Ng, "rd sys", 2});
  plan.Add({FaultKind::Garbage, "", -1});
  EXPECT_EQ(plan.Take("RD SYS")->kind, FaultKind::Ng);
  EXPECT_EQ(plan.Take("RD SYS")->kind, FaultKind::Ng);
  EXPECT_EQ(plan.Take("RD SYS")->kind, FaultKind::Garbage);
  EXPECT_EQ(plan.Take("ST STP")->kind, FaultKind::Garbage);
}

}  // namespace
}  // namespace sim
