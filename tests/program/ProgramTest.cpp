// The program as built, started as the operator starts it: it must come up
// with its main window and end cleanly when asked to close. An optimised
// build that dropped the application object once ended at once, without a
// window, although every test of the libraries passed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Generous for a sanitizer build on a loaded machine; a good start takes well under a second.
constexpr auto kStartPatience = std::chrono::seconds(90);
constexpr auto kEndPatience = std::chrono::seconds(60);

class Program {
 public:
  // Offscreen, and with no virtual port, so no simulator is needed: the start's
  // Connect shows the port dialog and waits there for the operator.
  Program() {
    char pattern[] = "/tmp/kx2programXXXXXX";
    const int fd = mkstemp(pattern);
    if (fd >= 0) close(fd);
    m_output = pattern;

    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
      const std::string entry = *e;
      if (entry.rfind("QT_QPA_PLATFORM=", 0) == 0 || entry.rfind("KX2_PORTS=", 0) == 0) continue;
      env.push_back(entry);
    }
    env.push_back("QT_QPA_PLATFORM=offscreen");
    env.push_back("KX2_PORTS=");
    std::vector<char*> envp;
    for (std::string& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, m_output.c_str(), O_WRONLY | O_TRUNC, 0);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    char program[] = KX2_PROGRAM_PATH;
    char* argv[] = {program, nullptr};
    if (posix_spawn(&m_pid, program, &actions, nullptr, argv, envp.data()) != 0) m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);
  }

  ~Program() {
    if (m_pid > 0 && !m_ended) {
      kill(m_pid, SIGKILL);
      waitpid(m_pid, nullptr, 0);
    }
    std::remove(m_output.c_str());
  }

  bool Started() const { return m_pid > 0; }

  // The program answers a terminate request only from its message loop on,
  // with its main window shown: its catching SIGTERM says it got there.
  bool WaitUntilRunning() {
    const auto end = Clock::now() + kStartPatience;
    while (Clock::now() < end) {
      if (Ended()) return false;
      if (CatchesTerminate()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  // The exit status once it has ended; false when it runs on.
  bool WaitForEnd(std::chrono::seconds patience) {
    const auto end = Clock::now() + patience;
    while (Clock::now() < end) {
      if (Ended()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  void RequestTerminate() const { kill(m_pid, SIGTERM); }

  int Status() const { return m_status; }

  std::string Output() const {
    std::ifstream in(m_output);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  bool Ended() {
    if (m_ended) return true;
    if (waitpid(m_pid, &m_status, WNOHANG) == m_pid) m_ended = true;
    return m_ended;
  }

  bool CatchesTerminate() const {
    std::ifstream in("/proc/" + std::to_string(m_pid) + "/status");
    std::string line;
    while (std::getline(in, line)) {
      if (line.rfind("SigCgt:", 0) != 0) continue;
      const unsigned long long mask = std::strtoull(line.c_str() + 7, nullptr, 16);
      return (mask >> (SIGTERM - 1)) & 1u;
    }
    return false;
  }

  pid_t m_pid = -1;
  bool m_ended = false;
  int m_status = 0;
  std::string m_output;
};

std::string Describe(int status) {
  if (WIFEXITED(status)) return "exit status " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return "killed by signal " + std::to_string(WTERMSIG(status));
  return "status " + std::to_string(status);
}

TEST(ProgramTest, ComesUpWithItsMainWindowAndEndsCleanlyOnATerminateRequest) {
  Program program;
  ASSERT_TRUE(program.Started()) << KX2_PROGRAM_PATH;
  ASSERT_TRUE(program.WaitUntilRunning()) << "never reached its message loop with a main window ("
                                          << Describe(program.Status()) << "):\n"
                                          << program.Output();

  // The port dialog that the start's Connect opened is modal: the request
  // must end it as well as the main window.
  program.RequestTerminate();
  ASSERT_TRUE(program.WaitForEnd(kEndPatience)) << "still running after the terminate request:\n" << program.Output();
  EXPECT_TRUE(WIFEXITED(program.Status()) && WEXITSTATUS(program.Status()) == 0)
      << Describe(program.Status()) << ":\n"
      << program.Output();
}

}  // namespace
