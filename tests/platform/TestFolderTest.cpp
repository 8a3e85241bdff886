// The tests' own file folders: gone with their object, and the folder of a
// dead run swept while a live one's stays.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "tests/support/TestFolder.h"

namespace fs = std::filesystem;

TEST(TestFolderTest, GoesWithItsObjectAndOnlyADeadRunsFolderIsSwept) {
  fs::path gone;
  {
    const TestFolder folder("gone");
    gone = folder.Path();
    std::ofstream(folder.File("a.txt")) << "x";
    ASSERT_TRUE(fs::exists(gone / "a.txt"));
  }
  EXPECT_FALSE(fs::exists(gone));

  // A run that died left its process folder behind, locked by nobody.
  const TestFolder live("live");
  const fs::path dead = fs::temp_directory_path() / "kx2-test-dead-run";
  fs::create_directories(dead / "recording-x");
  TestFolder::SweepDeadFolders();
  EXPECT_FALSE(fs::exists(dead));
  EXPECT_TRUE(fs::exists(live.Path()));

  // Two folders of one label never share a name.
  const TestFolder again("live");
  EXPECT_NE(again.Path(), live.Path());
}

// A run that stopped midway may leave folders it made read-only. Their owner
// sweeps them all the same; as root the sweep runs as nobody, since
// permissions bind no root.
TEST(TestFolderTest, ADeadRunsReadOnlyFoldersAreSweptByTheirOwner) {
  const std::string temp = fs::temp_directory_path().string();
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(2);
    std::string made = temp + "/kx2-made-XXXXXX";
    if (!::mkdtemp(made.data())) ::_exit(2);
    // Made under another name, so that no other run sweeps it half made.
    const std::string dead = temp + "/kx2-test-" + made.substr(made.size() - 6);
    const bool built = ::mkdir((made + "/0").c_str(), 0700) == 0 && std::ofstream(made + "/0/a.rai") << "x" &&
                       ::chmod((made + "/0").c_str(), 0555) == 0 && ::rename(made.c_str(), dead.c_str()) == 0 &&
                       ::chmod(dead.c_str(), 0555) == 0;
    if (!built) ::_exit(3);
    TestFolder::SweepDeadFolders();
    ::_exit(fs::exists(dead) ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  TestFolder::SweepDeadFolders();  // as root, whatever a failure left
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 2) GTEST_SKIP() << "cannot drop privileges or write the temporary folder";
  EXPECT_EQ(WEXITSTATUS(status), 0);
}
