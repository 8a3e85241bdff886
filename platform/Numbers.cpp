#include "platform/Numbers.h"

#include <locale.h>

#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>
#include <system_error>

namespace platform {
namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// from_chars reports overflow and underflow alike; tell them apart by the
// decimal exponent of the first significant digit.
bool Overflows(const char* first, const char* last) {
  int64_t exponent = 0;
  bool significant = false;
  bool fraction = false;
  const char* p = first;
  for (; p < last && (IsDigit(*p) || *p == '.'); ++p) {
    if (*p == '.') {
      fraction = true;
    } else if (!significant && *p == '0') {
      if (fraction) --exponent;
    } else {
      significant = true;
      if (!fraction) ++exponent;
    }
  }
  if (p < last && (*p == 'e' || *p == 'E')) {
    // The exponent text was accepted by from_chars, so it is well formed;
    // saturate so that a huge exponent cannot overflow the sum.
    ++p;
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    int64_t e = 0;
    for (; p < last && IsDigit(*p); ++p) e = e < 100000000 ? e * 10 + (*p - '0') : e;
    exponent += negative ? -e : e;
  }
  return exponent > 0;
}

locale_t CLocale() {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return c;
}

}  // namespace

int32_t AtoI(const char* text) {
  if (text == nullptr) return 0;
  const char* p = text;
  while (IsSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (; IsDigit(*p); ++p) {
    value = value * 10 + (*p - '0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int32_t>::max()) value = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

double AtoF(const char* text) {
  if (text == nullptr) return 0.0;
  const char* p = text;
  while (IsSpace(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  // from_chars takes a minus sign of its own; a second sign is no number.
  if (*p == '+' || *p == '-') return 0.0;
  const char* last = p;
  while (*last != '\0') ++last;
  double value = 0.0;
  const auto [end, ec] = std::from_chars(p, last, value, std::chars_format::general);
  if (ec == std::errc::invalid_argument) return 0.0;
  if (ec == std::errc::result_out_of_range) value = Overflows(p, end) ? HUGE_VAL : 0.0;
  return negative ? -value : value;
}

int32_t TruncToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

std::string FormatFixed(double value, int decimals) {
  if (decimals < 0) decimals = 0;
  // The widest fixed form of a double is 309 integer digits, a sign and a point.
  std::string text(320 + static_cast<size_t>(decimals), '\0');
  const auto [end, ec] =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, decimals);
  if (ec != std::errc()) return Format("%.*f", decimals, value);
  text.resize(static_cast<size_t>(end - text.data()));
  return text;
}

std::string Format(const char* format, ...) {
  // uselocale changes only the calling thread, so other threads' formatting
  // (and the user-interface locale) are not disturbed.
  const locale_t previous = uselocale(CLocale());
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  std::string text;
  const int n = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (n > 0) {
    text.resize(static_cast<size_t>(n) + 1);
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(static_cast<size_t>(n));
  }
  va_end(args);
  uselocale(previous);
  return text;
}

}  // namespace platform
