#pragma once
// The logger's system record, filled from the reply to "RD SYS".

#include <cstdint>

#include "link/AlmRainInfo.h"
#include "link/SdlTime.h"

class CKX2SysInfo {
 public:
  static constexpr int kTextSize = 64;

  CKX2SysInfo() = default;
  // Copying and comparing take the texts as whole 64-byte blocks, bytes
  // behind the NUL included.
  CKX2SysInfo(const CKX2SysInfo&) = default;
  CKX2SysInfo& operator=(const CKX2SysInfo&) = default;
  virtual ~CKX2SysInfo();
  bool operator==(const CKX2SysInfo&) const = default;

  int32_t m_nKind = 0;  // device kind; set by no reply
  int32_t m_nMeasuring = 0;
  int32_t m_nIdFirst = 0;  // oldest record number in the logger's memory
  int32_t m_nIdLast = 0;   // newest
  int32_t m_nIdThird = 0;  // third number of the "ID" line; only carried along
  CSdlTime m_stStart;
  CSdlTime m_stClock;  // the logger's clock when the record was read
  CSdlTime m_stNext;
  int32_t m_nSampling = 0;       // seconds
  int32_t m_nSamplingEvent = 0;  // seconds
  int32_t m_nSendCount = 0;      // measurements per sending; 0 none
  int32_t m_nSendCountEvent = 0;
  int32_t m_nBatteryStop = 0;  // mV
  char m_szBuild[kTextSize] = {};
  char m_szSerial[kTextSize] = {};
  double m_dRainPerCount = 0.0;  // mm per count
  CAlmRainInfo m_alarm[2];
};
