#pragma once
// Reading a file with a bound on what it may cost: the caller says how many
// bytes it takes at most, so a wrong choice (a huge file, a device that never
// ends) cannot exhaust memory.

#include <cstddef>
#include <string>

namespace platform {

// clang-format 14 takes an attributed enum for a braced list and mangles it.
// clang-format off
enum class [[nodiscard]] FileReadResult {
  kRead,        // the bytes are there
  kCannotOpen,  // missing, not permitted, or a folder
  kTooLarge,    // more than the bound allows; nothing is kept
  kFailed,      // a read failed part way
};
// clang-format on

// The first `count` bytes of the file, fewer when it is shorter.
FileReadResult ReadFileStart(const std::string& path, std::size_t count, std::string* bytes);

// The whole file when it holds at most maxBytes bytes.
FileReadResult ReadWholeFile(const std::string& path, std::size_t maxBytes, std::string* bytes);

}  // namespace platform
