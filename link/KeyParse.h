#pragma once
// Whether a reply line's key was one the parser reads (and its value taken).

enum class KeyParse {
  kUnknown,  // a key the parser does not read, or none: the record is unchanged
  kTaken,    // the value went into the record
};
