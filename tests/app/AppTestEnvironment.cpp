// The Qt application that the application tests share goes at the end.
#include <gtest/gtest.h>

#include "tests/support/qt/QtApplication.h"

namespace {
// Whichever test first needed it made the Qt application; it goes after the
// last test, once every window is gone.
class QtTearDown : public ::testing::Environment {
 public:
  void TearDown() override { DeleteQtApplication(); }
};

const auto* g_env = ::testing::AddGlobalTestEnvironment(new QtTearDown);
}  // namespace
