// Which input page each setting item has in the wizard. Items without a
// page (1, and those no logger of this family offers) are passed over.
#include "app/wizard/DlgInputAntenaTest.h"
#include "app/wizard/DlgInputBatAlart.h"
#include "app/wizard/DlgInputInitReset.h"
#include "app/wizard/DlgInputIoRain.h"
#include "app/wizard/DlgInputMeasureSetting.h"
#include "app/wizard/DlgInputRangeRain.h"
#include "app/wizard/DlgInputSimSetting.h"
#include "app/wizard/DlgInputTestMail.h"
#include "settings/KXCSettingWork.h"
#include "settings/SettingItems.h"

std::unique_ptr<CInputBaseDlg> CKXCSettingWork::CreatePage(int item) {
  switch (item) {
    case kItemReset:
      return std::make_unique<CDlgInputInitReset>();
    case kItemRainCoef:
      return std::make_unique<CDlgInputIoRain>();
    case kItemBatteryAlarm:
      return std::make_unique<CDlgInputBatAlart>();
    case kItemAccessPoint:
      return std::make_unique<CDlgInputSimSetting>();
    case kItemAntenna:
      return std::make_unique<CDlgInputAntenaTest>();
    case kItemTestMail:
      return std::make_unique<CDlgInputTestMail>();
    case kItemRainCriteria:
      return std::make_unique<CDlgInputRangeRain>();
    case kItemMeasurement:
      return std::make_unique<CDlgInputMeasureSetting>();
    default:
      return nullptr;
  }
}
