// Settings files from the main frame's two commands against the logger
// simulator: the export of what the logger holds, its refusals and failed
// writes; the import's refusals; and the round trip that brings a changed
// logger back to the exported settings through the wizard's pages.
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "app/MainFrame.h"
#include "app/wizard/DlgInputBatAlart.h"
#include "app/wizard/DlgInputIoRain.h"
#include "app/wizard/DlgInputMeasureSetting.h"
#include "app/wizard/DlgInputRangeRain.h"
#include "app/wizard/DlgInputSimSetting.h"
#include "sim/SimClock.h"
#include "tests/app/WizardFixture.h"
#include "tests/support/TestFolder.h"

namespace {
using Lines = std::vector<std::string>;
constexpr int kNext = CInputBaseDlg::kNextButton;
constexpr const char* kFilter = "Rain gauge setting info(*.rai)|*.rai||";
constexpr const char* kCreateFailed = "エラー！ ファイル作成に失敗しました";
const Lines kAllItems = {"+初期設定",           "  +入力設定", "  +バッテリ警告", "+接続設定",
                         "  +アクセスポイント", "+測定設定",   "  +判定基準",     "  +測定設定"};

class SettingsFile : public WizardTest {
 protected:
  void SetUp() override {
    WizardTest::SetUp();
    ASSERT_FALSE(dir.empty());
    // The logger's clock stands still on a whole minute, so the start the
    // measurement page works out is known to the second.
    const int64_t host = sim::SimClock::HostNow();
    now = host - host % 60;
    sim.SetClock(now, false);
  }
  void TearDown() override { WizardTest::TearDown(); }

  std::string Path(const char* name) const { return dir + "/" + name; }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static void Write(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename());
    return names;
  }

  // The item tree comes with that title and those lines; OK (or Cancel).
  void ThenTree(const char* title, const Lines& lines, int button = IDOK) {
    Then<CDlgTreeItem>([=](CDlgTreeItem& tree) {
      EXPECT_EQ(tree.GetWindowText(), title);
      EXPECT_EQ(TreeLines(tree), lines);
      Click(tree, button);
    });
  }
  void Command(UINT id) { frame->SendMessage(WM_COMMAND, id, 0); }
  // The export of every item into `path`.
  void Export(const std::string& path) {
    ThenTree("出力設定項目選択", kAllItems);
    boxes.AnswerPath(path);
    Command(CMainFrame::ID_EXPORT_SETTINGS);
  }

  // "20yy-mm-dd hh:mm:ss" of logger seconds.
  static std::string DateTime(int64_t t) {
    const std::string f = sim::SimClock::Format(t);  // yy/mm/dd hh:mm:ss
    return "20" + f.substr(0, 2) + "-" + f.substr(3, 2) + "-" + f.substr(6, 2) + " " + f.substr(9);
  }

  TestFolder folder{"rai"};
  std::string dir = folder.Path().string();
  int64_t now = 0;
};

// A logger set up in every exported field unlike the simulator's own start.
void SetUpX(sim::SimState& s, int64_t now) {
  s.rainPerCount = 1.0;
  s.batteryStop = 4200;
  s.apn = "x.apn.example";
  s.user = "xuser";
  s.password = "x#pass";
  s.auth = "PAP";
  s.alarm[0] = {1, 12.5, 120, true};
  s.alarm[1] = {2, 3.0, 45, false};
  s.measuring = true;
  s.start = now - 3 * 1200 + 300;  // three intervals and five minutes back
  s.next = now + 300;
  s.sampling = 1200;
  s.sendCount = 3;
  s.samplingEvent = 120;
  s.sendCountEvent = 2;
}

// And changed everywhere again.
void SetUpY(sim::SimState& s, int64_t now) {
  s.rainPerCount = 0.5;
  s.batteryStop = 3600;
  s.apn = "y.apn.example";
  s.user = "yuser";
  s.password = "ypass";
  s.auth = "CHAP";
  s.alarm[0] = {1, 10.0, 90, false};
  s.alarm[1] = {2, 5.5, 30, true};
  s.measuring = true;
  s.start = now - 86400;
  s.next = now + 600;
  s.sampling = 600;
  s.sendCount = 6;
  s.samplingEvent = 60;
  s.sendCountEvent = 1;
}
}  // namespace

TEST_F(SettingsFile, ExportWritesWhatTheLoggerHoldsUnderTheProposedName) {
  sim.Update([this](sim::SimState& s) { SetUpX(s, now); });
  ASSERT_TRUE(ConnectOk());
  const std::string path = Path("x.rai");
  Export(path);
  EXPECT_TRUE(steps.empty());
  EXPECT_TRUE(boxes.boxes.empty());

  ASSERT_EQ(boxes.fileDialogs.size(), 1u);
  const FileDialogRequest& request = boxes.fileDialogs[0];
  EXPECT_FALSE(request.open);
  EXPECT_EQ(request.defaultExt, "rai");
  EXPECT_EQ(request.flags, static_cast<DWORD>(OFN_OVERWRITEPROMPT));
  EXPECT_EQ(request.filter, kFilter);
  EXPECT_EQ(request.title, "設定ファイル名入力");
  EXPECT_EQ(request.initialDir, "");
  std::smatch m;
  ASSERT_TRUE(std::regex_match(request.fileName, m, std::regex(R"(DWL_(\d{4})(\d\d)(\d\d)_(\d\d)(\d\d)(\d\d)\.rai)")));
  // The DATE line carries the instant of the proposed name.
  const std::string date =
      m[1].str() + "-" + m[2].str() + "-" + m[3].str() + " " + m[4].str() + ":" + m[5].str() + ":" + m[6].str();
  EXPECT_EQ(Read(path),
            "[XEV_RAIN_GAUGE]\r\n"
            "DATE," +
                date +
                "\r\n"
                "IMEI,356938035643809\r\n"
                "//3\r\nKXI_RAIN_MMPS,1.00\r\n"
                "//6\r\nBATTERY_ALART,4200\r\n"
                "//11\r\nAP_NAME,x.apn.example\r\nAP_USER,xuser\r\nAP_PASS,x#pass\r\nAP_AUTH,PAP\r\n"
                "//21\r\nALM_RAIN,1,12.50,120,1\r\nALM_RAIN,2,3.00,45,0\r\n"
                "//22\r\nMES_ENABLE,1\r\nMES_START_TIME," +
                DateTime(now - 3 * 1200 + 300) +
                "\r\n"
                "MES_INTERVAL_TIME,1200\r\nMES_INTERVAL_NUM,3\r\n"
                "MES_INTERVAL_EVENT_TIME,120\r\nMES_INTERVAL_EVENT_NUM,2\r\n");
}

TEST_F(SettingsFile, ExportOfFewerItemsAndTheRoadsThatWriteNothing) {
  ASSERT_TRUE(ConnectOk());
  // Two items of five: only their markers and lines.
  Then<CDlgTreeItem>([](CDlgTreeItem& tree) {
    tree.m_tree.SetCheck(tree.m_tree.GetRootItem(), FALSE);  // 初期設定: 3 and 6
    Click(tree, IDOK);
  });
  boxes.AnswerPath(Path("few"));  // the extension comes with the dialog
  Command(CMainFrame::ID_EXPORT_SETTINGS);
  const std::string few = Read(Path("few.rai"));
  EXPECT_EQ(few.find("//3"), std::string::npos);
  EXPECT_NE(few.find("\r\n//11\r\nAP_NAME,rain.example\r\n"), std::string::npos);
  EXPECT_NE(few.find("\r\n//21\r\n"), std::string::npos);

  // The tree cancelled, the tree left with nothing ticked, the save dialog
  // cancelled: no file, no box.
  ThenTree("出力設定項目選択", kAllItems, IDCANCEL);
  Command(CMainFrame::ID_EXPORT_SETTINGS);
  Then<CDlgTreeItem>([](CDlgTreeItem& tree) {
    for (HTREEITEM g = tree.m_tree.GetRootItem(); g != nullptr; g = tree.m_tree.GetNextSiblingItem(g))
      tree.m_tree.SetCheck(g, FALSE);
    Click(tree, IDOK);
  });
  Command(CMainFrame::ID_EXPORT_SETTINGS);
  EXPECT_EQ(boxes.fileDialogs.size(), 1u);
  ThenTree("出力設定項目選択", kAllItems);
  boxes.CancelFileDialog();
  Command(CMainFrame::ID_EXPORT_SETTINGS);
  EXPECT_EQ(boxes.fileDialogs.size(), 2u);
  EXPECT_TRUE(steps.empty());
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_EQ(Names(), Lines{"few.rai"});
}

// A write that fails half way (here the process's file-size limit, as a
// full disk would) leaves the earlier file whole and says so; a value that
// would break its line is refused the same way.
TEST_F(SettingsFile, AFailedExportKeepsTheEarlierFileAndSaysSo) {
  ASSERT_TRUE(ConnectOk());
  const std::string path = Path("kept.rai");
  const std::string earlier = "[XEV_RAIN_GAUGE]\r\nBATTERY_ALART,4000\r\n";
  Write(path, earlier);

  ThenTree("出力設定項目選択", kAllItems);
  boxes.AnswerPath(path);
  struct rlimit old {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 64;
  auto* previous = ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  Command(CMainFrame::ID_EXPORT_SETTINGS);
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, previous);

  theApp.m_device.m_workRead.m_mailInfo.m_strPassword = "two\r\nlines";
  ThenTree("出力設定項目選択", kAllItems);
  boxes.AnswerPath(path);
  Command(CMainFrame::ID_EXPORT_SETTINGS);

  EXPECT_EQ(BoxTexts(), (Lines{kCreateFailed, kCreateFailed}));
  for (const auto& box : boxes.boxes) {
    EXPECT_EQ(box.Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(box.caption, AfxGetAppName());
  }
  EXPECT_EQ(Read(path), earlier);
  EXPECT_EQ(Names(), Lines{"kept.rai"});  // no temporary file stays behind
}

TEST_F(SettingsFile, ImportRefusesWhatIsNoUsableSettingsFileBeforeTheTree) {
  ASSERT_TRUE(ConnectOk());
  const std::string header = "[XEV_RAIN_GAUGE]\r\n";
  std::string tooLong = header + "BATTERY_ALART,4000\r\n";
  tooLong.resize(100001, ' ');
  std::string justShort = header + "BATTERY_ALART,4000\r\n";
  justShort.resize(100000, ' ');
  const struct {
    const char* name;
    std::string bytes;
    const char* message;  // null: read, the tree comes
  } cases[] = {
      {"header-only.rai", header, "エラー！  設定ファイルではありません"},
      {"too-long.rai", tooLong, "エラー！  設定ファイルではありません"},
      {"lower-case.rai", "[xev_rain_gauge]\r\nBATTERY_ALART,4000\r\n", "エラー！ ファイルを開くことに失敗しました"},
      {"bom.rai", "\xEF\xBB\xBF" + header + "BATTERY_ALART,4000\r\n", "エラー！ ファイルを開くことに失敗しました"},
      {"just-short.rai", justShort, nullptr},
  };
  for (const auto& c : cases) {
    const std::string path = Path(c.name);
    Write(path, c.bytes);
    boxes.boxes.clear();
    if (c.message == nullptr) ThenTree("読込み設定項目選択", {"+初期設定", "  +バッテリ警告"}, IDCANCEL);
    boxes.AnswerPath(path);
    Command(CMainFrame::ID_IMPORT_SETTINGS);
    EXPECT_TRUE(steps.empty()) << c.name;
    if (c.message == nullptr) {
      EXPECT_TRUE(boxes.boxes.empty()) << c.name;
      continue;
    }
    ASSERT_EQ(boxes.boxes.size(), 1u) << c.name;
    EXPECT_EQ(boxes.boxes[0].text, std::string(c.message) + "\r\n(" + path + ")");
    EXPECT_EQ(boxes.boxes[0].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
  }

  // A file that is not there, and the dialog cancelled.
  boxes.boxes.clear();
  boxes.AnswerPath(Path("missing.rai"));
  Command(CMainFrame::ID_IMPORT_SETTINGS);
  boxes.CancelFileDialog();
  Command(CMainFrame::ID_IMPORT_SETTINGS);
  EXPECT_EQ(BoxTexts(), (Lines{"エラー！ ファイルを開くことに失敗しました\r\n(" + Path("missing.rai") + ")"}));
  const FileDialogRequest& request = boxes.fileDialogs.back();
  EXPECT_TRUE(request.open);
  EXPECT_EQ(request.defaultExt, "rai");
  EXPECT_EQ(request.flags, static_cast<DWORD>(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY));
  EXPECT_EQ(request.filter, kFilter);
  EXPECT_EQ(request.title, "設定ファイル名入力");
}

// Values that cannot be used are listed in one box before the tree, which
// offers the rest; with nothing left there is no tree.
TEST_F(SettingsFile, ImportListsTheValuesItLeavesOutBeforeTheTree) {
  ASSERT_TRUE(ConnectOk());
  const std::string intro = "設定ファイルの次の値は使用できません。その項目は読み込みません。\r\n";
  const struct {
    const char* name;
    std::string lines;
    std::string box;
    Lines tree;  // empty: no tree
  } files[] = {
      {"out-of-range.rai",
       "BATTERY_ALART,99999\r\nKXI_RAIN_MMPS,0\r\n",
       intro + "KXI_RAIN_MMPS,0  (範囲: 0.01 - 2.00)\r\nBATTERY_ALART,99999  (範囲: 2400 - 12000)",
       {}},
      {"some.rai",
       "//6\r\nBATTERY_ALART,4000\r\n//22\r\nMES_ENABLE,1\r\nMES_INTERVAL_NUM,300\r\n",
       intro + "MES_INTERVAL_NUM,300  (範囲: 0 - 240)",
       {"+初期設定", "  +バッテリ警告"}},
  };
  for (const auto& f : files) {
    const std::string path = Path(f.name);
    Write(path, "[XEV_RAIN_GAUGE]\r\n" + f.lines);
    boxes.boxes.clear();
    if (!f.tree.empty()) {
      Then<CDlgTreeItem>([&](CDlgTreeItem& tree) {
        EXPECT_EQ(BoxTexts(), Lines{f.box});  // said before the tree opens
        EXPECT_EQ(TreeLines(tree), f.tree);
        Click(tree, IDCANCEL);
      });
    }
    boxes.AnswerPath(path);
    Command(CMainFrame::ID_IMPORT_SETTINGS);
    EXPECT_TRUE(steps.empty()) << f.name;
    EXPECT_EQ(BoxTexts(), Lines{f.box}) << f.name;
  }
}

// A file written from a logger whose first alarm was never set reads back,
// and its page sends what the logger can take: the second alarm and the off
// switch, not the 0.00 mm the logger would refuse.
TEST_F(SettingsFile, AnAlarmThatIsOffReadsBackAsWrittenAndItsPageGoesOn) {
  ASSERT_TRUE(ConnectOk());
  const std::string path = Path("off.rai");
  Write(path, "[XEV_RAIN_GAUGE]\r\n//21\r\nALM_RAIN,1,0.00,60,0\r\nALM_RAIN,2,10.00,90,1\r\n");
  const sim::SimState before = sim.State();
  ThenTree("読込み設定項目選択", {"+測定設定", "  +判定基準"});
  Then<CDlgInputRangeRain>([](CDlgInputRangeRain& page) {
    EXPECT_EQ(page.m_editRain[0].GetWindowText(), "0.00");
    EXPECT_EQ(page.m_nSwitch1, 1);  // OFF
    Click(page, kNext);
  });
  ThenPress<CDlgInputMeasureSetting>({kNext});  // the stopped measurement starts again
  boxes.AnswerPath(path);
  Command(CMainFrame::ID_IMPORT_SETTINGS);
  EXPECT_TRUE(steps.empty());
  EXPECT_EQ(BoxTexts(), Lines{});
  const sim::SimState s = sim.State();
  EXPECT_FALSE(s.alarm[0].on);
  EXPECT_DOUBLE_EQ(s.alarm[0].threshold, before.alarm[0].threshold);
  EXPECT_TRUE(s.alarm[1].on);
  EXPECT_DOUBLE_EQ(s.alarm[1].threshold, 10.0);
  EXPECT_EQ(s.alarm[1].period, 90);
}

TEST_F(SettingsFile, ImportOffersOnlyTheFileItemsAndACancelledTreeChangesNothing) {
  ASSERT_TRUE(ConnectOk());
  const std::string path = Path("two.rai");
  Write(path, "[XEV_RAIN_GAUGE]\r\nIMEI,111\r\n//6\r\nBATTERY_ALART,4000\r\n//11\r\nAP_NAME,other.apn\r\n");
  const size_t sent = sim.ReceivedCommands().size();
  ThenTree("読込み設定項目選択", {"+初期設定", "  +バッテリ警告", "+接続設定", "  +アクセスポイント"}, IDCANCEL);
  boxes.AnswerPath(path);
  Command(CMainFrame::ID_IMPORT_SETTINGS);
  EXPECT_TRUE(steps.empty());
  // The edited record stays the logger's, as the frame prepared it.
  EXPECT_EQ(theApp.m_device.m_workEdit.m_mailInfo.m_strApn, "rain.example");
  EXPECT_EQ(theApp.m_device.m_workEdit.m_sysInfo.m_nBatteryStop, 3600);
  EXPECT_TRUE(SentSince(sent).empty());

  // OK with the access point alone: its page starts from the file's name,
  // the rest of the record (and the IMEI) from the logger.
  Then<CDlgTreeItem>([](CDlgTreeItem& tree) {
    tree.m_tree.SetCheck(tree.m_tree.GetRootItem(), FALSE);
    Click(tree, IDOK);
  });
  Then<CDlgInputSimSetting>([](CDlgInputSimSetting& page) {
    EXPECT_EQ(page.m_editApn.GetWindowText(), "other.apn");
    EXPECT_EQ(page.m_editUser.GetWindowText(), "kx2");
    EXPECT_EQ(page.m_editImei.GetWindowText(), "356938035643809");
    Click(page, IDCANCEL);
  });
  boxes.AnswerPath(path);
  Command(CMainFrame::ID_IMPORT_SETTINGS);
  EXPECT_TRUE(steps.empty());
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(SettingsFile, ExportThenImportBringsAChangedLoggerBackToTheExportedSettings) {
  sim.Update([this](sim::SimState& s) { SetUpX(s, now); });
  ASSERT_TRUE(ConnectOk());
  const std::string path = Path("x.rai");
  Export(path);
  ASSERT_TRUE(boxes.boxes.empty());

  sim.Update([this](sim::SimState& s) { SetUpY(s, now); });
  frame->ExecuteSettingItem(nullptr, -1, 0);
  ASSERT_EQ(theApp.m_device.m_workRead.m_mailInfo.m_strApn, "y.apn.example");

  ThenTree("読込み設定項目選択", kAllItems);
  ThenPress<CDlgInputIoRain>({kNext});
  ThenPress<CDlgInputBatAlart>({kNext});
  Then<CDlgInputSimSetting>([](CDlgInputSimSetting& page) {
    EXPECT_EQ(page.m_editApn.GetWindowText(), "x.apn.example");
    EXPECT_EQ(page.m_comboAuth.GetCurSel(), 1);  // PAP
    Click(page, kNext);
  });
  ThenPress<CDlgInputRangeRain>({kNext});
  Then<CDlgInputMeasureSetting>([this](CDlgInputMeasureSetting& page) {
    EXPECT_EQ(Label(page, kNext), "OK");
    // The start field gives its free positions: "yymmddhhmm".
    const std::string f = sim::SimClock::Format(now - 3 * 1200 + 300);
    EXPECT_EQ(page.m_editStart.GetWindowText(),
              f.substr(0, 2) + f.substr(3, 2) + f.substr(6, 2) + f.substr(9, 2) + f.substr(12, 2));
    Click(page, kNext);
  });
  boxes.AnswerPath(path);
  Command(CMainFrame::ID_IMPORT_SETTINGS);
  EXPECT_TRUE(steps.empty());
  EXPECT_EQ(BoxTexts(), Lines{});

  const std::string rain = typeid(CDlgInputIoRain).name(), battery = typeid(CDlgInputBatAlart).name();
  ASSERT_EQ(seen.size(), 5u);
  EXPECT_EQ(seen[0].page, rain);
  EXPECT_EQ(seen[1].page, battery);
  EXPECT_EQ(seen[1].flags, static_cast<unsigned>(CWizerdWorkCore::kStopMeasurement));

  sim::SimState x;
  SetUpX(x, now);
  const sim::SimState s = sim.State();
  EXPECT_DOUBLE_EQ(s.rainPerCount, x.rainPerCount);
  EXPECT_EQ(s.batteryStop, x.batteryStop);
  EXPECT_EQ(s.apn, x.apn);
  EXPECT_EQ(s.user, x.user);
  EXPECT_EQ(s.password, x.password);
  EXPECT_EQ(s.auth, x.auth);
  for (int n = 0; n < 2; ++n) {
    EXPECT_DOUBLE_EQ(s.alarm[n].threshold, x.alarm[n].threshold) << n;
    EXPECT_EQ(s.alarm[n].period, x.alarm[n].period) << n;
    EXPECT_EQ(s.alarm[n].on, x.alarm[n].on) << n;
  }
  EXPECT_TRUE(s.measuring);
  EXPECT_EQ(s.sampling, x.sampling);
  EXPECT_EQ(s.sendCount, x.sendCount);
  EXPECT_EQ(s.samplingEvent, x.samplingEvent);
  EXPECT_EQ(s.sendCountEvent, x.sendCountEvent);
  // Moved forward by whole intervals to the first at least a minute ahead.
  EXPECT_EQ(s.start, now + 300);
  // The panel shows the logger as it now is.
  EXPECT_EQ(Panel().m_pageNetsSim.GetDlgItemText(CDlgNetsSim::kApn), "x.apn.example");
}
