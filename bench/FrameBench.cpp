// The main window: from nothing to the frame with its menu, view and pictures
// shown and painted once (what start-up costs before the first Connect), and
// one paint of the black view with its two pictures at the start size.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QWidget>

#include "app/Kestrix2CommApp.h"
#include "app/Kestrix2CommDoc.h"
#include "app/Kestrix2CommView.h"
#include "app/MainFrame.h"
#include "tests/support/qt/QtApplication.h"
#include "ui/SingleDocTemplate.h"

namespace {

std::unique_ptr<CSingleDocTemplate> MainWindowTemplate() {
  return std::make_unique<CSingleDocTemplate>(
      128, [] { return new CKestrix2CommDoc; }, [] { return new CMainFrame; }, [] { return new CKestrix2CommView; });
}

void BM_MainWindowUpAndDown(benchmark::State& state) {
  EnsureQtApplication(true);
  for (auto _ : state) {
    auto docTemplate = MainWindowTemplate();
    if (!docTemplate->OpenDocumentFile()) {
      state.SkipWithError("the main window was not built");
      break;
    }
    docTemplate->GetFrame()->UpdateWindow();
    docTemplate->GetView()->UpdateWindow();
    // Not the program's end: the benchmark's loop goes on.
    theApp.m_pMainWnd = nullptr;
    docTemplate->Close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}
BENCHMARK(BM_MainWindowUpAndDown)->Unit(benchmark::kMillisecond);

void BM_MainViewPaint(benchmark::State& state) {
  EnsureQtApplication(true);
  auto docTemplate = MainWindowTemplate();
  if (!docTemplate->OpenDocumentFile()) {
    state.SkipWithError("the main window was not built");
    return;
  }
  QCoreApplication::processEvents();  // lays the view out in the frame
  QWidget* view = docTemplate->GetView()->GetWidget();
  for (auto _ : state) view->repaint();
  state.counters["width"] = view->width();
  state.counters["height"] = view->height();
  theApp.m_pMainWnd = nullptr;
  docTemplate->Close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
BENCHMARK(BM_MainViewPaint)->Unit(benchmark::kMicrosecond);

}  // namespace
