#include "platform/FileWrite.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>

#include "platform/Numbers.h"

namespace platform {
namespace {

std::atomic<uint32_t> g_tempCounter{0};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// Opens a temporary file of a fresh name in the target's folder (a rename
// only replaces atomically within one file system). The mode 0666 lets the
// process umask decide, as for any new file.
int CreateTemp(const std::string& target, std::string& tempPath) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = target + Format(".tmp%d-%u", static_cast<int>(::getpid()), g_tempCounter.fetch_add(1));
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

bool WriteFileAtomic(const std::string& path, std::string_view bytes) {
  std::string target = path;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) != nullptr) target = resolved;
  struct stat old {};
  const bool existed = ::stat(target.c_str(), &old) == 0;
  if (existed && S_ISDIR(old.st_mode)) return false;

  std::string tempPath;
  const int fd = CreateTemp(target, tempPath);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes);
  if (ok && existed) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
  if (ok) ok = ::fsync(fd) == 0;
  // A failed close can report a deferred write error (network file systems).
  if (::close(fd) != 0) ok = false;
  if (ok) ok = ::rename(tempPath.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(tempPath.c_str());
  return ok;
}

}  // namespace platform
