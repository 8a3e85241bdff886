#pragma once
// One rain alarm of event mode: the logger switches to its event schedule when
// more than the threshold falls within the period.

#include <cstdint>

class CAlmRainInfo {
 public:
  CAlmRainInfo() = default;
  CAlmRainInfo(const CAlmRainInfo&) = default;
  CAlmRainInfo& operator=(const CAlmRainInfo&) = default;
  virtual ~CAlmRainInfo();
  bool operator==(const CAlmRainInfo&) const = default;

  int32_t m_nNo = 0;          // as the logger reported it (1 or 2)
  double m_dThreshold = 0.0;  // mm
  int32_t m_nPeriod = 0;      // minutes; negative when the logger reports so
  int32_t m_nEnable = 0;      // 1 on, 0 off
};
