// One Qt application for all framework tests, with the framework's services.
#include <gtest/gtest.h>

#include "tests/support/qt/QtApplication.h"

namespace {
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { EnsureQtApplication(); }
  void TearDown() override { DeleteQtApplication(); }
};

const auto* g_env = ::testing::AddGlobalTestEnvironment(new QtEnvironment);
}  // namespace
