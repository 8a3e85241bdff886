#include "app/DlgMainRecodeData.h"

CDlgMainRecodeData::CDlgMainRecodeData() : CDialog(IDD) {}
