#pragma once
// Text helpers of the core. Protocol text is 8-bit bytes; user-interface text
// is UTF-8.

#include <cstddef>

namespace platform {

// Compares at most n characters of two NUL-terminated 8-bit texts without
// regard to case (ASCII letters); <0, 0, >0 as strncmp.
int CompareNoCase(const char* a, const char* b, std::size_t n);

}  // namespace platform
