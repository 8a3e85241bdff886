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
