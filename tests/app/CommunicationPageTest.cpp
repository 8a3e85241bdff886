// The Communication page against the logger simulator: the network record
// in its fields, the disconnected page and the restart of the communication
// module with its boxes.
#include <QLineEdit>

#include "link/ReadData.h"
#include "tests/app/PanelFixture.h"

namespace {
using N = CDlgNetsSim;
constexpr const char* kCaption = "Reboot commu.";

class CommunicationPageTest : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    // The restart waits 3 s of logger time around the module; replies still
    // have hundreds of ms.
    timeScale.Set(0.15);
  }
  CDlgNetsSim& Comm() { return Panel().m_pageNetsSim; }
  std::string Field(UINT id) { return Comm().GetDlgItemText(static_cast<int>(id)); }
  // The restart confirmed; the boxes it showed.
  std::vector<RecordingMessageService::Box> Reboot() {
    boxes.boxes.clear();
    before_ = sim.ReceivedCommands().size();
    boxes.Answer(IDOK);  // the confirmation's default button is Cancel
    Click(Comm(), N::kRebootModule);
    return boxes.boxes;
  }
  // The commands of the last restart, once `n` have come: a last command
  // that gets no answer may be logged late.
  std::vector<std::string> Sent(size_t n) {
    sim.WaitForCommands(before_ + n, 2000);
    return SentSince(before_);
  }
  static int32_t Filter() { return theApp.m_device.m_port.GetReadData()->GetOption(); }

 private:
  size_t before_ = 0;
};

void ExpectConfirmation(const RecordingMessageService::Box& box) {
  EXPECT_EQ(box.text, "通信モジュールを再起動します。\r\nつづけますか?");
  EXPECT_EQ(box.caption, kCaption);
  EXPECT_EQ(box.type, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2));
}

void ExpectFailure(const RecordingMessageService::Box& box) {
  EXPECT_EQ(box.text, "エラー！ 失敗");
  EXPECT_EQ(box.caption, kCaption);
  EXPECT_EQ(box.Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
}
}  // namespace

TEST_F(CommunicationPageTest, FieldsShowTheNetworkRecordWithThePasswordMasked) {
  sim.Update([](sim::SimState& s) {
    s.apn = "apn.example";
    s.user = "gauge7";
    s.password = "pw345678";
    s.auth = "PAP";
    s.imei = "356938035643809";
  });
  ASSERT_TRUE(ConnectOk());
  EXPECT_EQ(Field(N::kApn), "apn.example");
  EXPECT_EQ(Field(N::kUser), "gauge7");
  EXPECT_EQ(Field(N::kPassword), "pw345678");
  EXPECT_EQ(Field(N::kAuth), "PAP");
  EXPECT_EQ(Field(N::kImei), "356938035643809");
  auto* password = qobject_cast<QLineEdit*>(Comm().GetDlgItem(N::kPassword)->GetWidget());
  ASSERT_NE(password, nullptr);
  const QString shown = password->displayText();
  EXPECT_EQ(shown.size(), 8);
  EXPECT_EQ(shown.count(shown.at(0)), 8) << "eight mask characters";
  EXPECT_NE(shown, QStringLiteral("pw345678"));
  EXPECT_EQ(theApp.m_device.m_workRead.m_mailInfo.m_strPassword, "pw345678");
  for (UINT id : {N::kApnSetting, N::kCheckImei, N::kRebootModule}) EXPECT_TRUE(Enabled(Comm(), id)) << id;
}

TEST_F(CommunicationPageTest, DisconnectedPageIsEmptyAndTheRestartFailsAfterTheConfirmation) {
  ASSERT_TRUE(ConnectOk());
  theApp.m_device.ClosePort();
  Panel().UpdatePages();
  for (UINT id : {N::kApn, N::kUser, N::kPassword, N::kAuth, N::kImei}) EXPECT_EQ(Field(id), "") << id;
  EXPECT_FALSE(Enabled(Comm(), N::kApnSetting));
  EXPECT_TRUE(Enabled(Comm(), N::kCheckImei));
  EXPECT_TRUE(Enabled(Comm(), N::kRebootModule));

  const auto shown = Reboot();
  ASSERT_EQ(shown.size(), 2u);
  ExpectConfirmation(shown[0]);
  ExpectFailure(shown[1]);
  EXPECT_TRUE(Sent(0).empty());
  EXPECT_TRUE(frame->IsWindowEnabled());
}

TEST_F(CommunicationPageTest, RestartRunsTheModuleSequenceAndSaysSo) {
  ASSERT_TRUE(ConnectOk());
  bool frameDisabled = false;
  boxes.onBox = [&](const RecordingMessageService::Box& box) {
    if (box.text == "成功") frameDisabled = !frame->IsWindowEnabled();
  };
  const auto shown = Reboot();
  ASSERT_EQ(shown.size(), 2u);
  ExpectConfirmation(shown[0]);
  EXPECT_EQ(shown[1].text, "成功");
  EXPECT_EQ(shown[1].caption, kCaption);
  EXPECT_EQ(shown[1].type, static_cast<UINT>(MB_OK));
  EXPECT_EQ(Sent(7),
            (std::vector<std::string>{"HELLO", "INSPECT ON", "dbg mtcoff", "dbg mtcon", "mon", "at$ver", "moff"}));
  EXPECT_EQ(Filter(), 1);
  EXPECT_TRUE(frameDisabled) << "the frame stays disabled until the result is told";
  EXPECT_TRUE(frame->IsWindowEnabled());
  EXPECT_TRUE(theApp.m_device.m_strError.empty());
}

TEST_F(CommunicationPageTest, ARestartTheLoggerRefusesOrLeavesUnansweredFails) {
  ASSERT_TRUE(ConnectOk());
  struct Case {
    sim::FaultKind kind;
    const char* command;
    std::vector<std::string> sent;
  };
  const std::vector<std::string> upToOn = {"HELLO", "INSPECT ON", "dbg mtcoff", "dbg mtcon"};
  const Case cases[] = {
      {sim::FaultKind::NotEnd, "dbg mtcon", upToOn},
      {sim::FaultKind::Ng, "INSPECT ON", {"HELLO", "INSPECT ON", "INSPECT ON", "INSPECT ON"}},
      {sim::FaultKind::NoAnswer, "HELLO", {"HELLO", "HELLO", "HELLO"}},
  };
  for (const Case& c : cases) {
    sim::Fault f;
    f.kind = c.kind;
    f.command = c.command;
    f.count = -1;
    sim.InjectFault(f);
    const auto shown = Reboot();
    ASSERT_EQ(shown.size(), 2u) << c.command;
    ExpectFailure(shown[1]);
    EXPECT_EQ(Sent(c.sent.size()), c.sent) << c.command;
    EXPECT_EQ(Filter(), 1) << c.command;
    EXPECT_TRUE(frame->IsWindowEnabled());
    sim.ClearFaults();
  }
}

TEST_F(CommunicationPageTest, ACancelledRestartSendsNothing) {
  ASSERT_TRUE(ConnectOk());
  const size_t before = sim.ReceivedCommands().size();
  Click(Comm(), N::kRebootModule);  // Cancel is the default answer
  ASSERT_EQ(boxes.boxes.size(), 1u);
  ExpectConfirmation(boxes.boxes[0]);
  EXPECT_TRUE(SentSince(before).empty());
}
