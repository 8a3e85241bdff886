#pragma once
// The Data-recording page against the logger simulator: the range dialog
// and the downloaded-data dialog answered as an operator answers them, what
// they showed kept for the test.

#include <unistd.h>

#include <QTimer>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>

#include "app/DlgAqcuired.h"
#include "app/DlgInputRdALLID.h"
#include "app/DlgWorking.h"
#include "tests/app/PanelFixture.h"
#include "tests/support/TestFolder.h"

class RecordingTest : public PanelTest {
 protected:
  using Page = CDlgMainRecodeData;
  using Range = CDlgInputRdALLID;

  struct RangeSeen {
    std::string text, lastId, count;
    bool refused = false;
  };
  struct DataSeen {
    std::string shown;  // the text box
    std::string held;   // the bytes behind it
    int errorLog = 0;
  };

  void SetUp() override {
    PanelTest::SetUp();
    savePath = (dir / "download.txt").string();
  }
  void TearDown() override {
    abortPoll.reset();
    PanelTest::TearDown();
  }

  // Connects, then answers the page's dialogs from here on.
  bool ConnectAndWatch() {
    if (!ConnectOk()) return false;
    CDialog::SetModalHook([this](CDialog* d) {
      if (auto* r = dynamic_cast<Range*>(d)) OnRange(*r);
      if (auto* a = dynamic_cast<CDlgAqcuired*>(d)) OnData(*a);
    });
    return true;
  }

  Page& Recording() { return Panel().m_pageRecodeData; }
  size_t Sent() const { return sim.ReceivedCommands().size(); }

  // The logger's records from `first` on, as it sends them.
  std::string Records(int first, int count) const {
    std::string text;
    for (int i = 0; i < count; ++i) text += sim.RecordLine((first + i) % Range::kNumbers) + "\r\n";
    return text;
  }
  static int LineCount(const std::string& text) {
    int n = 0;
    for (char c : text) n += c == '\n' ? 1 : 0;
    return n;
  }
  static std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  int Escapes(size_t since) const {
    int n = 0;
    for (const std::string& c : SentSince(since)) n += c == "\x1b" ? 1 : 0;
    return n;
  }

  // The download failed with its one box, and then offered what had come.
  void ExpectFailureOffering(const std::string& came) {
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, "エラー！ 失敗しました");
    EXPECT_EQ(boxes.boxes[0].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
    ASSERT_EQ(data.size(), 1u);
    EXPECT_EQ(data[0].held, came);
  }

  // Presses the progress window's abort button as soon as it counts lines.
  void AbortWhenCounting() {
    abortPoll = std::make_unique<QTimer>();
    abortPoll->setInterval(1);
    QObject::connect(abortPoll.get(), &QTimer::timeout, [this] {
      if (g_pCurWorkingDlg == nullptr) return;
      const std::string text = g_pCurWorkingDlg->GetDlgItemText(CDlgWorking::kCaption);
      if (text.find("( ") == std::string::npos) return;
      progressSeen = text;
      g_pCurWorkingDlg->SendMessage(WM_COMMAND, MAKEWPARAM(CDlgWorking::kAbort, BN_CLICKED), 0);
      abortPoll->stop();
    });
    abortPoll->start();
  }

  // Range dialog: typed texts (none: the proposal stands), then OK; a
  // dialog that stays open is cancelled.
  std::optional<std::string> typeLast, typeCount;
  std::function<void()> onRange;
  std::vector<RangeSeen> ranges;
  // Data dialog: saved to savePath when set, else closed.
  bool save = false;
  std::string savePath;
  std::vector<DataSeen> data;
  std::string progressSeen;
  TestFolder folder{"recording"};
  std::filesystem::path dir = folder.Path();

 private:
  void OnRange(Range& r) {
    RangeSeen seen{r.GetDlgItemText(Range::kRangeText), r.GetDlgItemText(Range::kLastIdEdit),
                   r.GetDlgItemText(Range::kCountEdit)};
    if (onRange) onRange();
    if (typeLast) r.SetDlgItemText(Range::kLastIdEdit, *typeLast);
    if (typeCount) r.SetDlgItemText(Range::kCountEdit, *typeCount);
    r.SendMessage(WM_COMMAND, IDOK, 0);
    if (r.IsWindowVisible()) {
      seen.refused = true;
      r.SendMessage(WM_COMMAND, IDCANCEL, 0);
    }
    ranges.push_back(seen);
  }
  void OnData(CDlgAqcuired& a) {
    data.push_back({a.GetDlgItemText(CDlgAqcuired::kText), a.m_pData ? *a.m_pData : "", a.m_bErrorLog});
    if (save) boxes.AnswerPath(savePath);
    a.SendMessage(WM_COMMAND, save ? IDOK : IDCANCEL, 0);
  }

  std::unique_ptr<QTimer> abortPoll;
};
