#include "settings/SettingWorkData.h"

#include <cstring>

CSettingWorkData::CSettingWorkData() { std::memset(m_flags, 0, sizeof m_flags); }

CSettingWorkData::CSettingWorkData(const CSettingWorkData& other) : CSettingWorkData() { *this = other; }

CSettingWorkData& CSettingWorkData::operator=(const CSettingWorkData& other) {
  if (this == &other) return *this;
  std::memcpy(m_flags, other.m_flags, sizeof m_flags);
  m_sysInfo = other.m_sysInfo;
  m_mailInfo = other.m_mailInfo;
  return *this;
}

CSettingWorkData::~CSettingWorkData() = default;
