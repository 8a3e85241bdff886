#include "platform/FileWrite.h"

#include <dirent.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/TestFolder.h"

using platform::WriteFileAtomic;

namespace {

class FileWriteTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(m_folder.Path().empty()); }
  // A test may leave the folder read-only; the folder's removal needs it back.
  void TearDown() override { ::chmod(m_dir.c_str(), 0700); }

  std::string Path(const char* name) const { return m_dir + "/" + name; }

  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // The names in the folder: no temporary file may stay behind.
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir)) names.insert(entry.path().filename());
    return names;
  }

  TestFolder m_folder{"write"};
  std::string m_dir = m_folder.Path().string();
};

}  // namespace

TEST_F(FileWriteTest, CreatesAndReplacesWhole) {
  const std::string path = Path("a.rai");
  ASSERT_TRUE(WriteFileAtomic(path, std::string(5000, 'o')));
  ::chmod(path.c_str(), 0640);
  const std::string bytes("new\r\n\0tail", 10);
  ASSERT_TRUE(WriteFileAtomic(path, bytes));
  EXPECT_EQ(Read(path), bytes);  // nothing of the longer old content remains
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(Names(), (std::set<std::string>{"a.rai"}));
}

TEST_F(FileWriteTest, FollowsASymbolicLink) {
  const std::string real = Path("real.rai");
  ASSERT_TRUE(WriteFileAtomic(real, "old"));
  ASSERT_EQ(::symlink(real.c_str(), Path("link.rai").c_str()), 0);
  ASSERT_TRUE(WriteFileAtomic(Path("link.rai"), "new"));
  EXPECT_EQ(Read(real), "new");
  EXPECT_TRUE(std::filesystem::is_symlink(Path("link.rai")));
}

TEST_F(FileWriteTest, FailuresLeaveTheTargetAndNoTemporary) {
  const std::string path = Path("a.rai");
  ASSERT_TRUE(WriteFileAtomic(path, "old"));
  EXPECT_FALSE(WriteFileAtomic(Path("missing/b.rai"), "x"));
  EXPECT_FALSE(WriteFileAtomic(m_dir, "x"));  // a folder is no file

  // A file too large for the process's limit fails in the middle of writing.
  struct rlimit old {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 4096;
  auto* previous = ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = WriteFileAtomic(path, std::string(100000, 'n'));
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, previous);
  EXPECT_FALSE(written);
  EXPECT_EQ(Read(path), "old");
  EXPECT_EQ(Names(), (std::set<std::string>{"a.rai"}));
}

TEST_F(FileWriteTest, ReadOnlyFolder) {
  const std::string path = Path("a.rai");
  ASSERT_TRUE(WriteFileAtomic(path, "old"));
  ASSERT_EQ(::chmod(m_dir.c_str(), 0555), 0);
  bool written = true;
  if (::access(m_dir.c_str(), W_OK) != 0) {
    written = WriteFileAtomic(path, "new");
  } else {
    // Permissions do not bind this user (root): try as an unprivileged one.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
      ::_exit(WriteFileAtomic(path, "new") ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_NE(WEXITSTATUS(status), 2) << "cannot drop privileges";
    written = WEXITSTATUS(status) != 0;
  }
  EXPECT_FALSE(written);
  EXPECT_EQ(Read(path), "old");
  EXPECT_EQ(Names(), (std::set<std::string>{"a.rai"}));
}
