// The tabbed panel as a connected logger fills it: the simulator stands in
// for the logger, and each tab gets a picture of its own.
#include <memory>
#include <string>

#include "app/DlgAqcuired.h"
#include "app/DlgNowMonitor.h"
#include "app/DlgRefMain.h"
#include "app/DlgWorking.h"
#include "app/EscapeEvent.h"
#include "app/Kestrix2CommApp.h"
#include "sim/LoggerSim.h"
#include "sim/RecordRing.h"
#include "sim/SimClock.h"
#include "tools/shots/ShotList.h"

namespace {
// The panel closes the port when the shot is done with it.
class ConnectedPanel : public CDlgRefMain {
 public:
  ~ConnectedPanel() override {
    if (GetSafeHwnd() != 0) DestroyWindow();
    theApp.m_device.ClosePort();
  }
};

sim::LoggerSim& Logger() {
  static sim::LoggerSim logger;
  return logger;
}

bool ConnectToSimulator() {
  sim::LoggerSim& logger = Logger();
  if (!logger.IsRunning()) {
    if (!logger.Start()) return false;
    // A fixed logger time keeps the pictures the same from run to run.
    logger.SetClock(sim::SimClock::HostNow(), false);
    logger.SetRecords(1, 2500);
  }
  CKX2Device& device = theApp.m_device;
  device.m_dcb.BaudRate = 9600;
  device.m_dcb.ByteSize = 8;
  if (device.OpenPort("\\\\.\\" + logger.SlavePath()) != PortOpenResult::kOpened) return false;
  return device.WakeUp() == ReadResult::kDone && device.ReadSystemInfo() == ReadResult::kDone &&
         device.ReadMailInfo() == ReadResult::kDone;
}

// The Data-recording page while a download runs: the page disabled under
// the progress window, which counts the records and offers the abort.
class DownloadingPanel : public ConnectedPanel {
 public:
  ~DownloadingPanel() override {
    if (m_progress.GetSafeHwnd() != 0) m_progress.DestroyWindow();
  }
  CEscapeEvent m_escape;
  CDlgWorking m_progress;
};

// The downloaded-data dialog over the text it shows.
class DataDialog : public CDlgAqcuired {
 public:
  DataDialog() : CDlgAqcuired(&m_text, FALSE, nullptr) {}
  std::string m_text;
};

template <typename Panel = ConnectedPanel>
std::unique_ptr<Panel> PanelOnTab(int tab) {
  theApp.InitStartupSettings();
  if (!ConnectToSimulator()) return nullptr;
  auto panel = std::make_unique<Panel>();
  if (!panel->ShowPanel(nullptr, theApp.m_device.m_workRead.m_sysInfo.m_nKind)) return nullptr;
  panel->m_tab.SetCurSel(tab);
  NMHDR hdr;
  hdr.hwndFrom = panel->m_tab.GetSafeHwnd();
  hdr.idFrom = CDlgRefMain::kTab;
  hdr.code = TCN_SELCHANGE;
  panel->SendMessage(WM_NOTIFY, CDlgRefMain::kTab, reinterpret_cast<LPARAM>(&hdr));
  // The clock field fills on the page's first tick, which a picture taken at
  // once would miss.
  CDlgMainSystem& system = panel->m_pageSystem;
  if (system.m_nTimerId != 0) system.SendMessage(WM_TIMER, system.m_nTimerId, 0);
  CDlgMainMeasSetting& measurement = panel->m_pageMeasSetting;
  if (measurement.m_nTimerId != 0) measurement.SendMessage(WM_TIMER, measurement.m_nTimerId, 0);
  return panel;
}

constexpr int kRecordingTab = 4;

std::unique_ptr<CWnd> DownloadInProgress() {
  auto panel = PanelOnTab<DownloadingPanel>(kRecordingTab);
  if (!panel) return nullptr;
  panel->m_pageRecodeData.EnableWindow(FALSE);
  panel->m_progress.m_pEscapeEvent = &panel->m_escape;
  if (!theApp.CreateWithFont(panel->m_progress, CDlgWorking::IDD, panel.get())) return nullptr;
  panel->m_progress.SendMessage(WM_COMMAND, CDlgWorking::kSetTotal, 2500);
  panel->m_progress.SendMessage(WM_COMMAND, CDlgWorking::kSetCount, 1234);
  return panel;
}

std::unique_ptr<CWnd> DownloadedData() {
  theApp.InitStartupSettings();
  // Fixed record times keep the picture the same from run to run.
  sim::RecordRing ring;
  ring.Fill(1, 60, 1709647629, 600);
  auto dlg = std::make_unique<DataDialog>();
  for (int n = 1; n <= 60; ++n) dlg->m_text += ring.Line(n) + "\r\n";
  if (!theApp.CreateWithFont(*dlg, CDlgAqcuired::IDD, nullptr)) return nullptr;
  return dlg;
}

// The current-values dialog after a read. The line is read straight from the
// simulator: a shot runs no background operation.
class CurrentValues : public CDlgNowMonitor {
 public:
  ~CurrentValues() override {
    if (GetSafeHwnd() != 0) DestroyWindow();
    theApp.m_device.ClosePort();
  }
};

std::unique_ptr<CWnd> CurrentValuesRead() {
  theApp.InitStartupSettings();
  if (!ConnectToSimulator()) return nullptr;
  auto dlg = std::make_unique<CurrentValues>();
  if (!theApp.CreateWithFont(*dlg, CDlgNowMonitor::IDD, nullptr)) return nullptr;
  if (theApp.m_device.ReadCurrentValues(dlg->m_strLine) != DeviceResult::kOk) return nullptr;
  dlg->FillList();
  return dlg;
}
}  // namespace

void AddPanelShots(std::vector<ShotEntry>& shots) {
  const char* names[] = {"panel_system", "panel_measurement", "panel_communication", "panel_test", "panel_recording"};
  for (int tab = 0; tab < 5; ++tab) {
    shots.push_back({names[tab], [tab] { return PanelOnTab(tab); }});
  }
  shots.push_back({"panel_recording_download", DownloadInProgress});
  shots.push_back({"downloaded_data", DownloadedData});
  shots.push_back({"current_values", CurrentValuesRead});
}
