// The Test page's current-values dialog against the logger simulator: the
// table from "RD REL", failed reads, the rain reset and the closed port.
#include <functional>

#include "app/DlgNowMonitor.h"
#include "sim/SimClock.h"
#include "tests/app/PanelFixture.h"

namespace {
using D = CDlgNowMonitor;
using Rows = std::vector<std::vector<std::string>>;

Rows Table(const CListCtrl& list) {
  Rows rows;
  for (int i = 0; i < list.GetItemCount(); ++i) {
    std::vector<std::string> row;
    for (int c = 0; c < list.GetColumnCount(); ++c) row.push_back(list.GetItemText(i, c));
    rows.push_back(row);
  }
  return rows;
}

class CurrentValuesTest : public PanelTest {
 protected:
  // Opens the dialog from the Test page as the operator does, lets `act`
  // work it and closes it with "閉じる".
  void WithDialog(const std::function<void(D&)>& act) {
    bool ran = false;
    CDialog::SetModalHook([&](CDialog* dlg) {
      auto* values = dynamic_cast<D*>(dlg);
      if (values == nullptr) return;
      ran = true;
      act(*values);
      values->SendMessage(WM_COMMAND, IDOK, 0);
    });
    Click(Panel().m_pageTest, CDlgMainTest::kCurrentValues);
    CDialog::SetModalHook(nullptr);
    EXPECT_TRUE(ran);
  }
  // A button pressed; the boxes it showed.
  std::vector<RecordingMessageService::Box> Press(D& dlg, UINT id) {
    boxes.boxes.clear();
    before_ = sim.ReceivedCommands().size();
    Click(dlg, id);
    return boxes.boxes;
  }
  // The commands since the last Press, once `n` have come: a last command
  // that gets no answer may be logged late.
  std::vector<std::string> Sent(size_t n) {
    sim.WaitForCommands(before_ + n, 2000);
    return SentSince(before_);
  }
  void FailFor(sim::FaultKind kind, const std::string& command) {
    sim::Fault f;
    f.kind = kind;
    f.command = command;
    f.count = -1;
    sim.InjectFault(f);
  }
  // The five rows as the simulator's present values give them.
  Rows Expected(const std::string& rainfall) {
    char id[16];
    std::snprintf(id, sizeof id, "%05d", sim.LastRecord());
    return {{"1", "ID", id, ""},
            {"2", "Date", sim::SimClock::Format(sim.Clock()), ""},
            {"3", "Bat.", "3.61", "[V]"},
            {"4", "Rainfall", rainfall, "[mm]"},
            {"5", "Sampling", "10", "[min]"}};
  }

 private:
  size_t before_ = 0;
};

void ExpectError(const std::vector<RecordingMessageService::Box>& shown, const std::string& text) {
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, text);
  EXPECT_EQ(shown[0].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
}

const char* const kFailed = "エラー！ 失敗しました";
const char* const kNotConnected = "エラー！ 機器と接続していません";
}  // namespace

TEST_F(CurrentValuesTest, AcquireFillsFiveRowsWithTheValuesRightAligned) {
  sim.Update([](sim::SimState& s) {
    s.batteryMv = 3610;
    s.rainMm = 12.5;
    s.sampling = 600;
  });
  ASSERT_TRUE(ConnectOk());
  WithDialog([&](D& dlg) {
    CListCtrl& list = dlg.m_listValues;
    EXPECT_EQ(dlg.GetWindowText(), "現在値");
    ASSERT_EQ(list.GetColumnCount(), 4);
    EXPECT_EQ(list.GetItemCount(), 0) << "nothing is read before 取得";
    const char* headings[] = {"", "種類", "値", "単位"};
    const int formats[] = {LVCFMT_LEFT, LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_LEFT};
    for (int c = 0; c < 4; ++c) EXPECT_EQ(list.GetColumnFormat(c), formats[c]) << headings[c];

    EXPECT_TRUE(Press(dlg, D::kAcquire).empty());
    EXPECT_EQ(Sent(1), std::vector<std::string>{"RD REL"});
    EXPECT_EQ(Table(list), Expected("12.5"));
    for (int i = 0; i < D::kRows; ++i) {
      EXPECT_EQ(list.GetItemAlignment(i, 2), LVCFMT_RIGHT) << i;
      EXPECT_EQ(list.GetItemAlignment(i, 1), LVCFMT_LEFT) << i;
    }
    // The read polls no escape event: no abort button, so no escape event.
    EXPECT_EQ(dlg.m_escapeEvent.m_hEvent, nullptr);

    // Esc, or anything asking for IDCANCEL, leaves the dialog open.
    dlg.SendMessage(WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(dlg.IsWindowVisible());
    // A close box that the window manager draws all the same closes it, but
    // not while a work runs (the dialog is disabled then).
    dlg.EnableWindow(FALSE);
    dlg.SendMessage(WM_CLOSE);
    EXPECT_TRUE(dlg.IsWindowVisible());
    dlg.EnableWindow(TRUE);
    dlg.SendMessage(WM_CLOSE);
    EXPECT_FALSE(dlg.IsWindowVisible());
  });
}

TEST_F(CurrentValuesTest, AFailedReadEmptiesTheTableAndSaysSo) {
  ASSERT_TRUE(ConnectOk());
  WithDialog([&](D& dlg) {
    // The silent logger goes last: its time-outs are waited out at a faster
    // time scale.
    for (sim::FaultKind kind : {sim::FaultKind::Ng, sim::FaultKind::NotEnd, sim::FaultKind::NoAnswer}) {
      sim.ClearFaults();
      ASSERT_TRUE(Press(dlg, D::kAcquire).empty());
      ASSERT_EQ(dlg.m_listValues.GetItemCount(), D::kRows);

      FailFor(kind, "RD REL");
      if (kind == sim::FaultKind::NoAnswer) timeScale.Set(0.05);
      ExpectError(Press(dlg, D::kAcquire), kFailed);
      EXPECT_EQ(Sent(3), std::vector<std::string>(3, "RD REL")) << static_cast<int>(kind);
      EXPECT_EQ(dlg.m_listValues.GetItemCount(), 0) << "the earlier values are not current";
    }
  });
}

TEST_F(CurrentValuesTest, RainResetClearsTheCountAndShowsTheNewTotal) {
  sim.Update([](sim::SimState& s) { s.rainMm = 7.5; });
  ASSERT_TRUE(ConnectOk());
  WithDialog([&](D& dlg) {
    boxes.Answer(IDOK);  // the confirmation's default button is Cancel
    const auto shown = Press(dlg, D::kRainReset);
    ASSERT_EQ(shown.size(), 1u) << shown.back().text;
    EXPECT_EQ(shown[0].text, "雨量のカウントをリセットします。\r\nリセットすると元には戻せません\r\n続けますか？");
    EXPECT_EQ(shown[0].caption, "Rain reset");
    EXPECT_EQ(shown[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_EQ(Sent(3), (std::vector<std::string>{"HELLO", "RCLR", "RD REL"}));
    EXPECT_EQ(sim.State().rainMm, 0.0);
    EXPECT_EQ(Table(dlg.m_listValues), Expected("0.0"));

    // Cancelled, nothing goes out and the table stays.
    sim.Update([](sim::SimState& s) { s.rainMm = 3.0; });
    ASSERT_EQ(Press(dlg, D::kRainReset).size(), 1u);
    EXPECT_TRUE(Sent(0).empty());
    EXPECT_EQ(sim.State().rainMm, 3.0);
    EXPECT_EQ(dlg.m_listValues.GetItemCount(), D::kRows);
  });
}

TEST_F(CurrentValuesTest, ARefusedRainResetIsTriedThreeTimesAndReadsNothing) {
  ASSERT_TRUE(ConnectOk());
  WithDialog([&](D& dlg) {
    ASSERT_TRUE(Press(dlg, D::kAcquire).empty());
    FailFor(sim::FaultKind::Ng, "RCLR");
    boxes.Answer(IDOK);
    const auto shown = Press(dlg, D::kRainReset);
    ASSERT_EQ(shown.size(), 2u);
    ExpectError({shown[1]}, kFailed);
    EXPECT_EQ(Sent(4), (std::vector<std::string>{"HELLO", "RCLR", "RCLR", "RCLR"}));
    EXPECT_EQ(dlg.m_listValues.GetItemCount(), 0);
  });
}

TEST_F(CurrentValuesTest, WithThePortClosedEveryButtonSaysSoAndSendsNothing) {
  ASSERT_TRUE(ConnectOk());
  WithDialog([&](D& dlg) {
    theApp.m_device.ClosePort();
    ExpectError(Press(dlg, D::kAcquire), kNotConnected);
    boxes.Answer(IDOK);
    const auto shown = Press(dlg, D::kRainReset);
    ASSERT_EQ(shown.size(), 2u);
    ExpectError({shown[1]}, kNotConnected);
    EXPECT_TRUE(Sent(0).empty());
    EXPECT_EQ(dlg.m_listValues.GetItemCount(), 0);
  });
}

TEST_F(CurrentValuesTest, TheTableNeedsFiveFieldsAndIgnoresMoreAndTheLineEnd) {
  ASSERT_TRUE(ConnectOk());
  WithDialog([&](D& dlg) {
    for (const char* shortLine : {"", "1,2,3", "1,2,3,4"}) {
      dlg.m_strLine = shortLine;
      dlg.FillList();
      EXPECT_EQ(dlg.m_listValues.GetItemCount(), 0) << shortLine;
    }
    dlg.m_strLine = "00012,a,b,c,d,e\r\n";
    dlg.FillList();
    ASSERT_EQ(dlg.m_listValues.GetItemCount(), D::kRows);
    EXPECT_EQ(dlg.m_listValues.GetItemText(4, 2), "d");
    dlg.m_strLine = "1,2,3,4,5\r\n";
    dlg.FillList();
    EXPECT_EQ(dlg.m_listValues.GetItemText(4, 2), "5");
  });
}
