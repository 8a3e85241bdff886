#pragma once
// The values of one settings transfer: per setting item whether its values
// are present, and the system and network records they live in. The device
// object keeps two (as read and as edited); the settings transfer fills and
// writes them.

#include <cstdint>

#include "link/KX2MailInfo.h"
#include "link/KX2SysInfo.h"

// Setting items are numbered 0-22 everywhere: these flags, the item table of
// the settings transfer, the settings file and the wizard.
constexpr int kSettingItemCount = 23;

class CSettingWorkData {
 public:
  bool operator==(const CSettingWorkData&) const = default;

  uint16_t m_flags[kSettingItemCount] = {};  // nonzero: the item's values are present
  CKX2SysInfo m_sysInfo;
  CKX2MailInfo m_mailInfo;
};
