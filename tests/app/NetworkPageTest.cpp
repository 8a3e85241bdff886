// The access-point page against the logger simulator, from the Communication
// page's button: typed values and the preset profile, the authentication
// list, the logger's refusals, and the texts that are refused before
// anything is sent.
#include <QAbstractButton>

#include "app/wizard/DlgInputSimSetting.h"
#include "tests/app/WizardFixture.h"

namespace {
using Lines = std::vector<std::string>;
using Sim = CDlgInputSimSetting;
using N = CDlgNetsSim;
constexpr int kNext = CInputBaseDlg::kNextButton;
const Lines kReRead = {"HELLO", "RD SYS", "MAIL DSP"};

Lines Join(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class NetworkPage : public WizardTest {
 protected:
  CDlgNetsSim& Comm() { return Panel().m_pageNetsSim; }
  std::string Field(UINT id) { return Comm().GetDlgItemText(static_cast<int>(id)); }
  static void Press(CWnd& page, int id) { qobject_cast<QAbstractButton*>(page.GetDlgItem(id)->GetWidget())->click(); }
  // The page opened from the Communication page and answered by `act`, then
  // Next (unless `act` pressed it itself), then Cancel while it stays open;
  // the commands sent meanwhile.
  Lines Run(std::function<void(Sim&)> act, bool pressNext = true) {
    size_t before = 0;
    Then<Sim>([&](Sim& page) {
      before = sim.ReceivedCommands().size();
      act(page);
      if (pressNext) Click(page, kNext);
      if (page.IsWindowVisible()) Click(page, IDCANCEL);
    });
    Click(Comm(), N::kApnSetting);
    EXPECT_TRUE(steps.empty());
    return SentSince(before);
  }
};
}  // namespace

TEST_F(NetworkPage, TypedValuesGoOutKeyByKeyAndTheCommunicationPageShowsThem) {
  ASSERT_TRUE(ConnectOk());
  const Lines sent = Run([&](Sim& page) {
    // The record as read: the typed-values choice, CHAP chosen, the IMEI
    // shown but not editable.
    EXPECT_FALSE(Shown(page, CInputBaseDlg::kBackButton));
    EXPECT_EQ(Label(page, kNext), "OK");
    EXPECT_EQ(page.m_nCarrier, Sim::kChoiceOther);
    EXPECT_EQ(page.m_editApn.GetWindowText(), "rain.example");
    EXPECT_EQ(page.m_editUser.GetWindowText(), "kx2");
    EXPECT_EQ(page.m_editPassword.GetWindowText(), "kx2pass");
    EXPECT_EQ(page.m_editImei.GetWindowText(), "356938035643809");
    ASSERT_EQ(page.m_comboAuth.GetCount(), 3);
    EXPECT_EQ(page.m_comboAuth.GetCurSel(), 2);
    for (UINT id : {Sim::kApn, Sim::kUser, Sim::kPassword, Sim::kAuth, Sim::kImport}) EXPECT_TRUE(Enabled(page, id));
    page.m_editApn.SetWindowText("field.apn-2");
    page.m_editUser.SetWindowText("gauge@site");
    page.m_editPassword.SetWindowText("p#w~9");
    page.m_comboAuth.SetCurSel(1);
    page.m_editImei.SetWindowText("000");  // display only: never read back
  });
  EXPECT_EQ(sent, Join({"MAIL APN field.apn-2", "MAIL APU gauge@site", "MAIL APP p#w~9", "MAIL APA PAP", "MAIL INI"},
                       kReRead));
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(sim.State().apn, "field.apn-2");
  EXPECT_EQ(sim.State().imei, "356938035643809");
  EXPECT_EQ(Field(N::kApn), "field.apn-2");
  EXPECT_EQ(Field(N::kUser), "gauge@site");
  EXPECT_EQ(Field(N::kPassword), "p#w~9");
  EXPECT_EQ(Field(N::kAuth), "PAP");
}

TEST_F(NetworkPage, ThePresetProfileSendsOnlyItsNameAndLeavesTheEditedValues) {
  ASSERT_TRUE(ConnectOk());
  const Lines sent = Run([&](Sim& page) {
    page.m_editApn.SetWindowText("typed.but.unused");
    Press(page, Sim::kPreset);
    EXPECT_EQ(page.m_nCarrier, Sim::kChoicePreset);
    for (UINT id : {Sim::kApn, Sim::kUser, Sim::kPassword, Sim::kAuth, Sim::kImport}) EXPECT_FALSE(Enabled(page, id));
    Press(page, Sim::kOther);
    EXPECT_TRUE(Enabled(page, Sim::kApn));
    Press(page, Sim::kPreset);
  });
  EXPECT_EQ(sent, Join({"MAIL INI MDAP"}, kReRead));
  EXPECT_EQ(theApp.m_device.m_workEdit.m_mailInfo.m_strApn, "rain.example");
  EXPECT_EQ(Field(N::kApn), "mdap.apn.example");
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(NetworkPage, EmptyValuesGoOutAsABlankAndNoneAsTheKeyAlone) {
  sim.Update([](sim::SimState& s) {
    s.auth.clear();
    s.password.clear();
  });
  ASSERT_TRUE(ConnectOk());
  const Lines sent = Run([&](Sim& page) {
    EXPECT_EQ(page.m_comboAuth.GetCurSel(), 0);  // an empty type shows "none"
    EXPECT_EQ(page.m_comboAuth.GetLBText(0), "none");
    page.m_editUser.SetWindowText("");
  });
  EXPECT_EQ(sent, Join({"MAIL APN rain.example", "MAIL APU ", "MAIL APP ", "MAIL APA", "MAIL INI"}, kReRead));
  EXPECT_EQ(theApp.m_device.m_workEdit.m_mailInfo.m_strAuth, "");
  EXPECT_EQ(sim.State().user, "");
}

TEST_F(NetworkPage, RefusedValuesAreNamedAndThePageStaysOpen) {
  ASSERT_TRUE(ConnectOk());
  sim.InjectFault(Refusal("MAIL APU"));
  sim.InjectFault(Refusal("MAIL APA"));
  const Lines sent = Run(
      [&](Sim& page) {
        page.m_editUser.SetWindowText("other");
        Click(page, kNext);
        EXPECT_TRUE(page.IsWindowVisible());
        EXPECT_EQ(page.m_editUser.GetWindowText(), "other");
      },
      false);
  ASSERT_EQ(BoxTexts(), (Lines{"エラー！ 失敗しました\r\nError: ( -APU-APA )"}));
  EXPECT_EQ(boxes.boxes[0].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
  // Three tries of each refused value, no module initialisation after a
  // failure, then the re-read.
  EXPECT_EQ(sent, Join({"MAIL APN rain.example", "MAIL APU other", "MAIL APU other", "MAIL APU other",
                        "MAIL APP kx2pass", "MAIL APA CHAP", "MAIL APA CHAP", "MAIL APA CHAP"},
                       kReRead));
}

TEST_F(NetworkPage, AFailedPresetAndAClosedPortKeepThePage) {
  ASSERT_TRUE(ConnectOk());
  sim.InjectFault(Refusal("MAIL INI"));
  Run(
      [&](Sim& page) {
        Press(page, Sim::kPreset);
        Click(page, kNext);
        EXPECT_TRUE(page.IsWindowVisible());
        theApp.m_device.ClosePort();
        Click(page, kNext);
        EXPECT_TRUE(page.IsWindowVisible());
      },
      false);
  EXPECT_EQ(BoxTexts(), (Lines{"通信モジュールへの設定に失敗しました\r\n再度設定を行ってください", kNotConnectedText}));
}

// What typing cannot bring but a paste or an earlier import can: each field
// refuses it by name, and nothing goes to the logger.
TEST_F(NetworkPage, TextsTheLoggerCannotTakeAreRefusedByFieldBeforeSending) {
  ASSERT_TRUE(ConnectOk());
  const struct {
    UINT field;
    const char* text;
    const char* name;
  } cases[] = {
      {Sim::kApn, "two words", "名称"},      {Sim::kApn, "a,b", "名称"},
      {Sim::kUser, "tab\there", "ユーザID"}, {Sim::kUser, "caf\xC3\xA9", "ユーザID"},
      {Sim::kPassword, "ｱｲｳ", "パスワード"}, {Sim::kPassword, "ＡＢ", "パスワード"},
  };
  for (const auto& c : cases) {
    boxes.boxes.clear();
    const Lines sent = Run(
        [&](Sim& page) {
          page.GetDlgItem(static_cast<int>(c.field))->SetWindowText(c.text);
          Click(page, kNext);
          EXPECT_TRUE(page.IsWindowVisible()) << c.text;
        },
        false);
    ASSERT_EQ(boxes.boxes.size(), 1u) << c.text;
    EXPECT_EQ(boxes.boxes[0].text.rfind(c.name, 0), 0u) << boxes.boxes[0].text;
    EXPECT_TRUE(sent.empty()) << c.text;
    EXPECT_EQ(theApp.m_device.m_workEdit.m_mailInfo.m_strApn, "rain.example");
  }
  EXPECT_EQ(sim.State().apn, "rain.example");
}
