#pragma once
// The echo ring of the traffic log: the last 1,048,576 bytes that passed over
// the link, each with its direction, for the terminal to pull.
//
// An entry holds the byte in its low 8 bits and the direction mark in its high
// 8 bits (0 received, 1 sent). Only the ring lock guards the ring; the traffic
// log takes it inside its outer lock.

#include <cstdint>
#include <vector>

#include "platform/CriticalSection.h"

class CTLogBuffer {
 public:
  static constexpr int32_t kEntries = 1 << 20;
  static constexpr uint16_t kReceived = 0;
  static constexpr uint16_t kSent = 1;

  CTLogBuffer();
  virtual ~CTLogBuffer();
  CTLogBuffer(const CTLogBuffer&) = delete;
  CTLogBuffer& operator=(const CTLogBuffer&) = delete;

  // 1, or 0 when memory runs out (the ring then stays empty and unusable).
  [[nodiscard]] int32_t Init();
  // Moves every entry held into the read-out array, oldest first, and empties
  // the ring. Returns how many moved.
  int32_t ReadOut();
  // The entries of the last ReadOut; read on the thread that called it.
  const std::vector<uint16_t>& GetReadOut() const { return m_arReadOut; }

  // Appends the non-NUL bytes with one direction mark, dropping the oldest
  // entries once the ring is full.
  void Append(const char* data, int32_t length, uint16_t mark);
  // Empties the ring and the read-out array.
  void Reset();
  int32_t Count();

  platform::CriticalSection& RingLock() { return m_csRing; }

 private:
  std::vector<uint16_t> m_arEntries;
  std::vector<uint16_t> m_arReadOut;
  int32_t m_nStart = 0;
  int32_t m_nWrite = 0;
  int32_t m_nCount = 0;
  platform::CriticalSection m_csRing;
};
