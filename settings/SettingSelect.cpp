#include "settings/SettingSelect.h"

void CSettingSelect::Init(int32_t mode, int32_t fileDirection) {
  const uint8_t direction = fileDirection != 0 ? kSettingToFile : kSettingToLogger;
  for (int i = 0; i < kSettingItemCount; ++i) {
    const SettingItemDef& def = g_settingItems[i];
    const bool family = (def.familyMask & 1u) != 0 || def.familyMask == 0xFFFFFFFFu;
    const bool enabled = (def.enable & 1u) != 0;
    const bool directed = (def.direction & direction) != 0;
    const int32_t on = family && enabled && directed ? 1 : 0;
    m_item[i].available = on;
    m_item[i].checked = on;
  }
  m_nMode = mode;
  m_nCurrent = kNoGroup;
}
