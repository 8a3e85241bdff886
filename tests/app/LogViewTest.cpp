#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TerminalTestSupport.h"
#include "app/LogView.h"
#include "tests/support/TestFolder.h"
#include "ui/RecordingMessageService.h"

namespace {

class LogViewTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureQtApplication(); }

  void Type(const std::string& chars) { view.InputChars(chars.data(), static_cast<int32_t>(chars.size())); }
  std::string Sent() const {
    std::string bytes;
    view.GetInputLine(bytes);
    return bytes;
  }

  CLogView view;
};

TEST_F(LogViewTest, LineFeedFinishesALineAndTheRestIsThePrompt) {
  view.AppendText(Received("AB\r\nC"));
  ASSERT_EQ(view.Lines().GetCount(), 1);
  EXPECT_EQ(TextOf(view.Lines().At(0)), "AB\r\n");
  EXPECT_EQ(TextOf(view.UnfinishedLine()), "C");

  view.AppendText({});
  EXPECT_EQ(view.Lines().GetCount(), 1);
}

TEST_F(LogViewTest, ALongRunIsCutAfter2001Characters) {
  view.AppendText(Received(std::string(2001, 'x')));
  ASSERT_EQ(view.Lines().GetCount(), 1);
  EXPECT_EQ(view.Lines().At(0).GetSize(), 2001);
  EXPECT_TRUE(view.UnfinishedLine().IsEmpty());

  view.AppendText(Received("y"));
  EXPECT_EQ(TextOf(view.UnfinishedLine()), "y");
  EXPECT_EQ(view.WidestColumn(), 2001);
}

TEST_F(LogViewTest, TheDisplayKeeps1500LinesAndSavesThemByteForByte) {
  std::string all;
  for (int i = 1; i <= 1501; ++i) all += "line " + std::to_string(i) + "\r\n";
  // A byte above 127 and a sent line must come back exactly as they passed.
  all += "\xB1\xFE\r\n";
  std::vector<uint16_t> entries = Received(all);
  for (char c : std::string("RD SYS\r\n")) entries.push_back(CLogData::Entry(static_cast<uint8_t>(c), CLogData::kSent));
  view.AppendText(entries);
  Type("typed, not saved");
  ASSERT_EQ(view.Lines().GetCount(), 1500);
  EXPECT_EQ(TextOf(view.Lines().At(0)), "line 4\r\n");

  const TestFolder folder("terminal");
  const std::string path = folder.File("save.log");
  RecordingMessageService service;
  service.AnswerPath(path);
  view.SaveLogFile();
  ASSERT_EQ(service.fileDialogs.size(), 1u);
  const FileDialogRequest& request = service.fileDialogs[0];
  EXPECT_FALSE(request.open);
  EXPECT_EQ(request.defaultExt, "log");
  EXPECT_EQ(request.flags, static_cast<DWORD>(OFN_OVERWRITEPROMPT));
  EXPECT_EQ(request.filter, "Log file(*.log)|*.log||");
  EXPECT_EQ(request.fileName.rfind("DWL_", 0), 0u);
  EXPECT_EQ(request.fileName.size(), std::string("DWL_20260101_000000.log").size());

  std::ifstream in(path, std::ios::binary);
  std::stringstream saved;
  saved << in.rdbuf();
  const std::string expected = all.substr(all.find("line 4\r\n")) + "RD SYS\r\n";
  EXPECT_EQ(saved.str(), expected);
  EXPECT_TRUE(service.boxes.empty());
}

TEST_F(LogViewTest, The1501stLineReplacesTheOldestAndSavingWritesLines2To1501) {
  std::string all;
  for (int i = 1; i <= 1501; ++i) all += std::to_string(i) + "\n";
  view.AppendText(Received(all));
  EXPECT_EQ(TextOf(view.Lines().At(0)), "2\n");
  EXPECT_EQ(TextOf(view.Lines().At(1499)), "1501\n");

  const TestFolder folder("terminal");
  const std::string path = folder.File("1501.log");
  RecordingMessageService service;
  service.AnswerPath(path);
  view.SaveLogFile();
  std::ifstream in(path, std::ios::binary);
  std::stringstream saved;
  saved << in.rdbuf();
  EXPECT_EQ(saved.str(), all.substr(2));
}

TEST_F(LogViewTest, ASaveThatCannotBeWrittenSaysSoAndACancelledOneWritesNothing) {
  view.AppendText(Received("a\n"));
  RecordingMessageService service;
  service.CancelFileDialog();
  view.SaveLogFile();
  EXPECT_TRUE(service.boxes.empty());

  service.AnswerPath("/nonexistent-folder/x.log");
  view.SaveLogFile();
  ASSERT_EQ(service.boxes.size(), 1u);
  EXPECT_EQ(service.boxes[0].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST_F(LogViewTest, InputEditsAtTheCaretAndStopsAt255Characters) {
  Type("xyz");
  view.OnCursorKey(VK_LEFT);
  Type("ab");
  EXPECT_EQ(TextOf(view.InputLine()), "xyabz");
  EXPECT_EQ(view.Caret(), 4);

  Type("\b");
  EXPECT_EQ(TextOf(view.InputLine()), "xyaz");
  for (int i = 0; i < 10; ++i) view.OnCursorKey(VK_LEFT);
  EXPECT_EQ(view.Caret(), 0);
  Type("\b");
  EXPECT_EQ(TextOf(view.InputLine()), "xyaz");
  for (int i = 0; i < 10; ++i) view.OnCursorKey(VK_RIGHT);
  EXPECT_EQ(view.Caret(), 4);

  EXPECT_TRUE(view.DeleteAtCaret() == false);
  view.OnCursorKey(VK_LEFT);
  EXPECT_TRUE(view.DeleteAtCaret());
  EXPECT_EQ(TextOf(view.InputLine()), "xya");

  Type(std::string(300, 'q'));
  EXPECT_EQ(view.InputLine().GetSize(), 255);
  for (int i = 0; i < view.InputLine().GetSize(); ++i) EXPECT_EQ(CLogData::Mark(view.InputLine()[i]), CLogData::kTyped);
}

TEST_F(LogViewTest, EnterAndEscHandTheLineOverButOnlyEnterKeepsItInTheHistory) {
  Type("\n");
  EXPECT_EQ(Sent(), "");
  EXPECT_EQ(view.History().GetCount(), 0);
  view.OnCursorKey(VK_UP);
  EXPECT_TRUE(view.InputLine().IsEmpty());

  Type("RD SYS\n");
  EXPECT_EQ(Sent(), "RD SYS");
  EXPECT_TRUE(view.InputLine().IsEmpty());
  EXPECT_EQ(view.Caret(), 0);

  Type("abc\x1b");
  EXPECT_EQ(Sent(), "abc\x1b");
  EXPECT_TRUE(view.InputLine().IsEmpty());
  EXPECT_EQ(view.History().GetCount(), 1);
}

TEST_F(LogViewTest, HistoryRecallStopsAtTheOldestAndTheNewest) {
  Type("one\ntwo\nthree\n");
  view.OnCursorKey(VK_UP);
  EXPECT_EQ(TextOf(view.InputLine()), "three");
  EXPECT_EQ(view.Caret(), 5);
  view.OnCursorKey(VK_UP);
  view.OnCursorKey(VK_UP);
  EXPECT_EQ(TextOf(view.InputLine()), "one");
  view.OnCursorKey(VK_UP);
  EXPECT_EQ(TextOf(view.InputLine()), "one");
  view.OnCursorKey(VK_DOWN);
  view.OnCursorKey(VK_DOWN);
  EXPECT_EQ(TextOf(view.InputLine()), "three");
  view.OnCursorKey(VK_DOWN);
  EXPECT_EQ(TextOf(view.InputLine()), "three");

  // Only the last 50 entered lines are kept.
  for (int i = 0; i < 60; ++i) Type(std::string("l").append(std::to_string(i)).append("\n"));
  EXPECT_EQ(view.History().GetCount(), 50);
  EXPECT_EQ(TextOf(view.History().At(0)), "l10");
}

}  // namespace
