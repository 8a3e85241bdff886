#pragma once
// Saving a file as a whole: the one way the program writes a file the user
// chose (settings export, downloaded data).

#include <string>
#include <string_view>

namespace platform {

// clang-format 14 takes an attributed enum for a braced list and mangles it.
// clang-format off
enum class [[nodiscard]] FileWriteResult {
  kWritten,       // the file holds the bytes
  kNotPermitted,  // an existing file the user may not write, or no plain file: left as it was
  kFailed,        // the file could not be made or written
};
// clang-format on

// Writes the bytes to a new file beside the target and renames it over the
// target once every write, the flush to disk and the close have succeeded, so
// the target holds either its old content or all of the new bytes (a full
// disk or a pulled stick halfway leaves the old file); an existing target
// keeps its permission bits. An existing target that the user may not write
// is refused and left as it was, though the folder would let it be replaced.
// Where the folder takes no new file (or no rename over the target) but the
// target may be written, it is written in place: a failure half way then
// leaves it cut, and is reported. A symbolic link is followed and the file it
// names saved. No temporary file stays behind.
FileWriteResult SaveFile(const std::string& path, std::string_view bytes);

}  // namespace platform
