#include "app/DlgMainTest.h"

CDlgMainTest::CDlgMainTest() : CDialog(IDD) {}
