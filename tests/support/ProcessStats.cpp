#include "tests/support/ProcessStats.h"

#include <sys/resource.h>

#include <fstream>
#include <string>

namespace {
double CpuMs(int who) {
  rusage ru{};
  getrusage(who, &ru);
  return (ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) * 1000.0 + (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1000.0;
}
}  // namespace

long ResidentKiB() {
  std::ifstream in("/proc/self/status");
  std::string key;
  while (in >> key) {
    if (key == "VmRSS:") {
      long kib = 0;
      in >> kib;
      return kib;
    }
  }
  return -1;
}

double ThreadCpuMs() { return CpuMs(RUSAGE_THREAD); }

double ProcessCpuMs() { return CpuMs(RUSAGE_SELF); }
