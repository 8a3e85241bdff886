// The firmware update end to end against the simulator: the whole sequence
// of a transfer with the frame's re-read after it, and the logger's faults,
// each ending in its boxes with the dialog still up.
#include "tests/app/FirmwareFixture.h"

namespace {
const char* const kFailed = "失敗しました";
}  // namespace

TEST_F(FirmwareTest, UpdateSendsTheImageAndTheFrameReadsTheNewVersion) {
  ASSERT_TRUE(ConnectOk());
  ASSERT_EQ(theApp.m_device.m_workRead.m_sysInfo.m_nMeasuring, 1);
  EXPECT_EQ(Text(CDlgMainSystem::kVersion), "1.02");
  sim.ClearReceivedCommands();
  const std::string image = GoodImage();
  const std::string path = WriteFile("new.hex", image);
  bool updated = false;
  WithDialog([&](CDlgFirm& dlg) {
    Choose(dlg, path);
    ScopedKeyHold chord(CDlgFirm::kUpdateUnlockChord);
    boxes.Answer(IDOK);
    boxes.Answer(IDOK);
    // The dialog and its buttons stay disabled while the transfer runs.
    boxes.onBox = [&](const RecordingMessageService::Box& box) {
      if (box.caption == "Normal termination") {
        EXPECT_FALSE(Enabled(dlg, CDlgFirm::kUpdate));
        EXPECT_FALSE(Enabled(dlg, IDOK));
      }
    };
    Click(dlg, CDlgFirm::kUpdate);
    boxes.onBox = nullptr;
    EXPECT_TRUE(ButtonsEnabled(dlg));
    updated = dlg.m_bUpdated == 1;
  });
  EXPECT_TRUE(updated);

  ASSERT_EQ(boxes.boxes.size(), 3u);
  EXPECT_EQ(boxes.boxes[2].text, "正常に終了しました");
  EXPECT_EQ(boxes.boxes[2].caption, "Normal termination");
  EXPECT_EQ(boxes.boxes[2].Icon(), 0u);

  // Stopped first (the logger was measuring), every image line once with its
  // CR LF (the simulator checks each), initialised after, then the frame's
  // full re-read.
  Strings expected{"HELLO", "ST STP", "INSPECT ON", "SRAMCLR", "MONITOR"};
  for (const std::string& line : Lines(image)) expected.push_back(line);
  for (const char* c : {"WEEP", "HELLO", "INSPECT ON", "SYSINIT", "HELLO", "ST RES", "HELLO", "RD SYS", "MAIL DSP"}) {
    expected.push_back(c);
  }
  EXPECT_EQ(Commands(), expected);
  EXPECT_EQ(theApp.m_device.m_protocol.m_strVersion, kNewVersion);
  EXPECT_EQ(Text(CDlgMainSystem::kVersion), kNewVersion);
  EXPECT_EQ(frame->m_nState, CMainFrame::kStateConnected);
}

TEST_F(FirmwareTest, LoggerFaultsEndInTheirBoxesAndNoReRead) {
  ASSERT_TRUE(ConnectOk());
  sim.Update([](sim::SimState& s) { s.measuring = false; });
  theApp.m_device.m_workRead.m_sysInfo.m_nMeasuring = 0;
  const std::string image = GoodImage();
  const std::string path = WriteFile("new.hex", image);
  const std::string refusedLine = Lines(image).at(3);
  const auto fault = [this](sim::FaultKind kind, const std::string& command, int count) {
    sim::Fault f;
    f.kind = kind;
    f.command = command;
    f.count = count;
    sim.InjectFault(f);
  };
  const struct {
    const char* what;
    std::function<void()> inject;
    Strings boxes;
    const char* last;  // the last command the logger got
  } cases[] = {
      // Refused six times: the transfer stops at that line.
      {"image line", [&] { fault(sim::FaultKind::Ng, refusedLine, 6); }, {kFailed}, refusedLine.c_str()},
      // The write fails: the logger is still woken, initialised and reset.
      {"write", [&] { fault(sim::FaultKind::Ng, "WEEP", 3); }, {kFailed}, "ST RES"},
      // No answer at all: the device object's own text comes first.
      {"wake-up",
       [&] { fault(sim::FaultKind::NoAnswer, "HELLO", 3); },
       {"エラー！ 機器からの応答がありません", kFailed},
       "HELLO"},
  };
  int updated = -1;
  WithDialog([&](CDlgFirm& dlg) {
    Choose(dlg, path);
    ScopedKeyHold chord(CDlgFirm::kUpdateUnlockChord);
    for (const auto& c : cases) {
      sim.ClearFaults();
      sim.ClearReceivedCommands();
      c.inject();
      boxes.boxes.clear();
      boxes.Answer(IDOK);
      boxes.Answer(IDOK);
      Click(dlg, CDlgFirm::kUpdate);
      // The confirmations, then the failure.
      const Strings shown = BoxTexts(2);
      EXPECT_EQ(shown, c.boxes) << c.what;
      for (size_t i = 2; i < boxes.boxes.size(); ++i) {
        EXPECT_EQ(boxes.boxes[i].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION)) << c.what;
        EXPECT_EQ(boxes.boxes[i].caption, AfxGetAppName()) << c.what;
      }
      sim.WaitForCommands(3, 2000);
      const Strings sent = Commands();
      ASSERT_FALSE(sent.empty()) << c.what;
      EXPECT_EQ(sent.back(), c.last) << c.what;
      EXPECT_EQ(std::count(sent.begin(), sent.end(), "ST STP"), 0) << c.what;
      EXPECT_TRUE(ButtonsEnabled(dlg)) << c.what;
      EXPECT_NE(dlg.GetSafeHwnd(), 0) << c.what;
    }
    updated = dlg.m_bUpdated;
  });
  EXPECT_EQ(updated, 0);
  // No update, so the frame read nothing afterwards.
  EXPECT_EQ(Commands().back(), "HELLO");
  EXPECT_EQ(theApp.m_device.m_protocol.m_strVersion, "1.02");
}

TEST_F(FirmwareTest, ARunRefusedBesideAnotherOperationIsNoUpdate) {
  ASSERT_TRUE(ConnectOk());
  const std::string path = WriteFile("new.hex", GoodImage());
  int updated = -1;
  WithDialog([&](CDlgFirm& dlg) {
    Choose(dlg, path);
    // 更新 is clicked while the frame re-reads the logger.
    WhenPumped([&] {
      ScopedKeyHold chord(CDlgFirm::kUpdateUnlockChord);
      boxes.Answer(IDOK);
      boxes.Answer(IDOK);
      Click(dlg, CDlgFirm::kUpdate);
    });
    frame->ExecuteSettingItem(nullptr, -1, 0);
    updated = dlg.m_bUpdated;
  });
  EXPECT_EQ(updated, 0);
  // Refused before its confirmations, with no failure text.
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, res::LoadString(res::kStrBusy));
  const Strings sent = Commands();
  EXPECT_EQ(std::count(sent.begin(), sent.end(), "MONITOR"), 0);
}
