// The Qt application that the application tests share goes at the end.
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
