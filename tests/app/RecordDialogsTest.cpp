// The record-range dialog and the downloaded-data dialog on their own: the
// range arithmetic of the ring, what the range dialog proposes and refuses,
// and what the data dialog shows, saves and how it sizes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/DlgAqcuired.h"
#include "app/DlgInputRdALLID.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/TestFolder.h"
#include "ui/RecordingMessageService.h"

namespace {
using Range = CDlgInputRdALLID;

// Runs the dialog modally; `act` sees it running and ends it (or not: a
// dialog still shown afterwards is cancelled, and `stayedOpen` says so).
template <typename Dialog>
INT_PTR RunDialog(Dialog& dlg, const std::function<void(Dialog&)>& act, bool* stayedOpen = nullptr) {
  auto previous = CDialog::SetModalHook([&](CDialog* d) {
    if (d != &dlg) return;
    act(dlg);
    const bool open = dlg.IsWindowVisible() != FALSE;
    if (stayedOpen) *stayedOpen = open;
    if (open) dlg.SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
  const INT_PTR result = dlg.DoModal();
  CDialog::SetModalHook(previous);
  return result;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class RecordDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    ASSERT_FALSE(dir.empty());
  }

  // The range dialog over a logger holding first..last, answered with the
  // typed texts; the proposal it showed comes back in `shown`.
  struct RangeRun {
    INT_PTR result;
    bool stayedOpen;
    std::string text, lastId, count;
  };
  RangeRun RunRange(int first, int last, const char* typedLast, const char* typedCount) {
    Range dlg;
    dlg.m_nIdFirst = first;
    dlg.m_nIdLast = last;
    dlg.m_nLastId = last;
    dlg.m_nCount = Range::HeldCount(first, last);
    RangeRun run{};
    run.result = RunDialog<Range>(
        dlg,
        [&](Range& d) {
          run.text = d.GetDlgItemText(Range::kRangeText);
          run.lastId = d.GetDlgItemText(Range::kLastIdEdit);
          run.count = d.GetDlgItemText(Range::kCountEdit);
          if (typedLast) d.SetDlgItemText(Range::kLastIdEdit, typedLast);
          if (typedCount) d.SetDlgItemText(Range::kCountEdit, typedCount);
          d.SendMessage(WM_COMMAND, IDOK, 0);
        },
        &run.stayedOpen);
    if (run.result == IDOK) {
      run.lastId = std::to_string(dlg.m_nLastId);
      run.count = std::to_string(dlg.m_nCount);
    }
    return run;
  }

  TestFolder folder{"dialogs"};
  std::filesystem::path dir = folder.Path();
  RecordingMessageService boxes;
};
}  // namespace

TEST(RecordRange, RingArithmetic) {
  const struct {
    int first, last, held;
  } held[] = {
      {1, 10, 10}, {99990, 5, 16}, {7, 7, 1}, {0, 0, 0}, {0, 99999, 100000}, {5, 4, 100000}, {99999, 0, 2},
  };
  for (const auto& c : held) EXPECT_EQ(Range::HeldCount(c.first, c.last), c.held) << c.first << "-" << c.last;

  // The numbers from the first record up to a typed last one, and where a
  // download of a count ending there starts.
  const struct {
    int first, last, typedLast, available;
  } upTo[] = {
      {1, 10, 10, 10},          {1, 10, 50, 50},  {1, 10, 0, 0}, {0, 9, 5, 6},     {99990, 5, 2, 13},
      {5, 4, 4, 100000},        {5, 4, 3, 99999}, {0, 0, 0, 1},  {0, 0, 99999, 0}, {0, 99999, 99999, 100000},
      {0, 99999, 99998, 99999},
  };
  for (const auto& c : upTo) {
    EXPECT_EQ(Range::AvailableUpTo(c.first, c.last, c.typedLast), c.available)
        << c.first << "-" << c.last << " up to " << c.typedLast;
  }
  EXPECT_EQ(Range::StartOf(10, 10), 1);
  EXPECT_EQ(Range::StartOf(5, 16), 99990);
  EXPECT_EQ(Range::StartOf(5, 6), 0);  // not 100000
  EXPECT_EQ(Range::StartOf(4, 100000), 5);
  EXPECT_EQ(Range::StartOf(99999, 100000), 0);
}

TEST_F(RecordDialogsTest, RangeDialogStaysOpenForAnythingThatNamesNoRecords) {
  // An empty memory proposes nothing to read.
  RangeRun run = RunRange(0, 0, nullptr, nullptr);
  EXPECT_EQ(run.text, "データ数: 0   (ID: 0 - ID: 0)");
  EXPECT_EQ(run.count, "0");
  EXPECT_TRUE(run.stayedOpen);
  EXPECT_EQ(run.result, IDCANCEL);

  const struct {
    const char* last;
    const char* count;
  } refused[] = {
      {"10", "0"},     {"10", ""},           {"10", "x"},  // no count
      {"100000", "5"}, {"99999999999", "5"},               // beyond the ring, however long the digits
      {"", "5"},       {"0", "5"},                         // just before the first record (1): nothing to read
  };
  for (const auto& c : refused) {
    run = RunRange(1, 10, c.last, c.count);
    EXPECT_TRUE(run.stayedOpen) << c.last << " / " << c.count;
    EXPECT_EQ(run.result, IDCANCEL);
  }
  // In a full ring the number before the first is the newest record.
  run = RunRange(1, 0, "0", "5");
  EXPECT_FALSE(run.stayedOpen);
  EXPECT_EQ(run.result, IDOK);
  EXPECT_EQ(run.lastId, "0");
  EXPECT_EQ(run.count, "5");
}

TEST_F(RecordDialogsTest, DataDialogSavesTheBytesUnchangedAndShowsThemReadable) {
  std::string data;
  for (int b = 1; b < 256; ++b) data += static_cast<char>(b);
  data += "\r\n00001,24/03/05 14:00:00,0.5\r\n";
  const std::string target = (dir / "saved.txt").string();
  // Saving over an existing file replaces it whole.
  std::ofstream(target) << "an older and much longer file that must not leave a tail behind";

  CDlgAqcuired dlg(&data, FALSE, nullptr);
  std::string shown;
  boxes.AnswerPath(target);
  const std::time_t before = std::time(nullptr);
  const INT_PTR result = RunDialog<CDlgAqcuired>(dlg, [&](CDlgAqcuired& d) {
    shown = d.GetDlgItemText(CDlgAqcuired::kText);
    d.SendMessage(WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(ReadFile(target), data);
  EXPECT_TRUE(boxes.boxes.empty());
  // Shown as text: the bytes that are no UTF-8 show as U+FFFD.
  EXPECT_NE(shown.find("00001,24/03/05 14:00:00,0.5"), std::string::npos);
  EXPECT_NE(shown.find("\xEF\xBF\xBD"), std::string::npos);

  ASSERT_EQ(boxes.fileDialogs.size(), 1u);
  const FileDialogRequest& r = boxes.fileDialogs[0];
  EXPECT_FALSE(r.open);
  EXPECT_EQ(r.defaultExt, "txt");
  EXPECT_EQ(r.filter, "Text(*.txt)|*.txt|");
  EXPECT_EQ(r.flags, static_cast<DWORD>(OFN_OVERWRITEPROMPT));
  EXPECT_TRUE(r.initialDir.empty());
  // The name tells the kind and the time of saving.
  const std::string early = CDlgAqcuired::ProposedFileName(false, before);
  const std::string late = CDlgAqcuired::ProposedFileName(false, std::time(nullptr));
  EXPECT_TRUE(r.fileName == early || r.fileName == late) << r.fileName;
  EXPECT_EQ(CDlgAqcuired::ProposedFileName(true, before).substr(0, 8), "DWL_ERR_");
  EXPECT_EQ(early.substr(0, 8), "DWL_ALL_");
  EXPECT_EQ(early.size(), std::string("DWL_ALL_20240131_235959.txt").size());
}

TEST_F(RecordDialogsTest, DataDialogStaysOpenWhenNotSavedAndKeepsTheData) {
  const std::string data = "00001,24/03/05 14:00:00,0.5\r\n";
  const std::string missing = (dir / "no-such-folder" / "x.txt").string();
  const std::string target = (dir / "second-try.txt").string();
  CDlgAqcuired dlg(&data, TRUE, nullptr);
  bool afterCancel = false, afterFailure = false;
  boxes.CancelFileDialog();
  boxes.AnswerPath(missing);
  boxes.AnswerPath(target);
  const INT_PTR result = RunDialog<CDlgAqcuired>(dlg, [&](CDlgAqcuired& d) {
    d.SendMessage(WM_COMMAND, IDOK, 0);
    afterCancel = d.IsWindowVisible() != FALSE;
    d.SendMessage(WM_COMMAND, IDOK, 0);
    afterFailure = d.IsWindowVisible() != FALSE;
    d.SendMessage(WM_COMMAND, IDOK, 0);
  });
  EXPECT_TRUE(afterCancel);
  EXPECT_TRUE(afterFailure);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "エラー！ ファイル作成に失敗しました\r\n(" + missing + ")");
  EXPECT_EQ(boxes.boxes[0].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_FALSE(std::filesystem::exists(missing));
  // The next try still has every byte.
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(ReadFile(target), data);
  EXPECT_EQ(boxes.fileDialogs.at(0).fileName.substr(0, 8), "DWL_ERR_");

  // Closing saves nothing.
  boxes.fileDialogs.clear();
  CDlgAqcuired closed(&data, FALSE, nullptr);
  EXPECT_EQ(RunDialog<CDlgAqcuired>(closed, [](CDlgAqcuired& d) { d.SendMessage(WM_COMMAND, IDCANCEL, 0); }), IDCANCEL);
  EXPECT_TRUE(boxes.fileDialogs.empty());
}

TEST_F(RecordDialogsTest, DataDialogGrowsItsTextBoxAndKeepsItsFirstSize) {
  const std::string data = "line\r\n";
  CDlgAqcuired dlg(&data, FALSE, nullptr);
  CRect client0{}, save0{}, close0{}, text0{}, client1{}, save1{}, close1{}, text1{}, client2{};
  auto rectOf = [](CDlgAqcuired& d, UINT id) {
    CRect rc(0, 0, 0, 0);
    d.GetDlgItem(static_cast<int>(id))->GetWindowRect(&rc);
    d.ScreenToClient(&rc);
    return rc;
  };
  RunDialog<CDlgAqcuired>(dlg, [&](CDlgAqcuired& d) {
    d.GetClientRect(&client0);
    save0 = rectOf(d, CDlgAqcuired::kSave);
    close0 = rectOf(d, CDlgAqcuired::kClose);
    text0 = rectOf(d, CDlgAqcuired::kText);
    CRect outer;
    d.GetWindowRect(&outer);
    d.MoveWindow(outer.left, outer.top, outer.Width() + 120, outer.Height() + 80);
    PumpUntil([&] {
      CRect rc;
      d.GetClientRect(&rc);
      return rc.Width() >= client0.Width() + 120;
    });
    d.GetClientRect(&client1);
    save1 = rectOf(d, CDlgAqcuired::kSave);
    close1 = rectOf(d, CDlgAqcuired::kClose);
    text1 = rectOf(d, CDlgAqcuired::kText);
    d.MoveWindow(outer.left, outer.top, 50, 40);
    PumpAllPendingMessages();
    d.GetClientRect(&client2);
    d.SendMessage(WM_COMMAND, IDCANCEL, 0);
  });
  const int dx = client1.Width() - client0.Width(), dy = client1.Height() - client0.Height();
  EXPECT_EQ(dx, 120);
  EXPECT_EQ(dy, 80);
  EXPECT_EQ(save1, CRect(save0.left + dx, save0.top, save0.right + dx, save0.bottom));
  EXPECT_EQ(close1, CRect(close0.left + dx, close0.top, close0.right + dx, close0.bottom));
  EXPECT_EQ(text1, CRect(text0.left, text0.top, text0.right + dx, text0.bottom + dy));
  // Never smaller than it first was.
  EXPECT_EQ(client2.Width(), client0.Width());
  EXPECT_EQ(client2.Height(), client0.Height());
}
