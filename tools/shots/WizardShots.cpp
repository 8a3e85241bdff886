// The settings transfer's dialogs as the program opens them, with the
// dialog font: the item tree and the wizard pages at a place in their walk.
#include <memory>

#include "app/Kestrix2CommApp.h"
#include "app/wizard/DlgInputAntenaTest.h"
#include "app/wizard/DlgInputBatAlart.h"
#include "app/wizard/DlgInputCheckIMEI.h"
#include "app/wizard/DlgInputInitReset.h"
#include "app/wizard/DlgInputIoRain.h"
#include "app/wizard/DlgInputMeasureSetting.h"
#include "app/wizard/DlgInputRangeRain.h"
#include "app/wizard/DlgInputSimSetting.h"
#include "app/wizard/DlgInputTestMail.h"
#include "app/wizard/DlgTreeItem.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "tools/shots/ShotList.h"

namespace {
// The item tree of a setting command, every item the logger offers.
std::unique_ptr<CWnd> ItemTree() {
  theApp.InitStartupSettings();
  auto dlg = std::make_unique<CDlgTreeItem>();
  dlg->m_select.Init(0, 0);
  dlg->m_select.m_item[1].checked = 0;
  if (!theApp.CreateWithFont(*dlg, CDlgTreeItem::IDD, nullptr)) return nullptr;
  return dlg;
}

// The tree of an import, titled so, offering the items a file held.
std::unique_ptr<CWnd> ImportTree() {
  theApp.InitStartupSettings();
  auto dlg = std::make_unique<CDlgTreeItem>();
  dlg->SetTitle(res::LoadString(res::kStrImportTitle));
  dlg->m_select.Init(0, 1);
  dlg->m_select.m_item[6] = {0, 0};
  if (!theApp.CreateWithFont(*dlg, CDlgTreeItem::IDD, nullptr)) return nullptr;
  return dlg;
}

// A page opened at that place of its walk.
template <class Page>
std::unique_ptr<Page> PageAt(unsigned flags) {
  theApp.InitStartupSettings();
  auto page = std::make_unique<Page>();
  page->m_nPageFlags = flags;
  if (!theApp.CreateWithFont(*page, Page::IDD, nullptr)) return nullptr;
  return page;
}

std::unique_ptr<CWnd> RainPage() {
  theApp.m_device.m_workEdit.m_sysInfo.m_dRainPerCount = 0.5;
  return PageAt<CDlgInputIoRain>(CWizerdWorkCore::kFirstPage);
}

// After a check that read three bars.
std::unique_ptr<CWnd> AntennaPage() {
  auto page = PageAt<CDlgInputAntenaTest>(CWizerdWorkCore::kMiddlePage);
  if (page) {
    page->m_nLevel = 3;
    page->m_bReload = 1;
  }
  return page;
}

// The values the simulator starts with, as a connect would have read them.
std::unique_ptr<CWnd> BatteryPage() {
  theApp.m_device.m_workEdit.m_sysInfo.m_nBatteryStop = 3600;
  return PageAt<CDlgInputBatAlart>(CWizerdWorkCore::kFirstPage);
}

std::unique_ptr<CWnd> MeasurementPage() {
  CKX2SysInfo& sys = theApp.m_device.m_workEdit.m_sysInfo;
  sys.m_stStart.m_nYear = 2026;
  sys.m_stStart.m_nMonth = 4;
  sys.m_stStart.m_nDay = 1;
  sys.m_stStart.m_nHour = 9;
  sys.m_stStart.m_nMinute = 30;
  sys.m_nSampling = 600;
  sys.m_nSamplingEvent = 60;
  sys.m_nSendCount = 6;
  sys.m_nSendCountEvent = 1;
  auto page = PageAt<CDlgInputMeasureSetting>(CWizerdWorkCore::kLastPage);
  // The clock as the timer shows it once the logger's clock has been read.
  if (page) page->m_editDeviceTime.SetWindowText("2026-03-31 14:05:12");
  return page;
}

std::unique_ptr<CWnd> CriteriaPage() {
  CKX2SysInfo& sys = theApp.m_device.m_workEdit.m_sysInfo;
  sys.m_alarm[0] = CAlmRainInfo();
  sys.m_alarm[0].m_dThreshold = 10.0;
  sys.m_alarm[0].m_nPeriod = 90;
  sys.m_alarm[0].m_nEnable = 1;
  sys.m_alarm[1].m_dThreshold = 5.5;
  sys.m_alarm[1].m_nPeriod = 30;
  sys.m_alarm[1].m_nEnable = 0;
  return PageAt<CDlgInputRangeRain>(CWizerdWorkCore::kFirstPage);
}

void SetAccessPoint() {
  CKX2MailInfo& mail = theApp.m_device.m_workEdit.m_mailInfo;
  mail.m_strApn = "rain.example";
  mail.m_strUser = "kx2";
  mail.m_strPassword = "kx2pass";
  mail.m_strAuth = "CHAP";
  mail.m_strImei = "356938035643809";
}

// Typed values, in the middle of an import's walk.
std::unique_ptr<CWnd> AccessPointPage() {
  SetAccessPoint();
  return PageAt<CDlgInputSimSetting>(CWizerdWorkCore::kMiddlePage);
}

// Alone from the Communication page, with the preset profile chosen.
std::unique_ptr<CWnd> AccessPointPreset() {
  SetAccessPoint();
  auto page = PageAt<CDlgInputSimSetting>(CWizerdWorkCore::kOnlyPage);
  if (page) {
    page->m_nCarrier = CDlgInputSimSetting::kChoicePreset;
    page->UpdateData(FALSE);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(CDlgInputSimSetting::kPreset, BN_CLICKED), 0);
  }
  return page;
}
}  // namespace

void AddWizardShots(std::vector<ShotEntry>& shots) {
  shots.push_back({"wizard_item_tree", ItemTree});
  shots.push_back({"wizard_item_tree_import", ImportTree});
  shots.push_back({"wizard_reset", [] { return PageAt<CDlgInputInitReset>(CWizerdWorkCore::kOnlyPage); }});
  shots.push_back({"wizard_rain_coefficient", RainPage});
  shots.push_back({"wizard_battery_alarm", BatteryPage});
  shots.push_back({"wizard_measurement", MeasurementPage});
  shots.push_back({"wizard_rain_criteria", CriteriaPage});
  shots.push_back({"wizard_access_point", AccessPointPage});
  shots.push_back({"wizard_access_point_preset", AccessPointPreset});
  shots.push_back({"wizard_imei_alone", [] { return PageAt<CDlgInputCheckIMEI>(0xFFFFFF02); }});
  shots.push_back({"wizard_antenna", AntennaPage});
  shots.push_back({"wizard_test_mail", [] { return PageAt<CDlgInputTestMail>(CWizerdWorkCore::kLastPage); }});
}
