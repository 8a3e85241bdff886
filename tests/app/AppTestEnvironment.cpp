// What the application tests share at the level of the process: the Qt
// application goes at the end, and Qt's own threads are left out of the
// thread sanitizer's view.
#include <gtest/gtest.h>

#include <QApplication>

#include "ui/Wnd.h"

namespace {
// Whichever test first needed it made the Qt application; it goes after the
// last test, once every window is gone, so the leak checker sees Qt's caches
// (fonts) released.
class QtTearDown : public ::testing::Environment {
 public:
  void TearDown() override {
    if (!QCoreApplication::instance()) return;
    CWnd::DestroyAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete QCoreApplication::instance();
  }
};

const auto* g_env = ::testing::AddGlobalTestEnvironment(new QtTearDown);
}  // namespace

// Qt is not built for the thread sanitizer: its own worker pools (image
// conversion, painting) synchronise through futexes the sanitizer cannot see,
// and the memory calls they make then look like races. Ignore what Qt's
// libraries do on their own threads; our code stays fully checked.
extern "C" const char* __tsan_default_suppressions();
extern "C" const char* __tsan_default_suppressions() {
  return "called_from_lib:libQt6Core.so.6\n"
         "called_from_lib:libQt6Gui.so.6\n"
         "called_from_lib:libQt6Widgets.so.6\n";
}
