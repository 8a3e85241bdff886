// One Qt application for all framework tests, with the framework's services.
#include <gtest/gtest.h>

#include <QApplication>
#include <clocale>

#include "ui/KeyboardHook.h"
#include "ui/MessagePump.h"

namespace {
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    app_ = new QApplication(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setQuitOnLastWindowClosed(false);
    InstallUiPlatformServices();
    InstallKeyboardFilter();
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

 private:
  QApplication* app_ = nullptr;
};

const auto* g_env = ::testing::AddGlobalTestEnvironment(new QtEnvironment);
}  // namespace

// Qt's own thread pool (font and image loading) is not built for the thread
// sanitizer; its wait conditions look racy to it when the application goes.
extern "C" const char* __tsan_default_suppressions();
extern "C" const char* __tsan_default_suppressions() { return "race:QWaitCondition\nrace:QThreadPool\n"; }
