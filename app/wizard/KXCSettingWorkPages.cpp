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

CInputBaseDlg* CKXCSettingWork::CreatePage(int item) {
  switch (item) {
    case 0:
      return new CDlgInputInitReset;
    case 3:
      return new CDlgInputIoRain;
    case 6:
      return new CDlgInputBatAlart;
    case 11:
      return new CDlgInputSimSetting;
    case 19:
      return new CDlgInputAntenaTest;
    case 20:
      return new CDlgInputTestMail;
    case 21:
      return new CDlgInputRangeRain;
    case 22:
      return new CDlgInputMeasureSetting;
    default:
      return nullptr;
  }
}
