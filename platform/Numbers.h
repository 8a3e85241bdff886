#pragma once
// Number conversions that ignore the process locale.
//
// The logger's replies and the settings file always write numbers with a full
// stop, but the GUI toolkit takes the process locale from the environment,
// and in a German or French locale atof("10.5") stops at the full stop and
// printf("%.2f") writes a comma. Every number the core reads or writes goes
// through these helpers instead, which behave like the C runtime in the "C"
// locale.

#include <cstdint>
#include <string>

namespace platform {

// Like atoi: leading white space, an optional sign, then decimal digits up to
// the first non-digit; no digit gives 0. A value beyond the 32-bit range is
// clamped to it instead of being undefined.
int32_t AtoI(const char* text);

// Like atof with a full stop: leading white space, an optional sign, digits
// with an optional fraction and exponent ("inf" and "nan" as strtod spells
// them); no number gives 0.0. Overflow gives +-HUGE_VAL, underflow +-0.0.
double AtoF(const char* text);

// A floating-point value truncated toward zero, as a cast would, but clamped
// to the 32-bit range; NaN gives 0.
int32_t TruncToInt32(double value);

// The value with `decimals` digits after a full stop (printf "%.*f").
std::string FormatFixed(double value, int decimals);

// printf-style formatting under the "C" locale.
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace platform
