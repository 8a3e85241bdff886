// The tests' own file folders: gone with their object, and the folder of a
// dead run swept while a live one's stays.
#include <gtest/gtest.h>

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
