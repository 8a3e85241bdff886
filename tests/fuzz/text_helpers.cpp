// The small text helpers behind the reply parsers, each checked against what
// it promises (and the number readers against the C runtime in the C locale).
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "link/ReplyParse.h"
#include "platform/Numbers.h"

namespace {

int32_t ReferenceAtoI(const char* text) {
  errno = 0;
  const long long v = std::strtoll(text, nullptr, 10);
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // First byte: how many of the following bytes form the delimiter set.
  const size_t n = data[0] % 5;
  if (size < 1 + n) return 0;
  const std::string delimiters(reinterpret_cast<const char*>(data + 1), n);
  const std::string text(reinterpret_cast<const char*>(data + 1 + n), size - 1 - n);
  const char* source = text.c_str();

  std::vector<std::string> list;
  const int32_t count = SplitString(list, source, delimiters.c_str());
  if (count != static_cast<int32_t>(list.size())) __builtin_trap();
  for (const std::string& token : list) {
    if (token.empty() || token.find_first_of(delimiters.c_str()) != std::string::npos) __builtin_trap();
  }

  if (ParseDuration(source) < 0) __builtin_trap();
  ParseOffsetMinutes(source);

  // The process runs in the C locale here, so the runtime is the reference.
  if (platform::AtoI(source) != ReferenceAtoI(source)) __builtin_trap();
  if (std::strpbrk(source, "xX") == nullptr) {  // from_chars reads no hex floats
    const double ours = platform::AtoF(source);
    const double theirs = std::strtod(source, nullptr);
    if (!(ours == theirs || (std::isnan(ours) && std::isnan(theirs)))) __builtin_trap();
  }
  const double value = platform::AtoF(source);
  const std::string fixed = platform::FormatFixed(value, 3);
  if (std::isfinite(value) && fixed.find(',') != std::string::npos) __builtin_trap();
  platform::TruncToInt32(value);
  return 0;
}
