#pragma once
// Logger date-times worked out independently of the code under test, from the
// C library's own local-time conversion.

#include <cstdint>

#include "link/SdlTime.h"

// The local date-time fields of that many seconds since 1970 (UTC).
CSdlTime LocalSdlTime(int64_t seconds);
