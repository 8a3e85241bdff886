#pragma once
// The test dialog of the input controls, shown and active, so that focus
// moves as the operator's do.

#include <gtest/gtest.h>

#include <QApplication>

#include "AppTestSupport.h"
#include "tools/samples/app/InputControlsDialog.h"

class InputControlsFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureQtApplication();
    ASSERT_TRUE(dlg.Create());
    dlg.ShowWindow(SW_SHOW);
    dlg.SetFocus();
    QApplication::processEvents();
  }
  void TearDown() override { dlg.DestroyWindow(); }

  InputControlsDialog dlg;
};
