#pragma once
// One line of the terminal: its text entries in order. An entry holds the
// character in its low byte and its mark in the high byte (0 received,
// 1 sent, 2 typed), as the traffic log's echo ring delivers them.

#include <cstdint>
#include <vector>

class CLogData {
 public:
  CLogData() = default;
  virtual ~CLogData() = default;
  CLogData(const CLogData&) = default;
  CLogData& operator=(const CLogData&) = default;

  static constexpr uint16_t kReceived = 0;
  static constexpr uint16_t kSent = 1;
  static constexpr uint16_t kTyped = 2;

  static constexpr uint8_t Char(uint16_t entry) { return static_cast<uint8_t>(entry & 0xFF); }
  static constexpr uint16_t Mark(uint16_t entry) { return static_cast<uint16_t>(entry >> 8); }
  static constexpr uint16_t Entry(uint8_t ch, uint16_t mark) { return static_cast<uint16_t>((mark << 8) | ch); }

  int32_t GetSize() const { return static_cast<int32_t>(m_arData.size()); }
  bool IsEmpty() const { return m_arData.empty(); }
  uint16_t operator[](int32_t i) const { return m_arData[static_cast<size_t>(i)]; }
  void Add(uint16_t entry) { m_arData.push_back(entry); }
  void InsertAt(int32_t i, uint16_t entry) { m_arData.insert(m_arData.begin() + i, entry); }
  void RemoveAt(int32_t i) { m_arData.erase(m_arData.begin() + i); }
  void RemoveAll() { m_arData.clear(); }
  // Copies the entries in place, keeping the storage already held: the
  // display ring overwrites its oldest line this way without reallocating.
  void Copy(const CLogData& other) { m_arData.assign(other.m_arData.begin(), other.m_arData.end()); }
  const std::vector<uint16_t>& Data() const { return m_arData; }

 private:
  std::vector<uint16_t> m_arData;
};
