// kx2sim: the stand-in logger on a pseudo-terminal, for the demo run and for
// trying the program by hand. Prints the terminal's path on the first line of
// stdout and answers until SIGINT or SIGTERM.

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "sim/FaultKind.h"
#include "sim/LoggerSim.h"
#include "sim/SimText.h"

namespace {

// On stdout when asked for, on stderr after a wrong argument.
int Usage(const char* self, std::FILE* out = stderr) {
  std::fprintf(out,
               "usage: %s [--link PATH] [--records N] [--fault SCENARIO]...\n"
               "  --link PATH       also reach the terminal through the symbolic link PATH\n"
               "  --records N       records held in memory (default 2500)\n"
               "  --fault SCENARIO  KIND[=N][*COUNT][@COMMAND]: a fault for the commands that\n"
               "                    begin with COMMAND (any when absent), the next COUNT\n"
               "                    times or always; KIND is one of\n"
               "%s",
               self, sim::FaultKindHelp("    ").c_str());
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string link;
  int records = -1;
  std::vector<sim::Fault> faults;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "-h" || arg == "--help") {
      Usage(argv[0], stdout);
      return 0;
    }
    if (i + 1 >= argc) return Usage(argv[0]);
    const std::string value = argv[++i];
    if (arg == "--link") {
      link = value;
    } else if (arg == "--records") {
      if (!sim::ParseInt(value, &records) || records < 0 || records > sim::RecordRing::kMaxCapacity) {
        std::fprintf(stderr, "kx2sim: --records takes 0 to %d\n", sim::RecordRing::kMaxCapacity);
        return 2;
      }
    } else if (arg == "--fault") {
      std::string error;
      auto fault = sim::FaultPlan::Parse(value, &error);
      if (!fault) {
        std::fprintf(stderr, "kx2sim: %s\n", error.c_str());
        return 2;
      }
      faults.push_back(*fault);
    } else {
      return Usage(argv[0]);
    }
  }

  // Blocked before the simulator's thread exists, so only sigtimedwait sees them.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

  sim::LoggerSim logger;
  if (records >= 0) logger.SetRecords(1, records);
  for (const sim::Fault& f : faults) logger.InjectFault(f);
  if (!logger.Start()) {
    std::fprintf(stderr, "kx2sim: cannot create a pseudo-terminal: %s\n", std::strerror(errno));
    return 1;
  }
  if (!link.empty()) {
    // Replace a link left behind by an earlier run, but never a real file.
    struct stat st {};
    if (lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) ::unlink(link.c_str());
    if (::symlink(logger.SlavePath().c_str(), link.c_str()) != 0) {
      std::fprintf(stderr, "kx2sim: cannot link %s: %s\n", link.c_str(), std::strerror(errno));
      return 1;
    }
  }
  std::printf("%s\n", logger.SlavePath().c_str());
  std::fflush(stdout);

  const timespec poll{0, 200 * 1000 * 1000};
  while (!logger.Vanished()) {
    const int sig = sigtimedwait(&stopSignals, nullptr, &poll);
    if (sig == SIGINT || sig == SIGTERM) break;
  }
  logger.Stop();
  if (!link.empty()) ::unlink(link.c_str());
  return 0;
}
