#include "app/DlgMainMeasSetting.h"

CDlgMainMeasSetting::CDlgMainMeasSetting() : CDialog(IDD) {}

void CDlgMainMeasSetting::Refresh() {}
