// The wizard's walk and runner: the place and result rules in one table,
// the pages the runner makes for a selection, the item tree, a setting group
// through the tree, a walk of real pages, and a walk that leaves the logger
// stopped.
#include <map>
#include <memory>
#include <stdexcept>

#include "app/wizard/DlgInputAntenaTest.h"
#include "app/wizard/DlgInputInitReset.h"
#include "app/wizard/DlgInputIoRain.h"
#include "app/wizard/DlgInputTestMail.h"
#include "app/wizard/WizerdList.h"
#include "settings/KXCSettingWork.h"
#include "settings/SettingItems.h"
#include "tests/app/WizardFixture.h"

namespace {
using Lines = std::vector<std::string>;
using W = CWizerdWorkCore;
constexpr WalkResult kFinished = WalkResult::kFinished;
constexpr WalkResult kBackedOut = WalkResult::kBackedOut;
constexpr WalkResult kCancelled = WalkResult::kCancelled;
constexpr int kThrow = 99;  // a scripted answer: the page run throws

struct Visit {
  int page;  // step index, or setting item for the runner's pages
  unsigned flags;
  bool operator==(const Visit&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Visit& v) {
  return os << "{" << v.page << ", 0x" << std::hex << v.flags << std::dec << "}";
}

// Answers from a shared script, in the order the pages are visited.
struct Script {
  std::vector<int> answers;
  std::vector<Visit> visits;
  size_t next = 0;
  int Answer(int page, unsigned flags) {
    visits.push_back({page, flags});
    const int answer = next < answers.size() ? answers[next++] : W::kNext;
    if (answer == kThrow) throw std::runtime_error("page failed");
    return answer;
  }
};

class ScriptedCore : public CWizerdWorkCore {
 public:
  ScriptedCore(int index, Script& script) : m_index(index), m_script(script) {}
  int RunPage(CWnd*, unsigned flags) override { return m_script.Answer(m_index, flags); }

 private:
  int m_index;
  Script& m_script;
};

// A runner's page that shows no window: it answers from the script.
class ScriptedPage : public CInputBaseDlg {
 public:
  ScriptedPage(int item, Script& script, int& alive)
      : CInputBaseDlg(0), m_item(item), m_script(script), m_alive(alive) {
    ++m_alive;
  }
  ~ScriptedPage() override { --m_alive; }
  int RunPage(CWnd*, unsigned flags) override { return m_script.Answer(m_item, flags); }

 private:
  int m_item;
  Script& m_script;
  int& m_alive;
};

CSettingSelect Ticked(const std::vector<int>& items) {
  CSettingSelect select;
  select.Init(0, 0);
  for (auto& item : select.m_item) item.checked = 0;
  for (int i : items) select.m_item[i].checked = 1;
  return select;
}
}  // namespace

TEST(WizerdList, PlacesAndResultsOfTheWalk) {
  constexpr unsigned kStepFlags = 0xFFFFFF07;  // the walk replaces the low byte only
  constexpr unsigned kHigh = 0xFFFFFF00;
  struct Row {
    const char* name;
    int pages;
    std::vector<int> answers;
    std::vector<Visit> visits;  // page index, place
    WalkResult result;
    int endState;
  };
  const Row rows[] = {
      {"one page, Next", 1, {W::kNext}, {{0, W::kOnlyPage}}, kFinished, CWizerdList::kEndNone},
      {"three pages, Next", 3, {0, 0, 0}, {{0, W::kFirstPage}, {1, W::kMiddlePage}, {2, W::kLastPage}}, kFinished, 0},
      {"Back on the first", 3, {W::kBack}, {{0, W::kFirstPage}}, kBackedOut, 0},
      {"Back and on again",
       3,
       {0, W::kBack, 0, 0, 0},
       {{0, W::kFirstPage}, {1, 0}, {0, W::kFirstPage}, {1, 0}, {2, W::kLastPage}},
       kFinished,
       0},
      {"Cancel in the middle",
       3,
       {0, W::kCancel},
       {{0, W::kFirstPage}, {1, 0}},
       kCancelled,
       CWizerdList::kEndCancelled},
      {"closed without a choice", 2, {W::kClosed}, {{0, W::kFirstPage}}, kCancelled, CWizerdList::kEndClosed},
      {"Skip follows the last move",
       3,
       {0, 0, W::kBack, W::kSkip, 0, W::kSkip, 0},
       {{0, 1}, {1, 0}, {2, 4}, {1, 0}, {0, 1}, {1, 0}, {2, 4}},
       kFinished,
       0},
      {"Skip on the first page goes on", 2, {W::kSkip, 0}, {{0, 1}, {1, 4}}, kFinished, 0},
      {"an unknown answer counts as Next", 2, {7, 0}, {{0, 1}, {1, 4}}, kFinished, 0},
      {"a failing page ends the walk", 3, {0, kThrow}, {{0, 1}, {1, 0}}, kCancelled, CWizerdList::kEndFailed},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Script script;
    script.answers = r.answers;
    std::vector<std::unique_ptr<ScriptedCore>> pages;
    CWizerdList list;
    for (int i = 0; i < r.pages; ++i) {
      pages.push_back(std::make_unique<ScriptedCore>(i, script));
      EXPECT_EQ(list.Add(pages.back().get(), kStepFlags, 100 + i), 1);
    }
    EXPECT_EQ(list.Run(nullptr), r.result);
    EXPECT_EQ(list.m_nEndState, r.endState);
    std::vector<Visit> expected = r.visits;
    for (Visit& v : expected) v.flags |= kHigh;
    EXPECT_EQ(script.visits, expected);
  }
}

TEST(KXCSettingWork, RunnerMakesOnePagePerTickedItemAndOneStopperFollowedByAMeasurementPage) {
  struct Row {
    const char* name;
    std::vector<int> items;
    bool measuring;
    unsigned flags;
    std::vector<Visit> visits;  // setting item, page flags as the walk gives them
    WalkResult result;
  };
  const unsigned stop = W::kStopMeasurement;
  const Row rows[] = {
      {"item 1 has no page", {1}, true, 0, {}, kCancelled},
      {"measuring: alarm pages and a measurement page",
       {3, 6, 21},
       true,
       0,
       {{3, W::kFirstPage}, {6, stop}, {21, 0}, {22, W::kLastPage}},
       kFinished},
      {"idle: the stopper stays, no measurement page",
       {3, 6, 21},
       false,
       0,
       {{3, W::kFirstPage}, {6, stop}, {21, W::kLastPage}},
       kFinished},
      {"rain criteria alone while measuring",
       {21},
       true,
       0,
       {{21, stop | W::kFirstPage}, {22, W::kLastPage}},
       kFinished},
      {"a ticked measurement page is not doubled",
       {6, 22},
       true,
       0,
       {{6, stop | W::kFirstPage}, {22, W::kLastPage}},
       kFinished},
      {"the caller's flags reach every page",
       {19, 20},
       false,
       W::kNoReRead,
       {{19, W::kNoReRead | W::kFirstPage}, {20, W::kNoReRead | W::kLastPage}},
       kFinished},
      {"a page that cannot be made is left out",
       {0, 5, 20},
       false,
       0,
       {{0, W::kFirstPage}, {20, W::kLastPage}},
       kFinished},
      {"Back on the first page", {0, 3}, false, 0, {{0, W::kFirstPage}}, kBackedOut},
  };
  int32_t& measuring = theApp.m_device.m_workRead.m_sysInfo.m_nMeasuring;
  const int32_t saved = measuring;
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    measuring = r.measuring ? 1 : 0;
    Script script;
    if (std::string(r.name) == "Back on the first page") script.answers = {W::kBack};
    int alive = 0;
    const CKXCSettingWork::PageMaker make = [&](int item) -> std::unique_ptr<CInputBaseDlg> {
      if (item == 5) throw std::runtime_error("no page");
      if (item == 1) return nullptr;
      return std::make_unique<ScriptedPage>(item, script, alive);
    };
    CKXCSettingWork work;
    EXPECT_EQ(work.RunWizard(nullptr, Ticked(r.items), r.flags, make), r.result);
    EXPECT_EQ(script.visits, r.visits);
    EXPECT_EQ(alive, 0);  // every page made was deleted
  }
  measuring = saved;
}

TEST(KXCSettingWork, EachItemWithAPageGetsItsOwnTemplateAndNoOtherItemAPage) {
  EnsureQtApplication();
  const std::map<int, UINT> templates = {{kItemReset, 362},        {kItemRainCoef, 402},   {kItemBatteryAlarm, 329},
                                         {kItemAccessPoint, 325},  {kItemAntenna, 340},    {kItemTestMail, 387},
                                         {kItemRainCriteria, 352}, {kItemMeasurement, 342}};
  for (int item = 0; item < kSettingItemCount; ++item) {
    const std::unique_ptr<CInputBaseDlg> page = CKXCSettingWork::CreatePage(item);
    const auto expected = templates.find(item);
    if (expected == templates.end()) {
      EXPECT_EQ(page, nullptr) << item;
      continue;
    }
    ASSERT_NE(page, nullptr) << item;
    EXPECT_EQ(page->m_nIDTemplate, expected->second) << item;
  }
}

namespace {
// The tree of a dialog run over `select`: its groups with their items, a
// '+' before each ticked node.
HTREEITEM Find(CTreeCtrl& tree, const std::string& text, bool group) {
  for (HTREEITEM g = tree.GetRootItem(); g != nullptr; g = tree.GetNextSiblingItem(g)) {
    if (group && tree.GetItemText(g) == text) return g;
    for (HTREEITEM i = tree.GetChildItem(g); !group && i != nullptr; i = tree.GetNextSiblingItem(i))
      if (tree.GetItemText(i) == text) return i;
  }
  return nullptr;
}

class TreeTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureQtApplication(); }
  void TearDown() override { CDialog::SetModalHook(nullptr); }
  // Runs the tree over the selection; `act` sees it open and ends it.
  INT_PTR Run(CDlgTreeItem& dlg, std::function<void(CDlgTreeItem&)> act) {
    CDialog::SetModalHook([act](CDialog* d) {
      auto& tree = dynamic_cast<CDlgTreeItem&>(*d);
      act(tree);
      if (tree.IsWindowVisible()) {
        ADD_FAILURE() << "tree left open";
        tree.SendMessage(WM_COMMAND, IDCANCEL, 0);
      }
    });
    return dlg.DoModal();
  }
  static void Click(CWnd& dlg, int id) { dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
  RecordingMessageService boxes;
};

CSettingSelect FileDirection() {
  CSettingSelect select;
  select.Init(0, 1);
  return select;
}
}  // namespace

TEST_F(TreeTest, OfferedItemsUnderTheirGroupsAndGroupsTickedWhenAllTheirItemsAre) {
  CDlgTreeItem dlg;
  dlg.m_select = FileDirection();
  dlg.m_select.m_item[21].checked = 0;
  std::vector<std::string> lines;
  EXPECT_EQ(Run(dlg,
                [&](CDlgTreeItem& d) {
                  lines = TreeLines(d);
                  EXPECT_EQ(d.GetWindowText(), "設定");
                  Click(d, IDCANCEL);
                }),
            IDCANCEL);
  EXPECT_EQ(lines, (Lines{"+初期設定", "  +入力設定", "  +バッテリ警告", "+接続設定", "  +アクセスポイント",
                          "-測定設定", "  -判定基準", "  +測定設定"}));
}

TEST_F(TreeTest, GroupsAndItemsFollowEachOtherAndOkWritesTheTicksBack) {
  CDlgTreeItem dlg;
  dlg.SetTitle("出力設定項目選択");
  dlg.m_select = FileDirection();
  std::vector<std::string> afterUntickItem, afterTickItem, afterUntickGroup, afterTickGroup;
  EXPECT_EQ(Run(dlg,
                [&](CDlgTreeItem& d) {
                  EXPECT_EQ(d.GetWindowText(), "出力設定項目選択");
                  CTreeCtrl& tree = d.m_tree;
                  tree.SetCheck(Find(tree, "アクセスポイント", false), FALSE);
                  afterUntickItem = TreeLines(d);
                  tree.SetCheck(Find(tree, "アクセスポイント", false), TRUE);
                  afterTickItem = TreeLines(d);
                  tree.SetCheck(Find(tree, "初期設定", true), FALSE);
                  afterUntickGroup = TreeLines(d);
                  tree.SetCheck(Find(tree, "入力設定", false), TRUE);  // one of two: the group stays unticked
                  tree.SetCheck(Find(tree, "測定設定", true), FALSE);
                  tree.SetCheck(Find(tree, "判定基準", false), TRUE);
                  afterTickGroup = TreeLines(d);
                  Click(d, IDOK);
                }),
            IDOK);
  EXPECT_EQ(afterUntickItem[3], "-接続設定");
  EXPECT_EQ(afterTickItem[3], "+接続設定");
  EXPECT_EQ(afterUntickGroup, (Lines{"-初期設定", "  -入力設定", "  -バッテリ警告", "+接続設定", "  +アクセスポイント",
                                     "+測定設定", "  +判定基準", "  +測定設定"}));
  EXPECT_EQ(afterTickGroup, (Lines{"-初期設定", "  +入力設定", "  -バッテリ警告", "+接続設定", "  +アクセスポイント",
                                   "-測定設定", "  +判定基準", "  -測定設定"}));
  // Only items count: the group named like item 22 marks nothing.
  for (int i = 0; i < kSettingItemCount; ++i) {
    const bool ticked = i == 3 || i == 11 || i == 21;
    EXPECT_EQ(dlg.m_select.m_item[i].checked, ticked ? 1 : 0) << i;
    EXPECT_EQ(dlg.m_select.m_item[i].available, FileDirection().m_item[i].available) << i;
  }
}

TEST_F(TreeTest, CancelLeavesTheSelectionAndAnEmptyTreeTicksNothing) {
  CDlgTreeItem dlg;
  dlg.m_select = FileDirection();
  Run(dlg, [](CDlgTreeItem& d) {
    d.m_tree.SetCheck(Find(d.m_tree, "入力設定", false), FALSE);
    Click(d, IDCANCEL);
  });
  EXPECT_EQ(dlg.m_select.m_item[3].checked, 1);

  CDlgTreeItem empty;
  for (auto& item : empty.m_select.m_item) item.checked = 1;  // offered nowhere
  std::vector<std::string> lines{"x"};
  EXPECT_EQ(Run(empty,
                [&](CDlgTreeItem& d) {
                  lines = TreeLines(d);
                  Click(d, IDOK);
                }),
            IDOK);
  EXPECT_TRUE(lines.empty());
  for (const auto& item : empty.m_select.m_item) EXPECT_EQ(item.checked, 0);
}

TEST_F(WizardTest, SettingGroupThroughTheTreeWalksItsPagesBackAndForth) {
  ASSERT_TRUE(ConnectOk());
  Then<CDlgTreeItem>([](CDlgTreeItem& tree) {
    EXPECT_EQ(TreeLines(tree), (Lines{"+接続設定", "  +アクセスポイント", "  +アンテナ状態確認", "  +テスト送信"}));
    tree.m_tree.SetCheck(Find(tree.m_tree, "アクセスポイント", false), FALSE);
    Click(tree, IDOK);
  });
  ThenPress<CDlgInputAntenaTest>({CDlgInputAntenaTest::kCheckButton, CInputBaseDlg::kNextButton});
  ThenPress<CDlgInputTestMail>({CInputBaseDlg::kBackButton});
  Then<CDlgInputAntenaTest>([](CDlgInputAntenaTest& page) {
    // Opened again, the page shows the level it read before.
    EXPECT_EQ(page.m_nLevel.load(), 4);
    EXPECT_TRUE(ShowsPicture(page, 385));
    Click(page, CInputBaseDlg::kNextButton);
  });
  Then<CDlgInputTestMail>([](CDlgInputTestMail& page) {
    EXPECT_EQ(Label(page, CInputBaseDlg::kNextButton), "OK");
    Click(page, CInputBaseDlg::kNextButton);
  });
  frame->PostMessage(WM_COMMAND, CMainFrame::ID_SETTING_GROUP_3);
  ASSERT_TRUE(PumpUntil([this] { return steps.empty() && !CKXCWorkingThread::IsOperationRunning(); }));
  const std::string antenna = typeid(CDlgInputAntenaTest).name(), mail = typeid(CDlgInputTestMail).name();
  const unsigned kNoReRead = W::kNoReRead;
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen[0].page, antenna);
  EXPECT_EQ(seen[0].flags, kNoReRead | W::kFirstPage);
  EXPECT_EQ(seen[1].page, mail);
  EXPECT_EQ(seen[1].flags, kNoReRead | W::kLastPage);
  EXPECT_EQ(seen[2].flags, kNoReRead | W::kFirstPage);
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(WizardTest, ACancelledTreeOpensNoPageAndKeepsTheSelection) {
  CSettingSelect select = Ticked({3, 19, 20});
  Then<CDlgTreeItem>([](CDlgTreeItem& tree) {
    tree.m_tree.SetCheck(Find(tree.m_tree, "入力設定", false), FALSE);
    Click(tree, IDCANCEL);
  });
  CKXCSettingWork work;
  EXPECT_EQ(work.SelectAndRun(frame, select), WalkResult::kCancelled);
  EXPECT_TRUE(steps.empty());
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(select.m_item[3].checked, 1);
}

TEST_F(WizardTest, AWalkOfPagesEndsWithOneZeroOrMinusOne) {
  ASSERT_TRUE(ConnectOk());
  const CSettingSelect select = Ticked({0, 3, 19, 20});
  theApp.m_device.m_workEdit = theApp.m_device.m_workRead;  // as the callers prepare it
  CKXCSettingWork work;

  Then<CDlgInputInitReset>([](CDlgInputInitReset& page) {
    // Disabled on the first page; its command still means Back.
    EXPECT_FALSE(page.GetDlgItem(CInputBaseDlg::kBackButton)->IsWindowEnabled());
    Click(page, CInputBaseDlg::kBackButton);
  });
  EXPECT_EQ(work.RunWizard(frame, select, 0), WalkResult::kBackedOut);

  ThenPress<CDlgInputInitReset>({CInputBaseDlg::kNextButton});
  ThenPress<CDlgInputIoRain>({IDCANCEL});
  EXPECT_EQ(work.RunWizard(frame, select, 0), WalkResult::kCancelled);

  const size_t before = sim.ReceivedCommands().size();
  ThenPress<CDlgInputInitReset>({CInputBaseDlg::kNextButton});
  ThenPress<CDlgInputIoRain>({CInputBaseDlg::kNextButton});  // unchanged: nothing to send
  ThenPress<CDlgInputAntenaTest>({CInputBaseDlg::kNextButton});
  ThenPress<CDlgInputTestMail>({CInputBaseDlg::kNextButton});
  EXPECT_EQ(work.RunWizard(frame, select, 0), WalkResult::kFinished);
  EXPECT_TRUE(SentSince(before).empty());
  EXPECT_TRUE(boxes.boxes.empty());
}

namespace {
// A page of an alarm item: its work does nothing but what the page base
// does around it (stopping the measurement when the walk says so).
class AlarmPage : public CInputBaseDlg {
 public:
  AlarmPage() : CInputBaseDlg(0) {}
  int RunPage(CWnd*, unsigned flags) override {
    m_nPageFlags = flags;
    EXPECT_EQ(RunWorkAndReport(nullptr), RunResult::kDone);
    return kNext;
  }
  WorkResult ThreadWork() override { return WorkResult::kDone; }
};

// The measurement page: starts the logger again, or is cancelled.
class StartPage : public CInputBaseDlg {
 public:
  explicit StartPage(bool start) : CInputBaseDlg(0), m_bStart(start) {}
  int RunPage(CWnd*, unsigned flags) override {
    m_nPageFlags = flags;
    if (!m_bStart) return kCancel;
    static_cast<void>(RunWorkAndReport(nullptr));
    return kNext;
  }
  WorkResult ThreadWork() override {
    CKX2Device& d = theApp.m_device;
    return d.m_protocol.SendCommandExpect(&d.m_port, "ST STM\r\n", nullptr, 5000) == ComResult::kOk
               ? WorkResult::kDone
               : WorkResult::kFailed;
  }

 private:
  bool m_bStart;
};
}  // namespace

TEST_F(WizardTest, AWalkThatLeavesTheLoggerStoppedSaysSo) {
  ASSERT_TRUE(ConnectOk());
  for (bool start : {false, true}) {
    SCOPED_TRACE(start ? "measurement page starts the logger" : "measurement page cancelled");
    sim.SetRecords(1, 10);  // the logger measures
    frame->ExecuteSettingItem(nullptr, -1, 0);
    ASSERT_EQ(theApp.m_device.m_workRead.m_sysInfo.m_nMeasuring, 1);
    boxes.boxes.clear();
    const size_t before = sim.ReceivedCommands().size();
    const CKXCSettingWork::PageMaker make = [start](int item) -> std::unique_ptr<CInputBaseDlg> {
      if (item == 6) return std::make_unique<AlarmPage>();
      if (item == 22) return std::make_unique<StartPage>(start);
      return nullptr;
    };
    CKXCSettingWork work;
    EXPECT_EQ(work.RunWizard(frame, Ticked({6}), 0, make), start ? WalkResult::kFinished : WalkResult::kCancelled);
    const Lines sent = SentSince(before);
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent[0], "ST STP");
    if (start) {
      EXPECT_TRUE(boxes.boxes.empty());
      EXPECT_EQ(theApp.m_device.m_workRead.m_sysInfo.m_nMeasuring, 1);
    } else {
      ASSERT_EQ(BoxTexts(), (Lines{"測定は停止したままです。\r\n測定を開始するまで雨量は記録されません。"}));
      EXPECT_EQ(boxes.boxes[0].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
    }
  }
}
