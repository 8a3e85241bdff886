#pragma once
// Whether a reply line's key was one the parser reads (and its value taken).

// clang-format 14 takes an attributed enum for a braced list and mangles it.
// clang-format off
enum class [[nodiscard]] KeyParse {
  kUnknown,  // a key the parser does not read, none, or a value it cannot read: the record is unchanged
  kTaken,    // the value went into the record
};
// clang-format on
