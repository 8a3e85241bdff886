// Posted messages and pumps, the platform hooks, message boxes and file
// dialogs through the recording service.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

#include "UiTestSupport.h"
#include "platform/Hooks.h"
#include "res/StringTable.h"
#include "tests/support/qt/ModalDialogs.h"
#include "ui/Dialog.h"
#include "ui/FileDialog.h"
#include "ui/MessagePump.h"
#include "ui/QtMessageService.h"
#include "ui/RecordingMessageService.h"
#include "ui/WinAppEx.h"

namespace {
res::DialogTemplateData Empty() { return {9100, "空", 100, 50, res::DS_POPUP, "ＭＳ ゴシック", 9, {}}; }

class Counter : public CDialog {
 public:
  int commands = 0;
  intptr_t lastParam = 0;
  std::thread::id thread;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    if (LOWORD(wParam) != 505) return CDialog::OnCommand(wParam, lParam);
    ++commands;
    lastParam = lParam;
    thread = std::this_thread::get_id();
    return TRUE;
  }
};

void Drain() {
  while (PendingMessageCount() > 0) PumpAllPendingMessages();
}
}  // namespace

TEST(MessagePump, PostFromAWorkerArrivesOnTheUserInterfaceThread) {
  Counter wnd;
  ASSERT_TRUE(wnd.CreateIndirect(Empty()));
  HWND h = wnd.m_hWnd;
  EXPECT_TRUE(platform::IsWindow(h));
  std::atomic<int> posted{0};
  std::thread worker([&] {
    for (int i = 0; i < 50; ++i) posted += platform::PostCommand(h, 505, i) ? 1 : 0;
    EXPECT_EQ(PumpMessages(201), 0);  // not the user-interface thread
  });
  worker.join();
  EXPECT_EQ(posted, 50);
  // The ordinary event loop delivers them.
  ASSERT_TRUE(RunUntil([&] { return wnd.commands == 50; }));
  EXPECT_EQ(wnd.lastParam, 49);
  EXPECT_EQ(wnd.thread, std::this_thread::get_id());
  wnd.DestroyWindow();
  EXPECT_FALSE(platform::IsWindow(h));
  EXPECT_FALSE(platform::PostCommand(h, 505, 0));
  EXPECT_FALSE(platform::PostCommand(0, 505, 0));
}

TEST(MessagePump, BoundedPumpHandlesAtMost201OfMany) {
  Drain();
  Counter wnd;
  ASSERT_TRUE(wnd.CreateIndirect(Empty()));
  for (int i = 0; i < 500; ++i) ASSERT_TRUE(wnd.PostMessage(WM_COMMAND, 505, i));
  EXPECT_EQ(PumpMessages(201), 201);
  EXPECT_EQ(wnd.commands, 201);
  EXPECT_EQ(PendingMessageCount(), 299u);
  EXPECT_EQ(PumpAllPendingMessages(), 299);
  EXPECT_EQ(wnd.commands, 500);
  EXPECT_EQ(PumpMessages(201), 0);
}

TEST(MessagePump, MessagesOfADestroyedWindowAreDropped) {
  Drain();
  auto wnd = std::make_unique<Counter>();
  ASSERT_TRUE(wnd->CreateIndirect(Empty()));
  wnd->PostMessage(WM_COMMAND, 505, 1);
  wnd.reset();
  EXPECT_EQ(PumpAllPendingMessages(), 1);  // taken, delivered to nobody
}

TEST(MessagePump, ThreadSafeInvalidateIsPosted) {
  Drain();
  Counter wnd;
  ASSERT_TRUE(wnd.CreateIndirect(Empty()));
  std::thread([&] { wnd.InvalidateFromAnyThread(); }).join();
  EXPECT_EQ(PendingMessageCount(), 1u);
  EXPECT_EQ(PumpAllPendingMessages(), 1);
}

// A progress count posted faster than the window thread takes it: only the
// latest waits, also past a message posted between two counts.
TEST(MessagePump, ALatestValueTakesOverItsWaitingMessage) {
  Drain();
  Counter wnd;
  ASSERT_TRUE(wnd.CreateIndirect(Empty()));
  const HWND h = wnd.m_hWnd;
  std::thread([h] {
    for (int i = 1; i <= 1000; ++i) PostLatestWindowMessage(h, WM_COMMAND, 505, i);
  }).join();
  EXPECT_EQ(PendingMessageCount(), 1u);
  EXPECT_EQ(PumpAllPendingMessages(), 1);
  EXPECT_EQ(wnd.lastParam, 1000);

  PostLatestWindowMessage(h, WM_COMMAND, 505, 1);
  PostWindowMessage(h, WM_COMMAND, 600, 0);
  PostLatestWindowMessage(h, WM_COMMAND, 505, 2);
  PostLatestWindowMessage(h, WM_COMMAND, 506, 3);  // another command: its own message
  EXPECT_EQ(PendingMessageCount(), 3u);
  Drain();
  EXPECT_EQ(wnd.commands, 2);
  EXPECT_EQ(wnd.lastParam, 2);
  EXPECT_FALSE(PostLatestWindowMessage(0, WM_COMMAND, 505, 0));
}

// The background runner sleeps here for as long as a reply takes: a wake from
// another thread and a message posted meanwhile must both end the sleep.
TEST(MessagePump, AWaitForWindowEventsEndsOnAWakeAndDispatchesWhatWasPosted) {
  Drain();
  Counter wnd;
  ASSERT_TRUE(wnd.CreateIndirect(Empty()));
  // Should nothing end the wait, this fails the test instead of hanging it.
  bool rescued = false;
  QTimer rescue;
  rescue.setSingleShot(true);
  QObject::connect(&rescue, &QTimer::timeout, [&] { rescued = true; });
  rescue.start(5000);

  std::thread waker([] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    WakeUiThread();
  });
  WaitForWindowEvents();
  waker.join();
  EXPECT_FALSE(rescued);

  const HWND h = wnd.m_hWnd;
  std::thread poster([h] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    platform::PostCommand(h, 505, 3);
  });
  while (wnd.commands == 0 && !rescued) WaitForWindowEvents();
  poster.join();
  EXPECT_FALSE(rescued);
  EXPECT_EQ(wnd.commands, 1);
  EXPECT_EQ(wnd.lastParam, 3);
}

TEST(MessageService, BoxesAreRecordedAndAnswered) {
  RecordingMessageService boxes;
  Counter owner;
  ASSERT_TRUE(owner.CreateIndirect(Empty()));
  EXPECT_EQ(owner.MessageBox("応答がありません", "Error!", MB_ICONEXCLAMATION), IDOK);
  boxes.Answer(IDCANCEL);
  EXPECT_EQ(owner.MessageBox("同期しますか?", "Time Synchronization", MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2),
            IDCANCEL);
  // Unanswered: the default button.
  EXPECT_EQ(owner.MessageBox("q", "c", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
  EXPECT_EQ(owner.MessageBox("q", "c", MB_YESNO), IDYES);
  EXPECT_EQ(AfxMessageBox("Memory error!", MB_ICONEXCLAMATION), IDOK);

  ASSERT_EQ(boxes.boxes.size(), 5u);
  EXPECT_EQ(boxes.boxes[0].text, "応答がありません");
  EXPECT_EQ(boxes.boxes[0].caption, "Error!");
  EXPECT_EQ(boxes.boxes[0].Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
  EXPECT_EQ(boxes.boxes[0].owner, owner.m_hWnd);
  EXPECT_EQ(boxes.boxes[1].Buttons(), static_cast<UINT>(MB_OKCANCEL));
  EXPECT_EQ(boxes.boxes[1].Icon(), static_cast<UINT>(MB_ICONQUESTION));
  // A null caption gives the application's name.
  const char* title = res::FindString(57344);
  EXPECT_EQ(boxes.boxes[4].caption, title ? std::string(title) : std::string("Kestrix2Comm"));
  EXPECT_EQ(ShowMessageBox(nullptr, "x", "", MB_OK), IDOK);
  EXPECT_EQ(boxes.boxes.back().caption, "");
}

TEST(MessageService, FileDialogsAreAnsweredWithPaths) {
  RecordingMessageService service;
  service.AnswerPath("/tmp/kx2/DWL_20240131_235959");
  CFileDialog save(FALSE, "log", "DWL_20240131_235959.log", OFN_OVERWRITEPROMPT, "Log file(*.log)|*.log||");
  ASSERT_EQ(save.DoModal(), IDOK);
  // The default extension joins a name typed without one.
  EXPECT_EQ(save.GetPathName(), "/tmp/kx2/DWL_20240131_235959.log");
  EXPECT_EQ(save.GetFileName(), "DWL_20240131_235959.log");
  EXPECT_EQ(save.GetFileExt(), "log");
  ASSERT_EQ(service.fileDialogs.size(), 1u);
  const FileDialogRequest& r = service.fileDialogs[0];
  EXPECT_FALSE(r.open);
  EXPECT_EQ(r.defaultExt, "log");
  EXPECT_EQ(r.fileName, "DWL_20240131_235959.log");
  EXPECT_EQ(r.filter, "Log file(*.log)|*.log||");
  EXPECT_TRUE(r.flags & OFN_OVERWRITEPROMPT);

  service.CancelFileDialog();
  CFileDialog open(TRUE, "hex", nullptr, 0, "HEX(*.hex)|*.hex||");
  EXPECT_EQ(open.DoModal(), IDCANCEL);
  EXPECT_TRUE(service.fileDialogs[1].open);
  // Nothing queued: cancelled as well, never a real dialog.
  EXPECT_EQ(open.DoModal(), IDCANCEL);
}

TEST(MessageService, FiltersBecomeQtFiltersThatShowEachPatternOnce) {
  EXPECT_EQ(QtFileFilter("Log file(*.log)|*.log||"), QStringLiteral("Log file(*.log)"));
  EXPECT_EQ(QtFileFilter("Text(*.txt)|*.txt|All|*.*||"), QStringLiteral("Text(*.txt);;All (*.*)"));
  EXPECT_EQ(QtFileFilter("Data (*.a;*.b)|*.b;*.a||"), QStringLiteral("Data (*.a;*.b)"));
  // Parentheses that are not the patterns keep the patterns beside them.
  EXPECT_EQ(QtFileFilter("HEX (firmware)|*.hex||"), QStringLiteral("HEX (firmware) (*.hex)"));
  EXPECT_EQ(QtFileFilter(""), QString());
}

// The real Qt dialogs, answered from inside their loops.
TEST(QtDialogs, StandardButtonsAndFileDialogsSpeakJapaneseAndShowThePatternOnce) {
  QtMessageService service;
  QStringList buttons;
  OnModal<QMessageBox>([&](QMessageBox& box) {
    for (QAbstractButton* b : box.buttons()) buttons << b->text();
    box.reject();
  });
  EXPECT_EQ(service.MessageBox(nullptr, "?", "Q", MB_OKCANCEL), IDCANCEL);
  EXPECT_TRUE(buttons.contains(QStringLiteral("キャンセル"))) << buttons.join(QLatin1Char(',')).toStdString();

  QString fileLabel;
  QStringList filters;
  OnModal<QFileDialog>([&](QFileDialog& dlg) {
    if (auto* label = dlg.findChild<QLabel*>(QStringLiteral("fileNameLabel"))) fileLabel = label->text();
    filters = dlg.nameFilters();
    dlg.reject();
  });
  FileDialogRequest request;
  request.open = false;
  request.filter = "Log file(*.log)|*.log||";
  EXPECT_FALSE(service.FileDialog(request));
  EXPECT_TRUE(fileLabel.startsWith(QStringLiteral("ファイル名"))) << fileLabel.toStdString();
  EXPECT_EQ(filters, QStringList{QStringLiteral("Log file(*.log)")});
}

TEST(QtDialogs, ABoxIsAsWideAsItsCaptionAndCaptionsLoseControlCharacters) {
  QtMessageService service;
  const std::string caption = "Time Synchronization of the logger clock with the server\r\n";
  int width = 0;
  QString title;
  int needed = 0;
  OnModal<QMessageBox>([&](QMessageBox& box) {
    width = box.width();
    title = box.windowTitle();
    QFont bold = box.font();
    bold.setBold(true);
    // The caption's text beside at least an icon and three window buttons.
    needed = QFontMetrics(bold).horizontalAdvance(title) + 4 * 16;
    box.reject();
  });
  service.MessageBox(nullptr, "OK?", caption, MB_OK);
  EXPECT_EQ(title, QStringLiteral("Time Synchronization of the logger clock with the server"));
  EXPECT_GE(width, needed);

  // A window keeps its text as set; only the title bar goes without CR LF.
  CDialog dlg;
  ASSERT_TRUE(dlg.CreateIndirect(Empty()));
  dlg.SetWindowText("Brimlet [Ver. 1.00]\r\n");
  EXPECT_EQ(dlg.GetWidget()->windowTitle(), QStringLiteral("Brimlet [Ver. 1.00]"));
  EXPECT_EQ(dlg.GetWindowText(), "Brimlet [Ver. 1.00]\r\n");
  dlg.DestroyWindow();
}
