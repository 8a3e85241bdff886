#include <dirent.h>
#include <grp.h>
#include <gtest/gtest.h>
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

#include "platform/FileWrite.h"
#include "tests/support/TestFolder.h"

using platform::FileWriteResult;

namespace {

bool Saved(const std::string& path, std::string_view bytes) {
  return platform::SaveFile(path, bytes) == FileWriteResult::kWritten;
}

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
  ASSERT_TRUE(Saved(path, std::string(5000, 'o')));
  ::chmod(path.c_str(), 0640);
  const std::string bytes("new\r\n\0tail", 10);
  ASSERT_TRUE(Saved(path, bytes));
  EXPECT_EQ(Read(path), bytes);  // nothing of the longer old content remains
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(Names(), (std::set<std::string>{"a.rai"}));
}

TEST_F(FileWriteTest, FollowsASymbolicLink) {
  const std::string real = Path("real.rai");
  ASSERT_TRUE(Saved(real, "old"));
  ASSERT_EQ(::symlink(real.c_str(), Path("link.rai").c_str()), 0);
  ASSERT_TRUE(Saved(Path("link.rai"), "new"));
  EXPECT_EQ(Read(real), "new");
  EXPECT_TRUE(std::filesystem::is_symlink(Path("link.rai")));
}

TEST_F(FileWriteTest, FailuresLeaveTheTargetAndNoTemporary) {
  const std::string path = Path("a.rai");
  ASSERT_TRUE(Saved(path, "old"));
  EXPECT_FALSE(Saved(Path("missing/b.rai"), "x"));
  EXPECT_FALSE(Saved(m_dir, "x"));  // a folder is no file

  // A file too large for the process's limit fails in the middle of writing.
  struct rlimit old {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 4096;
  auto* previous = ::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = Saved(path, std::string(100000, 'n'));
  ::setrlimit(RLIMIT_FSIZE, &old);
  ::signal(SIGXFSZ, previous);
  EXPECT_FALSE(written);
  EXPECT_EQ(Read(path), "old");
  EXPECT_EQ(Names(), (std::set<std::string>{"a.rai"}));
}

// Run by a user whom permissions bind (the tests may run as root: the child
// then drops to nobody), since a read-only file binds no root.
TEST_F(FileWriteTest, PermissionsDecideBetweenReplacingWritingInPlaceAndRefusing) {
  const struct {
    const char* name;
    mode_t folder;  // of the folder the file stands in
    mode_t file;    // 0: no file yet
    FileWriteResult result;
  } cases[] = {
      {"read-only file", 0777, 0444, FileWriteResult::kNotPermitted},
      {"read-only file, read-only folder", 0555, 0444, FileWriteResult::kNotPermitted},
      {"writable file, read-only folder", 0555, 0666, FileWriteResult::kWritten},  // in place
      {"writable file, writable folder", 0777, 0666, FileWriteResult::kWritten},
      {"another's file, sticky folder", 01777, 0666, FileWriteResult::kWritten},  // no rename over it: in place
      {"new file, read-only folder", 0555, 0, FileWriteResult::kFailed},
  };
  const std::string old = "old and longer content";
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const std::string folder = Path(std::to_string(i).c_str());
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    paths.push_back(folder + "/a.rai");
    if (cases[i].file != 0) {
      std::ofstream(paths[i], std::ios::binary) << old;
      ASSERT_EQ(::chmod(paths[i].c_str(), cases[i].file), 0);
    }
    ASSERT_EQ(::chmod(folder.c_str(), cases[i].folder), 0);
  }
  ASSERT_EQ(::chmod(m_dir.c_str(), 0755), 0);

  int results[2] = {-1, -1};
  ASSERT_EQ(::pipe(results), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    for (const std::string& path : paths) {
      const auto result = static_cast<char>(platform::SaveFile(path, "new"));
      if (::write(results[1], &result, 1) != 1) ::_exit(3);
    }
    ::_exit(0);
  }
  ::close(results[1]);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 2) GTEST_SKIP() << "cannot drop privileges";
  char got[std::size(cases)] = {};
  EXPECT_EQ(::read(results[0], got, sizeof got), static_cast<ssize_t>(sizeof got));
  ::close(results[0]);
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].name);
    EXPECT_EQ(static_cast<FileWriteResult>(got[i]), cases[i].result);
    const std::string expected = cases[i].result == FileWriteResult::kWritten ? "new" : cases[i].file ? old : "";
    EXPECT_EQ(Read(paths[i]), expected);
    std::size_t names = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(Path(std::to_string(i).c_str())))
      ++names;
    EXPECT_EQ(names, cases[i].file != 0 ? 1u : 0u);  // no temporary file stays behind
  }
}
