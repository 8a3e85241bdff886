#include "link/ReplyParse.h"

#include <cstring>
#include <limits>
#include <new>

#include "platform/Numbers.h"

namespace {

constexpr int64_t kMax32 = std::numeric_limits<int32_t>::max();
constexpr int64_t kMin32 = std::numeric_limits<int32_t>::min();

int32_t Clamp32(int64_t value) {
  return static_cast<int32_t>(value > kMax32 ? kMax32 : value < kMin32 ? kMin32 : value);
}

int64_t UnitSeconds(char c) {
  switch (c) {
    case 'D':
      return 86400;
    case 'H':
      return 3600;
    case 'M':
      return 60;
    case 'S':
      return 1;
    default:
      return -1;
  }
}

}  // namespace

void SplitKeyValue(const std::string& line, std::string& key, std::string& value) {
  const size_t begin = line.find_first_not_of(' ');
  if (begin == std::string::npos) {
    key.clear();
    value.clear();
    return;
  }
  const size_t end = line.find(' ', begin);
  if (end == std::string::npos) {
    key.assign(line, begin);
    value.clear();
    return;
  }
  key.assign(line, begin, end - begin);
  value.assign(line, end + 1);
}

int32_t SplitString(std::vector<std::string>& list, const char* source, const char* delimiters) {
  if (delimiters == nullptr) delimiters = " ";
  if (source == nullptr) return static_cast<int32_t>(list.size());
  const char* p = source;
  try {
    while (*p != '\0') {
      p += std::strspn(p, delimiters);
      const size_t n = std::strcspn(p, delimiters);
      if (n == 0) break;
      list.emplace_back(p, n);
      p += n;
    }
  } catch (const std::bad_alloc&) {
    // A list that cannot grow keeps what it has; the count says how far.
  }
  return static_cast<int32_t>(list.size());
}

int32_t ParseDuration(const char* text) {
  if (text == nullptr) return 0;
  // Sums are kept in 64 bits and saturated, so a long run of digits from a
  // garbled line gives a large duration rather than a wrapped, negative one.
  int64_t total = 0;
  int64_t unit = 0;
  char unitLetter = '\0';
  int64_t number = 0;
  for (const char* p = text; *p != '\0'; ++p) {
    const char c = *p;
    if (c >= '0' && c <= '9') {
      number = number * 10 + (c - '0');
      if (number > kMax32) number = kMax32;
      continue;
    }
    const int64_t seconds = UnitSeconds(c);
    if (seconds < 0 || c == unitLetter) continue;
    total += number * unit;
    if (total > kMax32) total = kMax32;
    unitLetter = c;
    unit = seconds;
    number = 0;
  }
  return Clamp32(total + number * unit);
}

int32_t ParseOffsetMinutes(const char* text) {
  if (text == nullptr) return 0;
  std::vector<std::string> parts;
  SplitString(parts, text, ":");
  const std::string hourPart = parts.size() > 0 ? parts[0] : std::string();
  const std::string minutePart = parts.size() > 1 ? parts[1] : std::string();
  const int64_t h = platform::AtoI(hourPart.c_str());
  const int64_t m = platform::AtoI(minutePart.c_str());
  if (h > 0) return Clamp32(h * 60 + m);
  if (h < 0) return Clamp32(h * 60 - m);
  return Clamp32(!hourPart.empty() && hourPart[0] == '-' ? -m : m);
}
