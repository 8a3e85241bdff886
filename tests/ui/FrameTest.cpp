// The main frame: menu from the resources, update handlers, command routing,
// accelerators, the view painting through its device context, the document
// template, and the pictures.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <cstdio>

#include "UiTestSupport.h"
#include "tests/support/TestFolder.h"
#include "ui/DC.h"
#include "ui/Document.h"
#include "ui/FrameWndEx.h"
#include "ui/Image.h"
#include "ui/Images.h"
#include "ui/RecordingMessageService.h"
#include "ui/SingleDocTemplate.h"
#include "ui/View.h"
#include "ui/WinAppEx.h"

namespace {
constexpr UINT kConnect = 32771, kDisconnect = 32772, kLogRecord = 32776, kAbout = 32823, kNew = 57600;

class PaintedView : public CView {
 public:
  int draws = 0;
  int initialUpdates = 0;
  void OnDraw(CDC* dc) override {
    ++draws;
    dc->GetPainter()->fillRect(0, 0, 4, 4, Qt::black);
  }
  void OnInitialUpdate() override {
    ++initialUpdates;
    CView::OnInitialUpdate();
  }
};

class Frame : public CFrameWndEx {
 public:
  bool connected = false;
  bool recording = false;
  std::vector<UINT> ran;
  Frame() {
    MapCommand(kConnect, [this] { ran.push_back(kConnect); });
    MapCommand(kDisconnect, [this] { ran.push_back(kDisconnect); });
    MapCommand(kLogRecord, [this] { recording = !recording; });
    MapUpdateCommandUI(kConnect, [this](CCmdUI* ui) { ui->Enable(!connected); });
    MapUpdateCommandUI(kDisconnect, [this](CCmdUI* ui) { ui->Enable(connected); });
    MapUpdateCommandUI(kLogRecord, [this](CCmdUI* ui) { ui->SetCheck(recording ? 1 : 0); });
  }

 protected:
  BOOL PreCreateWindow(CREATESTRUCT& cs) override {
    cs.style &= ~(WS_THICKFRAME | WS_MAXIMIZEBOX);
    return CFrameWndEx::PreCreateWindow(cs);
  }
};

class App : public CWinAppEx {
 public:
  int abouts = 0;
  App() {
    MapCommand(kAbout, [this] { ++abouts; });
  }
};

// The single-document template of a plain document, the test frame and a
// painted view (whose address `view` receives once it is made).
CSingleDocTemplate* AddTemplate(CWinAppEx& app, PaintedView*& view) {
  auto* docTemplate = new CSingleDocTemplate(
      128, [] { return new CDocument; }, [] { return new Frame; },
      [&view] {
        view = new PaintedView;
        return view;
      });
  app.AddDocTemplate(docTemplate);
  return docTemplate;
}
}  // namespace

TEST(FrameWnd, MenuUpdateHandlersRoutingAndAccelerators) {
  App app;
  Frame frame;
  ASSERT_TRUE(frame.LoadFrame(128));
  auto* main = qobject_cast<QMainWindow*>(frame.GetWidget());
  ASSERT_NE(main, nullptr);
  QStringList tops;
  for (QAction* a : main->menuBar()->actions()) tops << a->text();
  EXPECT_EQ(tops, QStringList({"通信(&T)", "設定ファイル(&F)", "ヘルプ(&H)"}));

  EXPECT_TRUE(frame.QueryCommandUI(kConnect).m_bEnabled);
  EXPECT_FALSE(frame.QueryCommandUI(kDisconnect).m_bEnabled);
  EXPECT_TRUE(frame.QueryCommandUI(kAbout).m_bEnabled);  // the application handles it
  EXPECT_FALSE(frame.QueryCommandUI(32791).m_bEnabled);  // nobody handles it
  EXPECT_TRUE(frame.QueryCommandUI(ID_APP_EXIT).m_bEnabled);

  EXPECT_TRUE(frame.RunCommand(kConnect));
  EXPECT_FALSE(frame.RunCommand(kDisconnect));  // disabled: not run
  frame.connected = true;
  EXPECT_FALSE(frame.RunCommand(kConnect));
  EXPECT_TRUE(frame.RunCommand(kDisconnect));
  EXPECT_EQ(frame.ran, (std::vector<UINT>{kConnect, kDisconnect}));
  EXPECT_TRUE(frame.RunCommand(kAbout));
  EXPECT_EQ(app.abouts, 1);

  // Check marks follow the update handler.
  frame.RunCommand(kLogRecord);
  frame.UpdateMenuState();
  bool sawChecked = false;
  for (QAction* top : main->menuBar()->actions()) {
    for (QAction* a : top->menu()->actions()) {
      if (a->isCheckable() && a->isChecked()) sawChecked = true;
      if (a->text() == QStringLiteral("切断")) {
        EXPECT_TRUE(a->isEnabled());
      }
      if (a->text() == QStringLiteral("接続")) {
        EXPECT_FALSE(a->isEnabled());
      }
    }
  }
  EXPECT_TRUE(sawChecked);

  // Ctrl+N is in the accelerator table; with no handler it is disabled, so
  // it does nothing; a shortcut exists for it.
  bool hasCtrlN = false;
  for (QAction* a : main->actions()) hasCtrlN |= a->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_N);
  EXPECT_TRUE(hasCtrlN);
  EXPECT_FALSE(frame.RunCommand(kNew, true));

  // Without a sizing border the program still sizes the frame.
  frame.MoveWindow(100, 100, 688, 461);
  CRect rc;
  frame.GetWindowRect(&rc);
  EXPECT_EQ(rc.Width(), 688);
  EXPECT_EQ(rc.Height(), 461);
  CRect client;
  frame.GetClientRect(&client);
  EXPECT_EQ(client.Width(), 688);
  EXPECT_LT(client.Height(), 461);  // the menu bar is not client area
  frame.DestroyWindow();
}

TEST(FrameWnd, DocumentTemplateBuildsFrameAndViewThatPaints) {
  App app;
  PaintedView* view = nullptr;
  CSingleDocTemplate* docTemplate = AddTemplate(app, view);
  CCommandLineInfo info;
  app.ParseCommandLine(info);
  ASSERT_TRUE(app.ProcessShellCommand(info));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(AfxGetMainWnd(), docTemplate->GetFrame());
  EXPECT_EQ(view->initialUpdates, 1);
  EXPECT_EQ(view->GetDocument(), docTemplate->GetDocument());
  auto* frame = docTemplate->GetFrame();
  frame->MoveWindow(0, 0, 300, 200);
  frame->ShowWindow(SW_SHOW);
  QImage grabbed = frame->GetWidget()->grab().toImage();
  EXPECT_FALSE(grabbed.isNull());
  EXPECT_GE(view->draws, 1);
  // The view fills the client area.
  CRect client, viewRect;
  frame->GetClientRect(&client);
  view->GetClientRect(&viewRect);
  EXPECT_EQ(client, viewRect);
  app.CloseDocTemplates();
  EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

// The framework's document commands on an application that hands Ctrl+N and
// Ctrl+O to them, as the program's does; Ctrl+S is the document's own.
TEST(FrameWnd, DocumentCommandsNewOpenAndSaveAnEmptyDocument) {
  struct DocApp : App {
    DocApp() {
      MapCommand(ID_FILE_NEW, [this] { OnFileNew(); });
      MapCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    }
  } app;
  RecordingMessageService service;
  PaintedView* view = nullptr;
  CSingleDocTemplate* docTemplate = AddTemplate(app, view);
  CCommandLineInfo info;
  ASSERT_TRUE(app.ProcessShellCommand(info));
  CFrameWndEx* frame = docTemplate->GetFrame();
  CDocument* doc = docTemplate->GetDocument();
  EXPECT_EQ(doc->GetTitle(), "無題");

  // Save asks for a file the first time, proposing the title, and writes the
  // empty document; the second save goes to the same file without asking.
  const TestFolder folder("document");
  const std::string path = folder.File("kx2-document.txt");
  std::FILE* old = std::fopen(path.c_str(), "wb");
  ASSERT_NE(old, nullptr);
  std::fputs("old", old);
  std::fclose(old);
  service.AnswerPath(path);
  EXPECT_TRUE(frame->RunCommand(ID_FILE_SAVE, true));
  ASSERT_EQ(service.fileDialogs.size(), 1u);
  EXPECT_FALSE(service.fileDialogs[0].open);
  EXPECT_EQ(service.fileDialogs[0].fileName, "無題");
  EXPECT_TRUE(service.fileDialogs[0].flags & OFN_OVERWRITEPROMPT);
  EXPECT_EQ(doc->GetPathName(), path);
  EXPECT_EQ(doc->GetTitle(), "kx2-document.txt");
  std::FILE* saved = std::fopen(path.c_str(), "rb");
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(std::fgetc(saved), EOF);
  std::fclose(saved);
  EXPECT_TRUE(frame->RunCommand(ID_FILE_SAVE, true));
  EXPECT_EQ(service.fileDialogs.size(), 1u);

  // New empties it; the view starts afresh.
  const int updates = view->initialUpdates;
  EXPECT_TRUE(frame->RunCommand(ID_FILE_NEW, true));
  EXPECT_EQ(doc->GetPathName(), "");
  EXPECT_EQ(doc->GetTitle(), "無題");
  EXPECT_EQ(view->initialUpdates, updates + 1);

  // Open takes a chosen file into the document; a file that cannot be read
  // is said so and changes nothing; a cancelled dialog changes nothing.
  service.AnswerPath(path);
  EXPECT_TRUE(frame->RunCommand(ID_FILE_OPEN, true));
  ASSERT_EQ(service.fileDialogs.size(), 2u);
  EXPECT_TRUE(service.fileDialogs[1].open);
  EXPECT_EQ(doc->GetPathName(), path);
  service.AnswerPath(folder.File("no-such-dir/x.txt"));
  frame->RunCommand(ID_FILE_OPEN, true);
  ASSERT_EQ(service.boxes.size(), 1u);
  EXPECT_EQ(service.boxes[0].text, "ドキュメントを開けませんでした。");
  EXPECT_EQ(doc->GetPathName(), path);
  service.CancelFileDialog();
  frame->RunCommand(ID_FILE_OPEN, true);
  EXPECT_EQ(doc->GetPathName(), path);
  EXPECT_EQ(service.boxes.size(), 1u);

  app.CloseDocTemplates();
}

TEST(Images, ThePicturesAndTheIconAreEmbedded) {
  QImage bottom = LoadPngResource(394);
  ASSERT_FALSE(bottom.isNull());
  EXPECT_EQ(bottom.size(), QSize(500, 120));
  EXPECT_TRUE(bottom.hasAlphaChannel());
  QImage top = LoadPngResource(401);
  ASSERT_FALSE(top.isNull());
  EXPECT_EQ(top.size(), QSize(142, 65));
  EXPECT_FALSE(top.hasAlphaChannel());
  EXPECT_FALSE(LoadIconResource(128).isNull());
  EXPECT_TRUE(LoadPngResource(395).isNull());

  CImage image;
  EXPECT_TRUE(image.IsNull());
  image.Attach(top);
  QImage canvas(200, 100, QImage::Format_RGB32);
  canvas.fill(Qt::black);
  QPainter painter(&canvas);
  CDC dc(&painter);
  EXPECT_TRUE(image.BitBlt(&dc, 58, 0));
  painter.end();
  EXPECT_EQ(canvas.pixel(58 + 141, 64), top.pixel(141, 64));
}
