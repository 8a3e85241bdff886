#pragma once
// The values of one settings transfer: per item whether its values are
// present, and the system and network records they live in.

#include <cstdint>

#include "link/KX2MailInfo.h"
#include "link/KX2SysInfo.h"
#include "settings/SettingItems.h"

class CSettingWorkData {
 public:
  CSettingWorkData();
  CSettingWorkData(const CSettingWorkData& other);
  CSettingWorkData& operator=(const CSettingWorkData& other);
  ~CSettingWorkData();

  uint16_t m_flags[kSettingItemCount];  // nonzero: the item's values are present
  CKX2SysInfo m_sysInfo;
  CKX2MailInfo m_mailInfo;
};
