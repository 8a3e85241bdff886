#include "tests/support/ProgramProcess.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace {
using Clock = std::chrono::steady_clock;
constexpr auto kPoll = std::chrono::milliseconds(1);
}  // namespace

ProgramProcess::ProgramProcess(const std::string& path,
                               const std::vector<std::pair<std::string, std::string>>& overrides) {
  if (m_folder.Path().empty()) return;
  m_output = m_folder.File("output.txt");

  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    bool replaced = false;
    for (const auto& [name, value] : overrides) replaced = replaced || entry.rfind(name + "=", 0) == 0;
    if (!replaced) env.push_back(entry);
  }
  for (const auto& [name, value] : overrides) env.push_back(name + "=" + value);
  std::vector<char*> envp;
  for (std::string& entry : env) envp.push_back(entry.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, m_output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  std::string program = path;
  char* argv[] = {program.data(), nullptr};
  if (posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv, envp.data()) != 0) m_pid = -1;
  posix_spawn_file_actions_destroy(&actions);
}

ProgramProcess::~ProgramProcess() {
  if (m_pid > 0 && !m_ended) {
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
  }
}

bool ProgramProcess::WaitUntilRunning(std::chrono::milliseconds patience) {
  const auto end = Clock::now() + patience;
  while (Clock::now() < end) {
    if (Ended()) return false;
    if (CatchesTerminate()) return true;
    std::this_thread::sleep_for(kPoll);
  }
  return false;
}

void ProgramProcess::RequestTerminate() const {
  if (m_pid > 0 && !m_ended) kill(m_pid, SIGTERM);
}

bool ProgramProcess::WaitForEnd(std::chrono::milliseconds patience) {
  const auto end = Clock::now() + patience;
  while (Clock::now() < end) {
    if (Ended()) return true;
    std::this_thread::sleep_for(kPoll);
  }
  return false;
}

std::string ProgramProcess::DescribeStatus() const {
  if (!m_ended) return "still running";
  if (WIFEXITED(m_status)) return "exit status " + std::to_string(WEXITSTATUS(m_status));
  if (WIFSIGNALED(m_status)) return "killed by signal " + std::to_string(WTERMSIG(m_status));
  return "status " + std::to_string(m_status);
}

std::string ProgramProcess::Output() const {
  std::ifstream in(m_output);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool ProgramProcess::Ended() {
  if (m_ended || m_pid <= 0) return true;
  if (waitpid(m_pid, &m_status, WNOHANG) == m_pid) m_ended = true;
  return m_ended;
}

bool ProgramProcess::CatchesTerminate() const {
  std::ifstream in("/proc/" + std::to_string(m_pid) + "/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("SigCgt:", 0) != 0) continue;
    const unsigned long long mask = std::strtoull(line.c_str() + 7, nullptr, 16);
    return ((mask >> (SIGTERM - 1)) & 1u) != 0;
  }
  return false;
}
