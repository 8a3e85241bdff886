#pragma once
// The 23 setting items that can be written into the logger or carried in a
// settings file. Item indexes are shared by the settings file, the wizard and
// the main frame, so rows that no logger offers stay in the table. The count
// itself, kSettingItemCount, stands beside the work record, whose flags are
// indexed the same way.

#include <cstdint>

#include "link/SettingWorkData.h"

struct SettingItemDef {
  uint16_t group;       // 1-4; group name is string 2000 + group - 1
  uint32_t stringId;    // 3000 + item index
  uint32_t familyMask;  // bit 0: this logger family; 0xFFFFFFFF every family
  uint8_t enable;       // bit 0: implemented
  uint8_t direction;    // bit 1: into the logger; bit 0: settings file
};

// Direction bits of SettingItemDef::direction.
constexpr uint8_t kSettingToFile = 0x01;
constexpr uint8_t kSettingToLogger = 0x02;

extern const SettingItemDef g_settingItems[kSettingItemCount];

// Indexes of the items that the pages, the wizard and the settings file name.
enum SettingItemIndex : int {
  kItemReset = 0,
  kItemRainCoef = 3,
  kItemBatteryAlarm = 6,
  kItemAccessPoint = 11,
  kItemAntenna = 19,
  kItemTestMail = 20,
  kItemRainCriteria = 21,
  kItemMeasurement = 22,
};
