#pragma once
// Replacing a file as a whole.

#include <string>
#include <string_view>

namespace platform {

// Writes the bytes to a new file beside the target and renames it over the
// target once every write, the flush to disk and the close have succeeded, so
// the target holds either its old content or all of the new bytes, never a
// part (a full disk or a pulled stick halfway leaves the old file). An
// existing target keeps its permission bits; a symbolic link is followed and
// the file it names replaced. False, with the target untouched and no
// temporary file left, when any step fails.
bool WriteFileAtomic(const std::string& path, std::string_view bytes);

}  // namespace platform
