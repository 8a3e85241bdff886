#pragma once
// Intel HEX text, the form firmware images come in: one record a line, ':'
// then hex pairs for the byte count, the address (two bytes), the record
// type, the data bytes and a checksum that brings the sum of all of them to
// 0 modulo 256.

#include <cstdint>
#include <string>
#include <string_view>

namespace intelhex {

enum RecordType : uint8_t {
  kData = 0,
  kEndOfFile = 1,
  kExtendedSegment = 2,
  kStartSegment = 3,
  kExtendedLinear = 4,
  kStartLinear = 5,
};

struct Record {
  uint8_t type = kData;
  uint16_t address = 0;
  std::string data;  // the data bytes, decoded
};

// One line without its line end: true when it is a whole record of a known
// type with the length that type has, its byte count matches its data and its
// checksum is right (hex digits in either case).
bool ParseRecord(std::string_view line, Record* record);

// A whole image: every non-empty line (lines end at CR or LF, as the transfer
// splits them) is such a record, one end-of-file record comes last and only
// empty lines follow it.
bool IsValidImage(std::string_view image);

}  // namespace intelhex
