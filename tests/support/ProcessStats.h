#pragma once
// What this process costs: resident memory and processor time, for the tests
// that bound them and the benchmarks that report them.

// Resident memory in KiB (VmRSS); -1 when it cannot be read.
long ResidentKiB();

// Processor time (user and system) in milliseconds of the calling thread, and
// of the whole process.
double ThreadCpuMs();
double ProcessCpuMs();
