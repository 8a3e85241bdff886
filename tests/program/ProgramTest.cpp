// The program as built, started as the operator starts it: it must come up
// with its main window and end cleanly when asked to close. An optimised
// build that dropped the application object once ended at once, without a
// window, although every test of the libraries passed.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>

#include "tests/support/ProgramProcess.h"

namespace {

// Generous for a sanitizer build on a loaded machine; a good start takes well under a second.
constexpr std::chrono::milliseconds kStartPatience{90000};
constexpr std::chrono::milliseconds kEndPatience{60000};

TEST(ProgramTest, ComesUpWithItsMainWindowAndEndsCleanlyOnATerminateRequest) {
  // Offscreen, and with no virtual port, so no simulator is needed: the
  // start's Connect shows the port dialog and waits there for the operator.
  ProgramProcess program(KX2_PROGRAM_PATH, {{"QT_QPA_PLATFORM", "offscreen"}, {"KX2_PORTS", ""}});
  ASSERT_TRUE(program.Started()) << KX2_PROGRAM_PATH;
  ASSERT_TRUE(program.WaitUntilRunning(kStartPatience))
      << "never reached its message loop with a main window (" << program.DescribeStatus() << "):\n"
      << program.Output();

  // The port dialog is modal: the request must end it as well as the main window.
  program.RequestTerminate();
  ASSERT_TRUE(program.WaitForEnd(kEndPatience)) << "still running after the terminate request:\n" << program.Output();
  EXPECT_TRUE(WIFEXITED(program.Status()) && WEXITSTATUS(program.Status()) == 0) << program.DescribeStatus() << ":\n"
                                                                                 << program.Output();
}

}  // namespace
