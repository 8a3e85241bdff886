#include "link/IntelHex.h"

namespace intelhex {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The byte count each type must have; -1 for any (data).
int FixedCount(uint8_t type) {
  switch (type) {
    case kEndOfFile:
      return 0;
    case kExtendedSegment:
    case kExtendedLinear:
      return 2;
    case kStartSegment:
    case kStartLinear:
      return 4;
    default:
      return -1;
  }
}

}  // namespace

bool ParseRecord(std::string_view line, Record* record) {
  // ':' and at least count, address (2), type and checksum.
  if (line.size() < 11 || line[0] != ':' || line.size() % 2 == 0) return false;
  std::string bytes;
  bytes.reserve((line.size() - 1) / 2);
  for (std::size_t i = 1; i < line.size(); i += 2) {
    const int high = HexValue(line[i]), low = HexValue(line[i + 1]);
    if (high < 0 || low < 0) return false;
    bytes.push_back(static_cast<char>(high * 16 + low));
  }
  const auto byte = [&bytes](std::size_t i) { return static_cast<uint8_t>(bytes[i]); };
  const std::size_t count = byte(0);
  if (count + 5 != bytes.size()) return false;
  unsigned sum = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) sum += byte(i);
  if (sum % 256 != 0) return false;
  const uint8_t type = byte(3);
  if (type > kStartLinear) return false;
  const int fixed = FixedCount(type);
  if (fixed >= 0 && static_cast<std::size_t>(fixed) != count) return false;
  if (record != nullptr) {
    record->type = type;
    record->address = static_cast<uint16_t>(byte(1) << 8 | byte(2));
    record->data = bytes.substr(4, count);
  }
  return true;
}

bool IsValidImage(std::string_view image) {
  bool ended = false;
  std::size_t pos = 0;
  Record record;
  while (pos < image.size()) {
    const std::size_t end = image.find_first_of("\r\n", pos);
    const std::size_t stop = end == std::string_view::npos ? image.size() : end;
    if (stop > pos) {
      if (ended || !ParseRecord(image.substr(pos, stop - pos), &record)) return false;
      ended = record.type == kEndOfFile;
    }
    pos = stop + 1;
  }
  return ended;
}

}  // namespace intelhex
