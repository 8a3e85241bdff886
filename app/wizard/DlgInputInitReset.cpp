#include "app/wizard/DlgInputInitReset.h"

#include "app/Kestrix2CommApp.h"
#include "res/StringIds.h"
#include "res/StringTable.h"

CDlgInputInitReset::CDlgInputInitReset() : CInputBaseDlg(IDD) {
  MapCommand(kResetButton, [this] { static_cast<void>(RunWorkAndReport(nullptr)); });
}

WorkResult CDlgInputInitReset::ThreadWork() {
  const WorkResult result = WorkResultOf(theApp.m_device.ResetLogger());
  if (result == WorkResult::kDone) theApp.m_device.m_strSuccess = res::LoadString(res::kStrSuccess);
  return result;
}
