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

// The target's own file, kept open: written from its start and cut to the
// new length only once everything is written.
bool WriteInPlace(const std::string& target, std::string_view bytes) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
  if (::close(fd) != 0) ok = false;
  return ok;
}

}  // namespace

FileWriteResult SaveFile(const std::string& path, std::string_view bytes) {
  std::string target = path;
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) != nullptr) target = resolved;
  struct stat old {};
  const bool existed = ::stat(target.c_str(), &old) == 0;
  // A rename would replace a file the user may not write (the folder's
  // permission decides that), and a folder, pipe or device is no file to
  // save into.
  if (existed && (!S_ISREG(old.st_mode) || ::access(target.c_str(), W_OK) != 0)) {
    return FileWriteResult::kNotPermitted;
  }

  std::string tempPath;
  const int fd = CreateTemp(target, tempPath);
  if (fd < 0) {
    if (!existed) return FileWriteResult::kFailed;
    return WriteInPlace(target, bytes) ? FileWriteResult::kWritten : FileWriteResult::kFailed;
  }
  bool ok = WriteAll(fd, bytes);
  if (ok && existed) ok = ::fchmod(fd, old.st_mode & 07777) == 0;
  if (ok) ok = ::fsync(fd) == 0;
  // A failed close can report a deferred write error (network file systems).
  if (::close(fd) != 0) ok = false;
  if (ok && ::rename(tempPath.c_str(), target.c_str()) == 0) return FileWriteResult::kWritten;
  ::unlink(tempPath.c_str());
  // All of it was written, but the folder refuses the rename (a sticky
  // folder, the file another user's): the file itself may still be written.
  if (ok && existed) return WriteInPlace(target, bytes) ? FileWriteResult::kWritten : FileWriteResult::kFailed;
  return FileWriteResult::kFailed;
}

}  // namespace platform
