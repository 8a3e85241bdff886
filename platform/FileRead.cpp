#include "platform/FileRead.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const std::string& path) : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    struct stat st {};
    if (m_fd >= 0 && (::fstat(m_fd, &st) != 0 || S_ISDIR(st.st_mode))) Close();
  }
  ~ReadOnlyFile() { Close(); }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

  bool IsOpen() const { return m_fd >= 0; }

  // Up to `count` bytes appended; false on a read error. Stops early only at
  // the end of the file.
  bool ReadUpTo(std::size_t count, std::string* out) {
    char chunk[65536];
    while (count > 0) {
      const ssize_t n = ::read(m_fd, chunk, count < sizeof chunk ? count : sizeof chunk);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (n == 0) break;
      out->append(chunk, static_cast<std::size_t>(n));
      count -= static_cast<std::size_t>(n);
    }
    return true;
  }

 private:
  void Close() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
  }
  int m_fd;
};

}  // namespace

FileReadResult ReadFileStart(const std::string& path, std::size_t count, std::string* bytes) {
  ReadOnlyFile file(path);
  if (!file.IsOpen()) return FileReadResult::kCannotOpen;
  std::string read;
  if (!file.ReadUpTo(count, &read)) return FileReadResult::kFailed;
  *bytes = std::move(read);
  return FileReadResult::kRead;
}

FileReadResult ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string* bytes) {
  ReadOnlyFile file(path);
  if (!file.IsOpen()) return FileReadResult::kCannotOpen;
  // One byte past the bound tells a file of exactly maxBytes from a longer
  // one without trusting the size the file system reports (a device or a
  // file still growing has none that holds).
  std::string read;
  if (!file.ReadUpTo(maxBytes + 1, &read)) return FileReadResult::kFailed;
  if (read.size() > maxBytes) return FileReadResult::kTooLarge;
  *bytes = std::move(read);
  return FileReadResult::kRead;
}

}  // namespace platform
