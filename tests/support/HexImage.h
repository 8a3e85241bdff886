#pragma once
// Intel HEX text for firmware transfers: data records of 16 bytes with
// correct checksums, as the logger's monitor checks them.

#include <cstdint>
#include <cstdio>
#include <string>

// The data record of 16 bytes at address 16 * index.
inline std::string HexRecord(int index) {
  const unsigned address = static_cast<unsigned>(index) * 16u & 0xFFFFu;
  unsigned sum = 0x10 + (address >> 8) + (address & 0xFF);
  std::string line(":10");
  char hex[8];
  std::snprintf(hex, sizeof hex, "%04X00", address);
  line += hex;
  for (int i = 0; i < 16; ++i) {
    const unsigned byte = static_cast<unsigned>(index * 7 + i) & 0xFFu;
    sum += byte;
    std::snprintf(hex, sizeof hex, "%02X", byte);
    line += hex;
  }
  std::snprintf(hex, sizeof hex, "%02X", (0x100u - (sum & 0xFFu)) & 0xFFu);
  return line + hex;
}

// `records` data records and the end record, each line ended by `eol`.
inline std::string HexImage(int records, const std::string& eol = "\r\n") {
  std::string image;
  for (int i = 0; i < records; ++i) image += HexRecord(i) + eol;
  return image + ":00000001FF" + eol;
}
