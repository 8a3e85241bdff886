#include "app/DlgNetsSim.h"

CDlgNetsSim::CDlgNetsSim() : CDialog(IDD) {}

void CDlgNetsSim::Refresh() {}
