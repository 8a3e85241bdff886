#include "sim/SimText.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace sim {

std::string FormatFixed(double value, int decimals) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (res.ec != std::errc()) return "0";
  return std::string(buf, res.ptr);
}

bool ParseDouble(const std::string& text, double* value) {
  if (text.empty()) return false;
  const char* first = text.data();
  const char* last = first + text.size();
  if (*first == '+') ++first;
  auto res = std::from_chars(first, last, *value, std::chars_format::fixed);
  return res.ec == std::errc() && res.ptr == last;
}

bool ParseInt(const std::string& text, int* value) {
  if (text.empty()) return false;
  auto res = std::from_chars(text.data(), text.data() + text.size(), *value);
  return res.ec == std::errc() && res.ptr == text.data() + text.size();
}

std::string ToUpper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::vector<std::string> SplitBlanks(const std::string& text) {
  std::vector<std::string> out;
  std::string::size_type pos = 0;
  while (pos < text.size()) {
    const auto start = text.find_first_not_of(' ', pos);
    if (start == std::string::npos) break;
    const auto end = text.find(' ', start);
    out.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    pos = end == std::string::npos ? text.size() : end;
  }
  return out;
}

std::string FormatDuration(int seconds) {
  if (seconds < 0) seconds = 0;
  char buf[32];
  std::snprintf(buf, sizeof buf, "D%02dH%02dM%02dS%02d", seconds / 86400 % 100, seconds / 3600 % 24, seconds / 60 % 60,
                seconds % 60);
  return buf;
}

bool ParseDuration(const std::string& text, int* seconds) {
  static const char kUnits[] = "DHMS";
  static const int kLimits[] = {100, 24, 60, 60};
  static const int kWeights[] = {86400, 3600, 60, 1};
  if (text.size() != 12) return false;
  int total = 0;
  for (int i = 0; i < 4; ++i) {
    const char* f = text.data() + i * 3;
    if (f[0] != kUnits[i] || !std::isdigit(static_cast<unsigned char>(f[1])) ||
        !std::isdigit(static_cast<unsigned char>(f[2])))
      return false;
    const int v = (f[1] - '0') * 10 + (f[2] - '0');
    if (v >= kLimits[i]) return false;
    total += v * kWeights[i];
  }
  *seconds = total;
  return true;
}

std::string FormatHourMinutes(int minutes) {
  char buf[32];
  const int a = std::abs(minutes);
  std::snprintf(buf, sizeof buf, "%s%d:%02d", minutes < 0 ? "-" : "", a / 60, a % 60);
  return buf;
}

bool ParseHourMinutes(const std::string& text, int* minutes) {
  const auto colon = text.find(':');
  if (colon == std::string::npos) return false;
  std::string h = text.substr(0, colon);
  const std::string m = text.substr(colon + 1);
  bool negative = false;
  if (!h.empty() && h[0] == '-') {
    negative = true;
    h.erase(0, 1);
  }
  int hv = 0;
  int mv = 0;
  if (h.empty() || h[0] == '-' || m.empty() || m[0] == '-' || !ParseInt(h, &hv) || !ParseInt(m, &mv)) return false;
  *minutes = (negative ? -1 : 1) * (hv * 60 + mv);
  return true;
}

}  // namespace sim
