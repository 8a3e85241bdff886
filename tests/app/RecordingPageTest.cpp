// The Data-recording page through its buttons against the logger simulator:
// the download road with its range cases and its save, the abort, each way a
// logger fails a download, the error log and the clear.
#include <algorithm>
#include <regex>

#include "app/LogView.h"
#include "tests/app/RecordingFixture.h"

namespace {
const UINT kConfirmType = MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2;
constexpr const char* kFailed = "エラー！ 失敗しました";
}  // namespace

TEST_F(RecordingTest, DownloadProposesTheHeldRangeAndSavesWhatTheLoggerSent) {
  sim.SetRecords(1, 10);
  ASSERT_TRUE(ConnectAndWatch());
  EXPECT_TRUE(Enabled(Recording(), Page::kReadData));
  EXPECT_TRUE(Enabled(Recording(), Page::kReadErrorLog));
  save = true;
  const size_t before = Sent();
  Click(Recording(), Page::kReadData);

  // The system record is read again first, so the range is the logger's now.
  EXPECT_EQ(SentSince(before), (std::vector<std::string>{"RD SYS", "RD ALL 1 10"}));
  ASSERT_EQ(ranges.size(), 1u);
  EXPECT_EQ(ranges[0].text, "データ数: 10   (ID: 1 - ID: 10)");
  EXPECT_EQ(ranges[0].lastId, "10");
  EXPECT_EQ(ranges[0].count, "10");
  ASSERT_EQ(data.size(), 1u);
  EXPECT_EQ(data[0].held, Records(1, 10));
  EXPECT_EQ(data[0].shown, Records(1, 10));
  EXPECT_EQ(data[0].errorLog, 0);
  EXPECT_EQ(ReadFile(savePath), Records(1, 10));
  EXPECT_EQ(boxes.fileDialogs.at(0).fileName.substr(0, 8), "DWL_ALL_");
  EXPECT_TRUE(boxes.boxes.empty());
  EXPECT_TRUE(frame->IsWindowEnabled());
}

TEST_F(RecordingTest, DownloadRangeCases) {
  ASSERT_TRUE(ConnectAndWatch());
  const struct {
    int first, held;                     // the logger's memory
    const char *typedLast, *typedCount;  // null: the proposal stands
    const char* proposal;
    const char* command;  // null: the range dialog refuses
    int from, count;      // the records that come
  } cases[] = {
      // The ring wraps after 99999.
      {99990, 16, nullptr, nullptr, "データ数: 16   (ID: 99990 - ID: 5)", "RD ALL 99990 16", 99990, 16},
      // One record: first = last.
      {7, 1, nullptr, nullptr, "データ数: 1   (ID: 7 - ID: 7)", "RD ALL 7 1", 7, 1},
      // A count above what is held is cut to the numbers up to the last one.
      {1, 10, nullptr, "50", nullptr, "RD ALL 1 10", 1, 10},
      {1, 10, "8", "50", nullptr, "RD ALL 1 8", 1, 8},
      // Fewer than held: the newest of them.
      {1, 10, nullptr, "3", nullptr, "RD ALL 8 3", 8, 3},
      // From record 0: the start is 0, not 100000.
      {0, 10, "5", "6", nullptr, "RD ALL 0 6", 0, 6},
      // Nothing held: nothing to read (the dialog's other refusals are its own test's).
      {1, 0, nullptr, nullptr, "データ数: 0   (ID: 0 - ID: 0)", nullptr, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.first) + " x" + std::to_string(c.held));
    sim.SetRecords(c.first, c.held);
    ranges.clear();
    data.clear();
    typeLast = c.typedLast ? std::optional<std::string>(c.typedLast) : std::nullopt;
    typeCount = c.typedCount ? std::optional<std::string>(c.typedCount) : std::nullopt;
    const size_t before = Sent();
    Click(Recording(), Page::kReadData);
    ASSERT_EQ(ranges.size(), 1u);
    if (c.proposal) {
      EXPECT_EQ(ranges[0].text, c.proposal);
    }
    if (c.command == nullptr) {
      EXPECT_TRUE(ranges[0].refused);
      EXPECT_EQ(SentSince(before), std::vector<std::string>{"RD SYS"});
      EXPECT_TRUE(data.empty());
      continue;
    }
    EXPECT_EQ(SentSince(before), (std::vector<std::string>{"RD SYS", c.command}));
    ASSERT_EQ(data.size(), 1u);
    EXPECT_EQ(data[0].held, Records(c.from, c.count));
  }
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(RecordingTest, AFullRingDownloadsWhole) {
  sim.SetRecords(5, Range::kNumbers);
  ASSERT_TRUE(ConnectAndWatch());
  const size_t before = Sent();
  Click(Recording(), Page::kReadData);
  ASSERT_EQ(ranges.size(), 1u);
  EXPECT_EQ(ranges[0].text, "データ数: 100000   (ID: 5 - ID: 4)");
  EXPECT_EQ(SentSince(before), (std::vector<std::string>{"RD SYS", "RD ALL 5 100000"}));
  ASSERT_EQ(data.size(), 1u);
  EXPECT_EQ(LineCount(data[0].held), Range::kNumbers);
  EXPECT_TRUE(data[0].held == Records(5, Range::kNumbers));
  EXPECT_TRUE(boxes.boxes.empty());
  // Megabytes that nothing needs once the dialog has closed.
  EXPECT_EQ(Recording().m_strData.capacity(), std::string().capacity());
}

TEST_F(RecordingTest, AbortSendsEscAndShowsTheRecordsUntilTheLoggerEndsTheData) {
  sim.SetRecords(1, Range::kNumbers);
  ASSERT_TRUE(ConnectAndWatch());
  // Records at the pace of a serial line, which stop soon after the ESC.
  sim.InjectFault({sim::FaultKind::Pace, "RD ALL", 1, 2});
  const size_t before = Sent();
  AbortWhenCounting();
  Click(Recording(), Page::kReadData);

  // The progress window counted the lines against the count asked for.
  EXPECT_TRUE(std::regex_match(progressSeen, std::regex(R"(通信中 \( \d+ / 100000 \))"))) << progressSeen;
  const std::vector<std::string> sent = SentSince(before);
  ASSERT_GE(sent.size(), 3u);
  EXPECT_EQ(sent[1], "RD ALL 1 100000");
  EXPECT_EQ(sent[2], "\x1b");
  // The logger's "NOT END" after an abort is a success with what came.
  EXPECT_TRUE(boxes.boxes.empty()) << boxes.boxes[0].text;
  ASSERT_EQ(data.size(), 1u);
  const int lines = LineCount(data[0].held);
  EXPECT_GT(lines, 0);
  EXPECT_LT(lines, Range::kNumbers);
  EXPECT_TRUE(data[0].held == Records(1, lines));  // whole lines, in order
}

TEST_F(RecordingTest, TheAbortsEscShowsInTheTerminalAndTheTrafficLog) {
  sim.SetRecords(1, 1000);
  ASSERT_TRUE(ConnectAndWatch());
  const std::string path = (dir / "traffic.log").string();
  boxes.AnswerPath(path);
  ASSERT_TRUE(frame->RunCommand(CMainFrame::ID_LOG_RECORD));
  sim.InjectFault({sim::FaultKind::Pace, "RD ALL", 1, 2});
  AbortWhenCounting();
  Click(Recording(), Page::kReadData);
  ASSERT_TRUE(frame->RunCommand(CMainFrame::ID_LOG_RECORD));  // recording off

  const std::string log = ReadFile(path);
  const size_t command = log.find("RD ALL");
  ASSERT_NE(command, std::string::npos);
  EXPECT_NE(log.find('\x1b', command), std::string::npos);
  // The terminal, hidden since the frame made it, shows the ESC as sent once
  // it is opened.
  ASSERT_TRUE(frame->RunCommand(CMainFrame::ID_TERMINAL));
  const CRingLogBuffer& lines = theApp.m_dlgTerminal.GetView()->Lines();
  const auto showsEsc = [&lines] {
    for (int32_t i = 0; i < lines.GetCount(); ++i) {
      const std::vector<uint16_t>& entries = lines.At(i).Data();
      if (std::count(entries.begin(), entries.end(), CLogData::Entry(0x1b, CLogData::kSent)) != 0) return true;
    }
    return false;
  };
  EXPECT_TRUE(PumpUntil(showsEsc));
}

TEST_F(RecordingTest, AbortOfALoggerThatIgnoresEscFailsButOffersWhatCame) {
  sim.SetRecords(1, Range::kNumbers);
  ASSERT_TRUE(ConnectAndWatch());
  sim.InjectFault({sim::FaultKind::IgnoreEsc, "RD ALL", 1});
  const size_t before = Sent();
  AbortWhenCounting();
  Click(Recording(), Page::kReadData);

  // ESC at once and again at the tenth pass; after the hundredth pass
  // without the end of the data the download fails.
  ASSERT_TRUE(PumpUntil([&] { return Escapes(before) >= 2; }));
  EXPECT_EQ(Escapes(before), 2);
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, kFailed);
  EXPECT_EQ(boxes.boxes[0].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
  ASSERT_EQ(data.size(), 1u);
  const int lines = LineCount(data[0].held);
  EXPECT_GT(lines, 100);
  EXPECT_LT(lines, Range::kNumbers);
  EXPECT_TRUE(data[0].held == Records(1, lines));
}

TEST_F(RecordingTest, ALoggerThatGivesUpPartWayFailsButOffersWhatCame) {
  sim.SetRecords(1, 100);
  ASSERT_TRUE(ConnectAndWatch());
  for (sim::FaultKind kind : {sim::FaultKind::GiveUp, sim::FaultKind::GiveUpNg}) {
    boxes.boxes.clear();
    data.clear();
    sim.InjectFault({kind, "RD ALL", 1, 0, 40});
    const size_t before = Sent();
    Click(Recording(), Page::kReadData);
    EXPECT_EQ(SentSince(before), (std::vector<std::string>{"RD SYS", "RD ALL 1 100"}));
    ExpectFailureOffering(Records(1, 40));
  }
}

TEST_F(RecordingTest, ThirtySecondsWithoutALineFailButKeepTheRecords) {
  sim.SetRecords(1, 100);
  ASSERT_TRUE(ConnectAndWatch());
  // "OK" and five records, then nothing more.
  sim.InjectFault({sim::FaultKind::Stall, "RD ALL", 1, 0, 6});
  uint32_t started = 0;
  onRange = [&] {
    timeScale.Set(0.05);
    started = platform::TickCount();
  };
  Click(Recording(), Page::kReadData);
  EXPECT_GE(platform::TickCount() - started, CKX2Device::kSilenceMs);
  ExpectFailureOffering(Records(1, 5));
}

TEST_F(RecordingTest, AStartRefusedThreeTimesFailsWithNothingToShow) {
  sim.SetRecords(1, 10);
  ASSERT_TRUE(ConnectAndWatch());
  sim.InjectFault({sim::FaultKind::Ng, "RD ALL", 3});
  const size_t before = Sent();
  Click(Recording(), Page::kReadData);
  EXPECT_EQ(SentSince(before), (std::vector<std::string>{"RD SYS", "RD ALL 1 10", "RD ALL 1 10", "RD ALL 1 10"}));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, kFailed);
  EXPECT_TRUE(data.empty());
  EXPECT_TRUE(frame->IsWindowEnabled());
}

TEST_F(RecordingTest, ErrorLogIsShownAndSavedAsTheLoggerSentIt) {
  ASSERT_TRUE(ConnectAndWatch());
  // Text of the logger's own code page, not UTF-8.
  const std::vector<std::string> log = {"24/03/05 14:00:00,E01,\x83\x47\x83\x89\x81\x5B",
                                        "24/03/06 09:30:00,E21,\xff\xfe"};
  sim.Update([&](sim::SimState& s) { s.errorLog = log; });
  save = true;
  const size_t before = Sent();
  Click(Recording(), Page::kReadErrorLog);
  EXPECT_EQ(SentSince(before), std::vector<std::string>{"RD ERR"});
  const std::string expected = log[0] + "\r\n" + log[1] + "\r\n";
  ASSERT_EQ(data.size(), 1u);
  EXPECT_EQ(data[0].errorLog, 1);
  EXPECT_EQ(data[0].held, expected);
  EXPECT_NE(data[0].shown.find("24/03/06 09:30:00,E21,\xEF\xBF\xBD"), std::string::npos);
  EXPECT_EQ(ReadFile(savePath), expected);
  EXPECT_EQ(boxes.fileDialogs.at(0).fileName.substr(0, 8), "DWL_ERR_");
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(RecordingTest, ErrorLogFailuresSayWhy) {
  ASSERT_TRUE(ConnectAndWatch());
  sim.InjectFault({sim::FaultKind::Ng, "RD ERR", 3});
  size_t before = Sent();
  Click(Recording(), Page::kReadErrorLog);
  EXPECT_EQ(SentSince(before), (std::vector<std::string>{"RD ERR", "RD ERR", "RD ERR"}));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, kFailed);

  theApp.m_device.ClosePort();
  Panel().UpdatePages();
  EXPECT_FALSE(Enabled(Recording(), Page::kReadData));
  EXPECT_FALSE(Enabled(Recording(), Page::kReadErrorLog));
  EXPECT_TRUE(Enabled(Recording(), Page::kClearData));
  before = Sent();
  Click(Recording(), Page::kReadErrorLog);
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[1].text, "エラー！ 機器と接続していません");
  EXPECT_TRUE(SentSince(before).empty());
  EXPECT_TRUE(data.empty());
}

TEST_F(RecordingTest, ClearAsksFirstThenEmptiesTheLoggerAndRefreshesThePages) {
  sim.SetRecords(1, 10);
  ASSERT_TRUE(ConnectAndWatch());
  size_t before = Sent();
  Click(Recording(), Page::kClearData);  // Cancel is the default answer
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].caption, "Clear");
  EXPECT_EQ(boxes.boxes[0].type, kConfirmType);
  EXPECT_EQ(boxes.boxes[0].text.find("データとエラーログを消去します。"), 0u);
  EXPECT_TRUE(SentSince(before).empty());
  EXPECT_EQ(Text(CDlgMainSystem::kRecordRange), "1 - 10");

  boxes.Answer(IDOK);
  before = Sent();
  Click(Recording(), Page::kClearData);
  EXPECT_EQ(SentSince(before), (std::vector<std::string>{"HELLO", "ST CLR", "RD SYS"}));
  ASSERT_EQ(boxes.boxes.size(), 3u);
  EXPECT_EQ(boxes.boxes[2].text, "成功");
  EXPECT_EQ(boxes.boxes[2].caption, "");
  EXPECT_EQ(boxes.boxes[2].type, static_cast<UINT>(MB_OK));
  // Every page shows the memory as read again after the clear.
  EXPECT_EQ(Text(CDlgMainSystem::kRecordRange), "");
  EXPECT_TRUE(frame->IsWindowEnabled());
}

TEST_F(RecordingTest, AClearTheLoggerNeverConfirmsFailsAfterThreeTriesOfFortyFiveSeconds) {
  ASSERT_TRUE(ConnectAndWatch());
  SilenceFor("ST CLR");
  timeScale.Set(0.005);
  boxes.Answer(IDOK);
  const size_t before = Sent();
  const uint32_t took = Elapsed([&] { Click(Recording(), Page::kClearData); });
  int tries = 0;
  for (const std::string& c : SentSince(before)) tries += c == "ST CLR" ? 1 : 0;
  EXPECT_EQ(tries, 3);
  EXPECT_GE(took, 3 * 45000u);
  ASSERT_EQ(boxes.boxes.size(), 2u);
  EXPECT_EQ(boxes.boxes[1].text, kFailed);
  EXPECT_TRUE(frame->IsWindowEnabled());
}

TEST_F(RecordingTest, AnOperationAskedForBesideAnotherIsRefusedAndSaysSo) {
  sim.SetRecords(1, 10);
  ASSERT_TRUE(ConnectAndWatch());
  // A slow time synchronisation on the System page; meanwhile clicks reach
  // this page (posted, as no window but the progress window takes input).
  sim.InjectFault({sim::FaultKind::Delay, "MAIL TIME", 1, 2000});
  boxes.Answer(IDOK);  // the synchronisation
  const size_t before = Sent();
  WhenPumped([&] {
    Click(Recording(), Page::kClearData);
    Click(Recording(), Page::kReadData);
  });
  Click(System(), CDlgMainSystem::kTimeSync);

  for (const std::string& c : SentSince(before)) {
    EXPECT_NE(c, "ST CLR");
    EXPECT_EQ(c.find("RD ALL"), std::string::npos);
  }
  // Each says that another operation runs, before any confirmation or range.
  const std::string busy = res::LoadString(res::kStrBusy);
  ASSERT_EQ(boxes.boxes.size(), 4u);
  EXPECT_EQ(boxes.boxes[1].text, busy);
  EXPECT_EQ(boxes.boxes[2].text, busy);
  EXPECT_EQ(boxes.boxes[3].text, "成功");
  EXPECT_TRUE(ranges.empty());
  EXPECT_TRUE(data.empty());
  EXPECT_TRUE(frame->IsWindowEnabled());
}
