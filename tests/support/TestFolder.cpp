#include "tests/support/TestFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <system_error>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#include <sanitizer/common_interface_defs.h>
#define KX2_TEST_FOLDER_SANITIZED 1
#endif

namespace {

namespace fs = std::filesystem;

constexpr const char* kPrefix = "kx2-test-";

// Opens and locks the folder for this process. A lock is only worth anything
// while the folder still exists: a sweeper that got there between mkdtemp and
// the lock has removed it (-1, make another).
int LockFolder(const fs::path& dir, bool wait) {
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat st {};
  if (::flock(fd, wait ? LOCK_EX : LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &st) != 0 || st.st_nlink == 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// The death callback runs while the sanitizer halts the process, often in
// the middle of a free: it must not touch the allocator, so the tree is
// walked with system calls and a buffer on the stack, from a plain copy of
// the path.
char g_dyingPath[PATH_MAX];

bool RemoveTree(int parent, const char* name, int depth) {
  const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  // A test of permissions (or one that failed midway) leaves folders
  // read-only, whose entries only root could remove without this.
  ::fchmod(fd, S_IRWXU);
  alignas(dirent64) char buffer[4096];
  // Entries go while the folder is read, so it is read from the start again
  // as long as a pass removed something.
  for (bool removed = true; removed;) {
    removed = false;
    ::lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = ::getdents64(fd, buffer, sizeof buffer)) > 0;) {
      for (ssize_t at = 0; at < n;) {
        const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
        at += entry->d_reclen;
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
        removed = ::unlinkat(fd, entry->d_name, 0) == 0 || (depth < 16 && RemoveTree(fd, entry->d_name, depth + 1)) ||
                  removed;
      }
    }
  }
  ::close(fd);
  return ::unlinkat(parent, name, AT_REMOVEDIR) == 0;
}

[[maybe_unused]] void RemoveOnDeath() {
  if (g_dyingPath[0] != '\0') RemoveTree(AT_FDCWD, g_dyingPath, 0);
}

class ProcessFolder {
 public:
  ProcessFolder() {
    std::error_code ec;
    const fs::path temp = fs::temp_directory_path(ec);
    if (ec) return;
    for (int attempt = 0; attempt < 3 && m_fd < 0; ++attempt) {
      std::string pattern = (temp / (std::string(kPrefix) + "XXXXXX")).string();
      if (!::mkdtemp(pattern.data())) return;
      m_fd = LockFolder(pattern, true);
      if (m_fd >= 0) m_path = pattern;
    }
    if (m_fd < 0) return;
    // Others may pass through, not look in: a test that drops its privileges
    // still reaches a folder it opened to everyone.
    ::chmod(m_path.c_str(), 0711);
    TestFolder::SweepDeadFolders();
    if (m_path.native().size() < sizeof g_dyingPath) {
      std::strcpy(g_dyingPath, m_path.c_str());
#ifdef KX2_TEST_FOLDER_SANITIZED
      __sanitizer_set_death_callback(&RemoveOnDeath);
#endif
    }
  }
  ~ProcessFolder() {
    g_dyingPath[0] = '\0';
    if (!m_path.empty()) RemoveTree(AT_FDCWD, m_path.c_str(), 0);
    if (m_fd >= 0) ::close(m_fd);
  }

  const fs::path& Path() const { return m_path; }

 private:
  fs::path m_path;
  int m_fd = -1;
};

const fs::path& ProcessPath() {
  static ProcessFolder folder;
  return folder.Path();
}

}  // namespace

// A process folder whose lock nobody holds belongs to a process that died
// (our own is locked through another open file, which the lock tells apart).
void TestFolder::SweepDeadFolders() {
  std::error_code ec;
  const fs::path temp = fs::temp_directory_path(ec);
  for (fs::directory_iterator it(temp, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path dir = it->path();
    if (dir.filename().string().rfind(kPrefix, 0) != 0) continue;
    const int fd = LockFolder(dir, false);
    if (fd < 0) continue;
    RemoveTree(AT_FDCWD, dir.c_str(), 0);
    ::close(fd);
  }
}

TestFolder::TestFolder(const std::string& label) {
  const fs::path& process = ProcessPath();
  if (process.empty()) return;
  std::string pattern = (process / (label + "-XXXXXX")).string();
  if (::mkdtemp(pattern.data())) m_path = pattern;
}

TestFolder::~TestFolder() {
  if (!m_path.empty()) RemoveTree(AT_FDCWD, m_path.c_str(), 0);
}
