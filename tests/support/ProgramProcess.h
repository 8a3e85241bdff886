#pragma once
// The built program run as a child process, for the test that starts it and
// the benchmark that times its start: its output goes to a file of its own,
// and its catching SIGTERM says it has come up, since the program answers a
// terminate request only from its message loop on, with its main window shown.

#include <sys/types.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/TestFolder.h"

class ProgramProcess {
 public:
  // Starts path with the environment of this process, changed by overrides
  // (name, value).
  ProgramProcess(const std::string& path, const std::vector<std::pair<std::string, std::string>>& overrides);
  // Kills a program still running.
  ~ProgramProcess();
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  bool Started() const { return m_pid > 0; }
  // Until it catches SIGTERM; false when it ended first or patience ran out.
  bool WaitUntilRunning(std::chrono::milliseconds patience);
  void RequestTerminate() const;
  // Until it has ended; false when it still runs.
  bool WaitForEnd(std::chrono::milliseconds patience);
  // waitpid's status once ended, and in words.
  int Status() const { return m_status; }
  std::string DescribeStatus() const;
  // What it wrote to its standard output and error.
  std::string Output() const;

 private:
  bool Ended();
  bool CatchesTerminate() const;

  pid_t m_pid = -1;
  bool m_ended = false;
  int m_status = 0;
  TestFolder m_folder{"program"};
  std::string m_output;
};
