// The simple wizard pages against the logger simulator, by road: each page's
// success, each refusal that sends nothing, each logger fault; and the keys
// and the busy refusal that every page shares.
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <optional>

#include "app/wizard/DlgInputAntenaTest.h"
#include "app/wizard/DlgInputCheckIMEI.h"
#include "app/wizard/DlgInputInitReset.h"
#include "app/wizard/DlgInputIoRain.h"
#include "app/wizard/DlgInputTestMail.h"
#include "tests/app/WizardFixture.h"

namespace {
using S = CDlgMainSystem;
using Lines = std::vector<std::string>;
constexpr int kNext = CInputBaseDlg::kNextButton;
constexpr int kBack = CInputBaseDlg::kBackButton;
constexpr const char* kFailed = "エラー！ 失敗しました";
constexpr const char* kNotConnected = "エラー！ 機器と接続していません";
constexpr const char* kNoImei = "IMEIを取得できません。\r\nSIMカードを確認してください。";
constexpr const char* kIllegal = "Illigal value!  ( 0.01 - 2.00 )";

sim::Fault FaultOn(sim::FaultKind kind, const char* command, int count = -1) {
  sim::Fault f;
  f.kind = kind;
  f.command = command;
  f.count = count;
  return f;
}

}  // namespace

TEST_F(WizardTest, ResetBringsBackTheFactoryValuesAndTheSystemPageShowsThem) {
  sim.Update([](sim::SimState& s) {
    s.batteryStop = 4200;
    s.rainPerCount = 1.0;
  });
  ASSERT_TRUE(ConnectOk());
  EXPECT_EQ(Text(S::kBatteryStop), "4.2");
  Then<CDlgInputInitReset>([this](CDlgInputInitReset& page) {
    EXPECT_FALSE(Shown(page, kBack));  // the only page of its walk
    EXPECT_EQ(Label(page, kNext), "OK");
    // The title band on white, the warning in red.
    const QImage shot = page.GetWidget()->grab().toImage();
    const auto area = [&page](int id) {
      CRect rc;
      page.GetDlgItem(id)->GetWindowRect(&rc);
      page.ScreenToClient(&rc);
      return QRect(rc.left, rc.top, rc.Width(), rc.Height());
    };
    const QRect band = area(CInputBaseDlg::kTitleBand);
    EXPECT_EQ(shot.pixelColor(band.right() - 2, band.bottom() - 2), QColor(Qt::white));
    int red = 0;
    const QRect warning = area(CInputBaseDlg::kWarning);
    for (int y = warning.top(); y <= warning.bottom(); ++y)
      for (int x = warning.left(); x <= warning.right(); ++x) {
        const QColor c = shot.pixelColor(x, y);
        red += c.red() > 200 && c.green() < 90 && c.blue() < 90;
      }
    EXPECT_GT(red, 20);
    const size_t before = sim.ReceivedCommands().size();
    Click(page, CDlgInputInitReset::kResetButton);
    EXPECT_EQ(SentSince(before), (Lines{"ST RES", "HELLO", "RD SYS", "MAIL DSP"}));
    Click(page, kNext);
  });
  Click(System(), S::kInit);
  EXPECT_TRUE(steps.empty());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "成功");
  EXPECT_EQ(boxes.boxes[0].caption, "Normal termination");
  EXPECT_EQ(sim.State().batteryStop, 3600);
  EXPECT_EQ(Text(S::kBatteryStop), "3.6");
  EXPECT_EQ(Text(S::kRainCoef), "0.5");
}

TEST_F(WizardTest, ResetRefusedLoggerFailsThreeTimesAndClosedPortSendsNothing) {
  ASSERT_TRUE(ConnectOk());
  CDlgInputInitReset page;
  Then<CDlgInputInitReset>([this](CDlgInputInitReset& p) {
    sim.InjectFault(FaultOn(sim::FaultKind::Ng, "ST RES", 3));
    size_t before = sim.ReceivedCommands().size();
    Click(p, CDlgInputInitReset::kResetButton);
    EXPECT_EQ(SentSince(before), (Lines{"ST RES", "ST RES", "ST RES", "HELLO", "RD SYS", "MAIL DSP"}));
    theApp.m_device.ClosePort();
    before = sim.ReceivedCommands().size();
    Click(p, CDlgInputInitReset::kResetButton);
    EXPECT_TRUE(SentSince(before).empty());
    Click(p, IDCANCEL);
  });
  EXPECT_EQ(page.RunPage(&System(), CWizerdWorkCore::kOnlyPage), CWizerdWorkCore::kCancel);
  EXPECT_EQ(BoxTexts(), (Lines{kFailed, kNotConnected}));
  for (const auto& box : boxes.boxes) EXPECT_EQ(box.Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST_F(WizardTest, RainCoefficientGoesOutAsTwoDecimalsAndIsReadBack) {
  ASSERT_TRUE(ConnectOk());  // the simulator counts 0.5 mm
  size_t before = 0;
  Then<CDlgInputIoRain>([&](CDlgInputIoRain& page) {
    EXPECT_EQ(page.m_comboRain.GetWindowText(), "0.50");
    ASSERT_EQ(page.m_comboRain.GetCount(), 2);
    EXPECT_EQ(page.m_comboRain.GetLBText(1), "1.0");
    page.m_comboRain.SetCurSel(1);
    before = sim.ReceivedCommands().size();
    Click(page, kNext);
  });
  Click(System(), S::kInputSetting);
  EXPECT_EQ(SentSince(before), (Lines{"RCAL 1.00", "HELLO", "RD SYS", "MAIL DSP"}));
  EXPECT_DOUBLE_EQ(theApp.m_device.m_workRead.m_sysInfo.m_dRainPerCount, 1.0);
  EXPECT_EQ(Text(S::kRainCoef), "1.0");
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(WizardTest, RainCoefficientRefusalsSendNothingAndAFailedWriteKeepsThePage) {
  ASSERT_TRUE(ConnectOk());
  const size_t start = sim.ReceivedCommands().size();
  Then<CDlgInputIoRain>([this](CDlgInputIoRain& page) {
    for (const char* text : {"0.004", "nan", "2.01", "abc"}) {
      page.m_comboRain.SetWindowText(text);
      Click(page, kNext);
      EXPECT_TRUE(page.IsWindowVisible()) << text;
    }
    // The value read, as typed: Next moves on without a run.
    page.m_comboRain.SetWindowText("0.5");
    Click(page, kNext);
  });
  Click(System(), S::kInputSetting);
  EXPECT_EQ(BoxTexts(), (Lines{kIllegal, kIllegal, kIllegal, kIllegal}));
  EXPECT_TRUE(SentSince(start).empty());

  sim.InjectFault(FaultOn(sim::FaultKind::NotEnd, "RCAL"));
  Then<CDlgInputIoRain>([this](CDlgInputIoRain& page) {
    page.m_comboRain.SetWindowText("2");
    const size_t before = sim.ReceivedCommands().size();
    Click(page, kNext);
    EXPECT_EQ(SentSince(before), (Lines{"RCAL 2.00", "RCAL 2.00", "RCAL 2.00", "HELLO", "RD SYS", "MAIL DSP"}));
    EXPECT_TRUE(page.IsWindowVisible());
    Click(page, IDCANCEL);
  });
  boxes.boxes.clear();
  Click(System(), S::kInputSetting);
  EXPECT_EQ(BoxTexts(), (Lines{kFailed}));
  EXPECT_DOUBLE_EQ(sim.State().rainPerCount, 0.5);
}

TEST_F(WizardTest, RainCoefficientEditOnlyStoresWithoutSending) {
  ASSERT_TRUE(ConnectOk());
  Then<CDlgInputIoRain>([](CDlgInputIoRain& page) {
    page.m_comboRain.SetWindowText("1.504");
    Click(page, kNext);
  });
  const size_t before = sim.ReceivedCommands().size();
  frame->ExecuteSettingItem(&System(), 3, CWizerdWorkCore::kEditOnly);
  EXPECT_TRUE(SentSince(before).empty());
  EXPECT_DOUBLE_EQ(theApp.m_device.m_workEdit.m_sysInfo.m_dRainPerCount, 1.5);
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST(RainCoefficient, TheValueIsJudgedAsItWillBeSent) {
  struct Row {
    const char* text;
    bool accepted;
    double value;
  };
  const Row rows[] = {
      {"0.5", true, 0.5},      {"1.0", true, 1.0},  {"2.00", true, 2.0}, {"2.004", true, 2.0}, {"0.006", true, 0.01},
      {" 1.25mm", true, 1.25}, {"0.004", false, 0}, {"0", false, 0},     {"-1", false, 0},     {"2.006", false, 0},
      {"nan", false, 0},       {"inf", false, 0},   {"abc", false, 0},   {"", false, 0},       {"1e-3", false, 0},
  };
  for (const Row& r : rows) {
    double value = -1.0;
    EXPECT_EQ(CDlgInputIoRain::ToRainPerCount(r.text, &value), r.accepted) << r.text;
    if (r.accepted) {
      EXPECT_DOUBLE_EQ(value, r.value) << r.text;
    }
  }
}

TEST_F(WizardTest, ImeiPageAloneSucceedsOnlyWhenTheModuleGivesDigits) {
  ASSERT_TRUE(ConnectOk());
  CDlgInputCheckIMEI page;
  Then<CDlgInputCheckIMEI>([this](CDlgInputCheckIMEI& p) {
    EXPECT_FALSE(Shown(p, kNext));
    EXPECT_FALSE(Shown(p, kBack));
    EXPECT_EQ(Label(p, IDCANCEL), "閉じる");
    const size_t before = sim.ReceivedCommands().size();
    Click(p, CDlgInputCheckIMEI::kCheckButton);
    EXPECT_EQ(SentSince(before), (Lines{"MAIL IMEI"}));  // no re-read
    sim.InjectFault(FaultOn(sim::FaultKind::NoValue, "MAIL IMEI", 1));
    Click(p, CDlgInputCheckIMEI::kCheckButton);
    sim.Update([](sim::SimState& s) { s.imei.clear(); });  // the module answers "NG"
    Click(p, CDlgInputCheckIMEI::kCheckButton);
    Click(p, IDCANCEL);
  });
  EXPECT_EQ(page.DoModalPage(&System(), 0xFFFFFF02, CDlgInputCheckIMEI::IDD), IDCANCEL);
  ASSERT_EQ(BoxTexts(), (Lines{"成功", kNoImei, kFailed}));
  EXPECT_EQ(boxes.boxes[0].caption, "Check IMEI");
  EXPECT_EQ(boxes.boxes[1].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));

  boxes.boxes.clear();
  theApp.m_device.ClosePort();
  ThenPress<CDlgInputCheckIMEI>({CDlgInputCheckIMEI::kCheckButton, IDCANCEL});
  const size_t before = sim.ReceivedCommands().size();
  page.DoModalPage(&System(), 0xFFFFFF02, CDlgInputCheckIMEI::IDD);
  EXPECT_TRUE(SentSince(before).empty());
  EXPECT_EQ(BoxTexts(), (Lines{kNotConnected}));
}

TEST_F(WizardTest, TestMailAloneSendsAndWaitsForTheModuleWithoutReRead) {
  ASSERT_TRUE(ConnectOk());
  CDlgInputTestMail page;
  Then<CDlgInputTestMail>([this](CDlgInputTestMail& p) {
    EXPECT_EQ(Label(p, IDCANCEL), "閉じる");
    const size_t before = sim.ReceivedCommands().size();
    Click(p, CDlgInputTestMail::kSendButton);
    EXPECT_EQ(SentSince(before), (Lines{"MAIL START"}));
    sim.InjectFault(FaultOn(sim::FaultKind::Ng, "MAIL START", 1));
    Click(p, CDlgInputTestMail::kSendButton);
    Click(p, IDCANCEL);
  });
  page.DoModalPage(&System(), 0x1002, CDlgInputTestMail::IDD);
  EXPECT_EQ(BoxTexts(), (Lines{"成功", kFailed}));
  EXPECT_EQ(boxes.boxes[0].caption, "Send test mail");
}

TEST_F(WizardTest, CheckPagesCloseAloneButKeepNextInAWalk) {
  // They act on their own button: alone nothing is left to confirm, while
  // in a walk Next is the only way on to the following page.
  struct Row {
    unsigned place;
    bool next;
    const char* cancel;
  };
  const Row rows[] = {{CWizerdWorkCore::kOnlyPage, false, "閉じる"},
                      {CWizerdWorkCore::kFirstPage, true, "キャンセル"},
                      {CWizerdWorkCore::kMiddlePage, true, "キャンセル"},
                      {CWizerdWorkCore::kLastPage, true, "キャンセル"}};
  for (const Row& r : rows) {
    CDlgInputAntenaTest antenna;
    CDlgInputTestMail mail;
    for (CInputBaseDlg* page : {static_cast<CInputBaseDlg*>(&antenna), static_cast<CInputBaseDlg*>(&mail)}) {
      SCOPED_TRACE(typeid(*page).name() + std::string(" place ") + std::to_string(r.place));
      Then<CInputBaseDlg>([&r](CInputBaseDlg& p) {
        EXPECT_EQ(Shown(p, kNext), r.next);
        EXPECT_EQ(Label(p, IDCANCEL), r.cancel);
        Click(p, IDCANCEL);
      });
      EXPECT_EQ(page->RunPage(frame, r.place), CWizerdWorkCore::kCancel);
    }
  }
}

TEST_F(WizardTest, AntennaFromTheTestPageShowsTheLevelPictureWithoutReRead) {
  ASSERT_TRUE(ConnectOk());
  Then<CDlgInputAntenaTest>([this](CDlgInputAntenaTest& p) {
    EXPECT_EQ(p.m_nLevel.load(), -1);
    size_t before = sim.ReceivedCommands().size();
    Click(p, CDlgInputAntenaTest::kCheckButton);  // the simulator reads -85 dBm
    EXPECT_EQ(SentSince(before), (Lines{"RD ANT"}));
    EXPECT_EQ(p.m_nLevel.load(), 4);
    EXPECT_TRUE(ShowsPicture(p, 385));

    sim.Update([](sim::SimState& s) { s.antenna = -120; });
    Click(p, CDlgInputAntenaTest::kCheckButton);
    EXPECT_EQ(p.m_nLevel.load(), 1);
    EXPECT_TRUE(ShowsPicture(p, 382));

    // An answer without its value is a failure, and the picture goes.
    sim.InjectFault(FaultOn(sim::FaultKind::NoValue, "RD ANT", 1));
    before = sim.ReceivedCommands().size();
    Click(p, CDlgInputAntenaTest::kCheckButton);
    EXPECT_EQ(SentSince(before), (Lines{"RD ANT"}));
    EXPECT_EQ(p.m_nLevel.load(), -1);
    EXPECT_FALSE(ShowsPicture(p, 382));
    Click(p, IDCANCEL);
  });
  frame->ExecuteSettingItem(&System(), 19, CWizerdWorkCore::kNoReRead);
  EXPECT_TRUE(steps.empty());
  EXPECT_EQ(BoxTexts(), (Lines{kFailed}));
}

TEST(AntennaLevel, BarsBySignal) {
  const std::pair<int32_t, int> rows[] = {{-50, 4},  {-88, 4},  {-89, 3},  {-99, 3},  {-100, 2}, {-107, 2},
                                          {-108, 1}, {-130, 1}, {-131, 0}, {-200, 0}, {0, -1},   {12, 4}};
  for (const auto& [signal, level] : rows) EXPECT_EQ(CDlgInputAntenaTest::LevelOf(signal), level) << signal;
}

TEST_F(WizardTest, EnterAndEscDoNothingOnAPage) {
  ASSERT_TRUE(ConnectOk());
  const size_t before = sim.ReceivedCommands().size();
  Then<CDlgInputIoRain>([](CDlgInputIoRain& page) {
    page.m_comboRain.SetWindowText("1.0");
    QLineEdit* field = qobject_cast<QComboBox*>(page.m_comboRain.GetWidget())->lineEdit();
    field->setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) PressKey(field, key);
    PressKey(page.GetWidget(), Qt::Key_Escape);
    EXPECT_TRUE(page.IsWindowVisible());
    EXPECT_EQ(page.m_nPageResult, CWizerdWorkCore::kClosed);
    Click(page, IDCANCEL);
  });
  Click(System(), S::kInputSetting);
  EXPECT_TRUE(SentSince(before).empty());
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(WizardTest, APageWorkBesideAnotherOperationNeitherRunsNorCountsAsDone) {
  ASSERT_TRUE(ConnectOk());
  CDlgInputIoRain page;
  theApp.m_device.m_strSuccess = "earlier";
  std::optional<RunResult> during;
  WhenPumped([&] { during = page.RunWorkAndReport(nullptr); });
  const size_t before = sim.ReceivedCommands().size();
  frame->ExecuteSettingItem(nullptr, -2, 0);
  EXPECT_EQ(during, RunResult::kBusy);
  EXPECT_EQ(SentSince(before), (Lines{"RD SYS"}));
  EXPECT_EQ(theApp.m_device.m_strSuccess, "earlier");  // the running operation's texts stay
  EXPECT_EQ(BoxTexts(), (Lines{res::LoadString(res::kStrBusy)}));
}
