#pragma once
// Received-line buffer: turns the byte stream from the logger into text lines.
//
// The serial reader thread puts every received chunk in; protocol exchanges
// take whole lines out with a time-out. NUL and CR are dropped, and (while the
// option flag is set) so is every line that begins with '#', the echo of the
// logger's communication module.
//
// Lock order: the data lock, then the option lock inside it (Put). ReadLine
// never holds two of its locks at once.

#include <atomic>
#include <cstdint>

#include "platform/CriticalSection.h"
#include "platform/Event.h"

class CReadData {
 public:
  static constexpr int32_t kCapacity = 100000000;

  CReadData();
  virtual ~CReadData();
  CReadData(const CReadData&) = delete;
  CReadData& operator=(const CReadData&) = delete;

  [[nodiscard]] int32_t Init();
  // Init with a smaller ring, so that tests and benchmarks can reach overflow
  // and wrap-around without 100 MB of traffic.
  [[nodiscard]] int32_t InitCapacity(int32_t capacity);
  void Put(const char* bytes, int32_t n);
  // The reader's put: the chunk was taken off the device when its input-flush
  // count stood at `seen`. It is stored only while `flushes` still holds that
  // value, checked under the data lock: a purge (flush, then Clear) that came
  // after the chunk was taken but before it got here drops it, so no line of
  // before a command can answer that command.
  void PutUnlessFlushed(const char* bytes, int32_t n, const std::atomic<uint64_t>& flushes, uint64_t seen);
  int32_t ReadLine(char* buffer, int32_t size, uint32_t timeoutMs);
  void Clear();
  void Free();

  // The '#'-line filter (1 on, 0 off); switching also ends a line skip in
  // progress. Bytes already stored stay.
  void SetOption(int32_t on);
  int32_t GetOption();

  // Taken and released by CRSPort::Write before a purging write, so a purge
  // never starts while a ReadLine is in its waiting phase.
  platform::CriticalSection& ReaderLock() { return m_csReader; }

  // While shut (the port closes, or its device has gone) a ReadLine that finds
  // no complete line returns 0 at once, and one already waiting wakes.
  void Shut(bool shut);

  // For tests and diagnostics.
  int32_t LineCount();
  int32_t ByteCount();
  // Non-NUL bytes handed to Put since creation, stored or not.
  int64_t BytesPut() const { return m_nBytesPut.load(); }

 private:
  // See ReadData.cpp for the algorithms.
  char* m_pData = nullptr;
  int32_t m_nSize = 0;
  platform::CriticalSection m_csData;
  int32_t m_nReadPos = 0;
  int32_t m_nWritePos = 0;
  int32_t m_nCount = 0;
  int32_t m_nColumn = 0;
  int32_t m_nSkip = 0;
  platform::Event* m_pLineEvent = nullptr;
  int32_t m_nLines = 0;
  platform::CriticalSection m_csReader;
  int32_t m_nOption = 1;
  platform::CriticalSection m_csOption;
  std::atomic<bool> m_bShut{false};
  std::atomic<int64_t> m_nBytesPut{0};

  void PutLocked(const char* bytes, int32_t n);
};
