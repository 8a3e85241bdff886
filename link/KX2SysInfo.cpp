#include "link/KX2SysInfo.h"

#include <cstring>

CKX2SysInfo::CKX2SysInfo() {
  std::memset(m_szBuild, 0, sizeof m_szBuild);
  std::memset(m_szSerial, 0, sizeof m_szSerial);
}

CKX2SysInfo::CKX2SysInfo(const CKX2SysInfo& other) : CKX2SysInfo() { *this = other; }

CKX2SysInfo& CKX2SysInfo::operator=(const CKX2SysInfo& other) {
  if (this == &other) return *this;
  m_nKind = other.m_nKind;
  m_nMeasuring = other.m_nMeasuring;
  m_nIdFirst = other.m_nIdFirst;
  m_nIdLast = other.m_nIdLast;
  m_nIdThird = other.m_nIdThird;
  m_stStart = other.m_stStart;
  m_stClock = other.m_stClock;
  m_stNext = other.m_stNext;
  m_nSampling = other.m_nSampling;
  m_nSamplingEvent = other.m_nSamplingEvent;
  m_nSendCount = other.m_nSendCount;
  m_nSendCountEvent = other.m_nSendCountEvent;
  m_nBatteryStop = other.m_nBatteryStop;
  std::memcpy(m_szBuild, other.m_szBuild, sizeof m_szBuild);
  std::memcpy(m_szSerial, other.m_szSerial, sizeof m_szSerial);
  m_dRainPerCount = other.m_dRainPerCount;
  m_alarm[0] = other.m_alarm[0];
  m_alarm[1] = other.m_alarm[1];
  return *this;
}

CKX2SysInfo::~CKX2SysInfo() = default;
