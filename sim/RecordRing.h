#pragma once
// The logger's record memory: a ring of numbered records. Numbers run 0 to
// 99999 and wrap; the memory holds at most `capacity` records and drops the
// oldest when full. A record's text is made from its sequence number and the
// time it was taken, so every download of the same records gives the same
// bytes.

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

class RecordRing {
 public:
  static constexpr int kNumbers = 100000;
  // A full memory holds every number once: its first number then follows its
  // last (first = last + 1), which no shorter run of numbers gives, so the
  // two numbers still tell how many records are held.
  static constexpr int kMaxCapacity = kNumbers;
  static constexpr int kDefaultCapacity = kNumbers;

  explicit RecordRing(int capacity = kDefaultCapacity);

  // Replaces the memory by `count` records numbered from `firstNumber`, the
  // newest taken at `lastTime`, one every `interval` seconds.
  void Fill(int firstNumber, int count, int64_t lastTime, int interval);
  // Empties the memory; numbering starts again at 1.
  void Clear();
  void Append(int64_t time);

  int Count() const { return m_count; }
  int Capacity() const { return m_capacity; }
  // Both 0 while the memory is empty.
  int FirstNumber() const;
  int LastNumber() const;
  bool Holds(int number) const;
  // The record as the logger sends it, without the line end: number, time,
  // rain of the interval in mm, battery in V.
  std::string Line(int number) const;
  // Held numbers inside the window of `count` numbers from `start`, in
  // window order.
  std::vector<int> Select(int start, int count) const;

 private:
  int64_t SeqOf(int number) const;

  int m_capacity;
  int64_t m_firstSeq = 1;  // sequence number of the oldest record; number = seq mod kNumbers
  int m_count = 0;
  std::vector<int64_t> m_times;  // indexed by seq mod capacity
};

}  // namespace sim
