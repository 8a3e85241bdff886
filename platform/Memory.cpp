#include "platform/Memory.h"

#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {

namespace {
// glibc's own starting values of both limits; set explicitly, they stay.
constexpr int kMapAboveBytes = 128 * 1024;
constexpr int kTrimAboveBytes = 128 * 1024;
}  // namespace

void LimitRetainedMemory() {
#if defined(__GLIBC__)
  mallopt(M_MMAP_THRESHOLD, kMapAboveBytes);
  mallopt(M_TRIM_THRESHOLD, kTrimAboveBytes);
#endif
}

void ReturnFreeMemory() {
#if defined(__GLIBC__)
  malloc_trim(0);
#endif
}

}  // namespace platform
