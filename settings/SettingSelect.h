#pragma once
// Which setting items one run of the item tree or the wizard offers (available)
// and which the operator chose (checked). A plain value, copied whole.

#include <cstdint>

#include "settings/SettingItems.h"

class CSettingSelect {
 public:
  struct Item {
    int32_t available = 0;
    int32_t checked = 0;
  };

  static constexpr uint16_t kNoGroup = 0xFFFF;

  // Offers, and ticks, every item of this logger family that is implemented
  // for the direction: the logger when fileDirection is 0, else the file.
  void Init(int32_t mode, int32_t fileDirection);

  Item m_item[kSettingItemCount];
  int32_t m_nMode = 0;  // device kind; carried, not used for availability
  uint16_t m_nCurrent = kNoGroup;
};
