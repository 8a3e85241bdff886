#pragma once
// A folder of its own for the files one test writes (recordings, logs,
// settings files), under the temporary folder.
//
// Every folder of a process sits in one process folder, which the process
// holds locked while it lives. The folder goes when its object goes; a
// process that a sanitizer stops removes its process folder as it dies; and
// a process folder that nothing holds any more (its process was killed) is
// removed by the next test process that starts. A new folder always has a
// fresh name, so a test never finds the files of a dead run.

#include <filesystem>
#include <string>

class TestFolder {
 public:
  // `label` only makes the folder's name readable ("recording-3Fa9Qz").
  explicit TestFolder(const std::string& label = "files");
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  // Empty when the folder could not be made.
  const std::filesystem::path& Path() const { return m_path; }
  // The path of a file in the folder.
  std::string File(const std::string& name) const { return (m_path / name).string(); }

  // Removes the process folders that no live process holds; the first folder
  // of every process does this.
  static void SweepDeadFolders();

 private:
  std::filesystem::path m_path;
};
