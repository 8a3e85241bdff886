#pragma once
// One row of the string table, and the blocks the table is assembled from.
// Each block lives in its own source file; StringTable.cpp merges them.

#include <cstddef>

namespace res {

struct StringEntry {
  unsigned id;
  const char* text;  // UTF-8; CR LF inside a text are real CR LF bytes
};

struct StringBlock {
  const StringEntry* entries;
  std::size_t count;
};

// Start-up, main frame, panel pages and their dialogs.
StringBlock FrameStrings();
// Setting groups and items, device and file messages, prompts.
StringBlock MessageStrings();

}  // namespace res
