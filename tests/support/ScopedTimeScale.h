#pragma once
// The platform time scale for as long as the guard lives.
//
// The scale is process-wide: a test that left it shortened would run the next
// test's time-outs short too, and an assertion that fails returns before any
// hand-written reset. The guard puts back the scale it found, however its
// scope ends.

class ScopedTimeScale {
 public:
  explicit ScopedTimeScale(double scale);
  ~ScopedTimeScale();
  ScopedTimeScale(const ScopedTimeScale&) = delete;
  ScopedTimeScale& operator=(const ScopedTimeScale&) = delete;

  // Changes the scale within the scope; the destructor still restores the
  // one found at construction.
  void Set(double scale);

 private:
  double m_previous;
};
