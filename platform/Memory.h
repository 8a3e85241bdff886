#pragma once
// How much freed memory the process keeps. A full logger memory downloads
// as megabytes of text on a worker thread and is freed on the window thread
// once shown; the C library would keep most of that resident until the
// process ends.

namespace platform {

// From now on a large block goes back to the system when it is freed, and
// a thread's heap keeps little free space at its end: glibc otherwise
// raises both limits to the largest block freed so far (a downloaded text),
// and every thread's heap then keeps up to twice that resident. Called once
// at start-up; nothing where the library has no such setting.
void LimitRetainedMemory();

// Hands the free pages inside the heaps back to the system. Nothing where
// the library has no such call.
void ReturnFreeMemory();

}  // namespace platform
