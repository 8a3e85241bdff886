#include "sim/RecordRing.h"

#include <algorithm>
#include <cstdio>

#include "sim/SimClock.h"
#include "sim/SimText.h"

namespace sim {

RecordRing::RecordRing(int capacity)
    : m_capacity(std::clamp(capacity, 1, kMaxCapacity)), m_times(static_cast<size_t>(m_capacity)) {}

void RecordRing::Fill(int firstNumber, int count, int64_t lastTime, int interval) {
  m_firstSeq = ((firstNumber % kNumbers) + kNumbers) % kNumbers;
  m_count = 0;
  count = std::clamp(count, 0, m_capacity);
  for (int i = 0; i < count; ++i) Append(lastTime - static_cast<int64_t>(count - 1 - i) * interval);
}

void RecordRing::Clear() {
  m_firstSeq = 1;
  m_count = 0;
}

void RecordRing::Append(int64_t time) {
  if (m_count == m_capacity) {
    ++m_firstSeq;
    --m_count;
  }
  const int64_t seq = m_firstSeq + m_count;
  m_times[static_cast<size_t>(seq % m_capacity)] = time;
  ++m_count;
}

int RecordRing::FirstNumber() const { return m_count == 0 ? 0 : static_cast<int>(m_firstSeq % kNumbers); }

int RecordRing::LastNumber() const {
  return m_count == 0 ? 0 : static_cast<int>((m_firstSeq + m_count - 1) % kNumbers);
}

bool RecordRing::Holds(int number) const {
  if (m_count == 0 || number < 0 || number >= kNumbers) return false;
  return (number - FirstNumber() + kNumbers) % kNumbers < m_count;
}

int64_t RecordRing::SeqOf(int number) const { return m_firstSeq + (number - FirstNumber() + kNumbers) % kNumbers; }

std::string RecordRing::Line(int number) const {
  if (!Holds(number)) return std::string();
  const int64_t seq = SeqOf(number);
  const int64_t time = m_times[static_cast<size_t>(seq % m_capacity)];
  // A rain gauge mostly sees dry intervals: 0 to 4 half-millimetre counts.
  const double rain = static_cast<double>(seq * 7 % 5) * 0.5;
  const double battery = (3600 + seq % 20) / 1000.0;
  char head[16];
  std::snprintf(head, sizeof head, "%05d", number);
  return std::string(head) + "," + SimClock::Format(time) + "," + FormatFixed(rain, 1) + "," + FormatFixed(battery, 3);
}

std::vector<int> RecordRing::Select(int start, int count) const {
  std::vector<int> out;
  if (start < 0 || start >= kNumbers || count <= 0) return out;
  count = std::min(count, kNumbers);
  for (int i = 0; i < count; ++i) {
    const int number = (start + i) % kNumbers;
    if (Holds(number)) out.push_back(number);
  }
  return out;
}

}  // namespace sim
