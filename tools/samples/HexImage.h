#pragma once
// Intel HEX text for firmware transfers: records with correct checksums, as
// the logger's monitor checks them, and whole images whose first two records
// carry header strings as a firmware image does.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// One record line (without its line end) of that type at that address.
inline std::string HexLine(unsigned address, unsigned type, const std::string& data) {
  char hex[16];
  std::snprintf(hex, sizeof hex, ":%02X%04X%02X", static_cast<unsigned>(data.size() & 0xFFu), address & 0xFFFFu,
                type & 0xFFu);
  std::string line(hex);
  unsigned sum = static_cast<unsigned>(data.size()) + (address >> 8 & 0xFFu) + (address & 0xFFu) + type;
  for (char c : data) {
    const unsigned byte = static_cast<unsigned char>(c);
    sum += byte;
    std::snprintf(hex, sizeof hex, "%02X", byte);
    line += hex;
  }
  std::snprintf(hex, sizeof hex, "%02X", (0x100u - (sum & 0xFFu)) & 0xFFu);
  return line + hex;
}

// 16 data bytes that differ from record to record.
inline std::string RecordData(int index) {
  std::string data;
  for (int i = 0; i < 16; ++i) data += static_cast<char>((index * 7 + i) & 0xFF);
  return data;
}

// The data record of 16 bytes at address 16 * index.
inline std::string HexRecord(int index) { return HexLine(static_cast<unsigned>(index) * 16u, 0, RecordData(index)); }

// `records` data records and the end record, each line ended by `eol`.
inline std::string HexImage(int records, const std::string& eol = "\r\n") {
  std::string image;
  for (int i = 0; i < records; ++i) image += HexRecord(i) + eol;
  return image + ":00000001FF" + eol;
}

// The header strings, each with its terminating zero, as the data of one record.
inline std::string HeaderData(const std::vector<std::string>& strings) {
  std::string data;
  for (const std::string& s : strings) data += s + std::string(1, '\0');
  return data;
}

// A firmware image: two header records (at addresses 0 and 0x100) holding
// those strings, then `records` data records from 0x200 and the end record.
inline std::string FirmwareImage(const std::vector<std::string>& first, const std::vector<std::string>& second,
                                 int records = 12, const std::string& eol = "\r\n") {
  std::string image = HexLine(0, 0, HeaderData(first)) + eol + HexLine(0x100, 0, HeaderData(second)) + eol;
  for (int i = 0; i < records; ++i) image += HexLine(0x200u + 16u * static_cast<unsigned>(i), 0, RecordData(i)) + eol;
  return image + ":00000001FF" + eol;
}
