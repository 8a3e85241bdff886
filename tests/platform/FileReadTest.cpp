#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/FileRead.h"
#include "tests/support/TestFolder.h"

using platform::FileReadResult;
using platform::ReadFileStart;
using platform::ReadWholeFile;

namespace {

class FileReadTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(m_folder.Path().empty()); }

  std::string Write(const char* name, const std::string& bytes) const {
    const std::string path = m_dir + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  TestFolder m_folder{"read"};
  std::string m_dir = m_folder.Path().string();
};

}  // namespace

TEST_F(FileReadTest, WholeFileUpToTheBoundAndNotAByteMore) {
  std::string bytes = "kept";
  const std::string exact = Write("exact", std::string(1000, 'a') + std::string(1, '\0') + "z");
  EXPECT_EQ(ReadWholeFile(exact, 1002, &bytes), FileReadResult::kRead);
  EXPECT_EQ(bytes.size(), 1002u);
  EXPECT_EQ(bytes.back(), 'z');

  bytes = "kept";
  EXPECT_EQ(ReadWholeFile(exact, 1001, &bytes), FileReadResult::kTooLarge);
  EXPECT_EQ(bytes, "kept");

  // A device without end is refused at the bound instead of read for ever.
  EXPECT_EQ(ReadWholeFile("/dev/zero", 4096, &bytes), FileReadResult::kTooLarge);
  EXPECT_EQ(ReadWholeFile(Write("empty", ""), 10, &bytes), FileReadResult::kRead);
  EXPECT_EQ(bytes, "");
}

TEST_F(FileReadTest, StartOfAFile) {
  std::string bytes;
  const std::string path = Write("image", std::string(600, ':'));
  EXPECT_EQ(ReadFileStart(path, 512, &bytes), FileReadResult::kRead);
  EXPECT_EQ(bytes.size(), 512u);
  EXPECT_EQ(ReadFileStart(Write("short", "abc"), 512, &bytes), FileReadResult::kRead);
  EXPECT_EQ(bytes, "abc");
}

TEST_F(FileReadTest, MissingUnreadableAndFoldersCannotBeOpened) {
  std::string bytes = "kept";
  EXPECT_EQ(ReadWholeFile(m_dir + "/none", 10, &bytes), FileReadResult::kCannotOpen);
  EXPECT_EQ(ReadFileStart(m_dir, 10, &bytes), FileReadResult::kCannotOpen);
  EXPECT_EQ(ReadWholeFile(m_dir, 10, &bytes), FileReadResult::kCannotOpen);
  const std::string locked = Write("locked", "secret");
  ::chmod(locked.c_str(), 0);
  if (::geteuid() != 0) {
    EXPECT_EQ(ReadWholeFile(locked, 10, &bytes), FileReadResult::kCannotOpen);
  }
  EXPECT_EQ(bytes, "kept");
}
