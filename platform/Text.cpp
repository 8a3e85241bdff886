#include "platform/Text.h"

#include <strings.h>

namespace platform {

int CompareNoCase(const char* a, const char* b, std::size_t n) { return ::strncasecmp(a, b, n); }

}  // namespace platform
