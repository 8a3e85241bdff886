// The main window before and after connecting to the logger simulator, and
// the port selection dialog that lists it.
#include <QCoreApplication>
#include <QDir>
#include <cstdlib>
#include <memory>

#include "app/ComSettingDlg.h"
#include "app/Kestrix2CommApp.h"
#include "app/Kestrix2CommDoc.h"
#include "app/Kestrix2CommView.h"
#include "app/MainFrame.h"
#include "sim/LoggerSim.h"
#include "tools/shots/ShotList.h"

namespace {
// One simulator for every picture that needs a logger; it lives until exit.
sim::LoggerSim& Simulator() {
  static sim::LoggerSim* logger = [] {
    auto* s = new sim::LoggerSim;
    s->Start();
    setenv("KX2_PORTS", s->SlavePath().c_str(), 1);
    return s;
  }();
  return *logger;
}

std::string SimulatorDevice() { return "\\\\.\\" + Simulator().SlavePath(); }

// The frame as the document template makes it, with its view and document.
class ShotFrame : public CMainFrame {
 public:
  BOOL Build() {
    if (!LoadFrame(128)) return FALSE;
    m_view.SetDocument(&m_doc);
    if (!CreateView(&m_view)) return FALSE;
    m_view.SendMessage(WM_INITIALUPDATE);
    SetWindowText(CKestrix2CommApp::MainWindowTitle());
    return TRUE;
  }

 private:
  CKestrix2CommDoc m_doc;
  CKestrix2CommView m_view;
};

std::unique_ptr<CWnd> MainWindow(bool connected) {
  platform::DCB& dcb = theApp.m_device.m_dcb;
  dcb.BaudRate = 9600;
  dcb.ByteSize = 8;
  dcb.Parity = platform::NOPARITY;
  dcb.StopBits = platform::ONESTOPBIT;
  auto frame = std::make_unique<ShotFrame>();
  if (!frame->Build()) return nullptr;
  if (connected && !frame->ConnectPort(SimulatorDevice())) return nullptr;
  return frame;
}

std::unique_ptr<CWnd> PortDialog() {
  Simulator();
  auto dlg = std::make_unique<CComSettingDlg>();
  dlg->m_szPort = SimulatorDevice();
  if (!theApp.CreateWithFont(*dlg, CComSettingDlg::IDD, nullptr)) return nullptr;
  return dlg;
}

// The port dialog as ./scripts/run shows it: the simulator under the link
// that the run makes in the build folder, a path longer than the list has room for.
std::unique_ptr<CWnd> PortDialogWithRunLink() {
  Simulator();
  const std::string link =
      QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../../kx2sim.tty")).toStdString();
  const std::string ports = getenv("KX2_PORTS") ? getenv("KX2_PORTS") : "";
  setenv("KX2_PORTS", link.c_str(), 1);
  auto dlg = std::make_unique<CComSettingDlg>();
  dlg->m_szPort = "\\\\.\\" + link;
  const BOOL made = theApp.CreateWithFont(*dlg, CComSettingDlg::IDD, nullptr);
  setenv("KX2_PORTS", ports.c_str(), 1);
  return made ? std::move(dlg) : nullptr;
}
}  // namespace

void AddFrameShots(std::vector<ShotEntry>& shots) {
  shots.push_back({"main_window", [] { return MainWindow(false); }});
  shots.push_back({"port_dialog", [] { return PortDialog(); }});
  shots.push_back({"port_dialog_simulator_link", [] { return PortDialogWithRunLink(); }});
  shots.push_back({"main_window_connected", [] { return MainWindow(true); }});
}
