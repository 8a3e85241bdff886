#pragma once
// The main frame with its document and view, wired to the link layer as
// start-up wires it, against the logger simulator on a pseudo-terminal that
// the port list names through KX2_PORTS. Message boxes and file dialogs go
// to a recording double; modal dialogs are driven through the modal hook.

#include <dirent.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/ComSettingDlg.h"
#include "app/Kestrix2CommApp.h"
#include "app/Kestrix2CommDoc.h"
#include "app/Kestrix2CommView.h"
#include "app/MainFrame.h"
#include "sim/LoggerSim.h"
#include "sim/SimClock.h"
#include "tests/app/AppTestSupport.h"
#include "tests/support/ScopedTimeScale.h"
#include "ui/RecordingMessageService.h"
#include "ui/SingleDocTemplate.h"

// Threads of this program now, as the kernel lists them. Threads that Qt
// starts for itself carry names of their own and are left out; ours keep the
// program's name.
inline int ProcessThreadCount() {
  auto nameOf = [](const std::string& path) {
    std::ifstream in(path);
    std::string name;
    std::getline(in, name);
    return name;
  };
  const std::string own = nameOf("/proc/self/comm");
  int n = 0;
  if (DIR* d = opendir("/proc/self/task")) {
    while (dirent* e = readdir(d)) {
      if (e->d_name[0] == '.') continue;
      n += nameOf(std::string("/proc/self/task/") + e->d_name + "/comm") == own ? 1 : 0;
    }
    closedir(d);
  }
  return n;
}

inline std::string DevicePath(const std::string& path) { return "\\\\.\\" + path; }

class FrameTest : public ::testing::Test {
 protected:
  // A 5000 ms reply time-out is 500 ms of real time: far above the
  // simulator's answer time, short enough to wait out a silent logger.
  static constexpr double kScale = 0.1;

  void SetUp() override {
    EnsureQtApplication();
    SetEchoLog(&theApp.m_log);
    theApp.m_dlgTerminal.SetLink(&theApp.m_device.m_port, &theApp.m_log);
    CDlgTerminal::InstallAsPump(&theApp.m_dlgTerminal);
    static const bool ringReady = theApp.m_log.m_echoBuffer.Init() == 1;
    ASSERT_TRUE(ringReady);
    platform::DCB& dcb = theApp.m_device.m_dcb;
    dcb.BaudRate = 9600;
    dcb.ByteSize = 8;
    dcb.Parity = platform::NOPARITY;
    dcb.StopBits = platform::ONESTOPBIT;

    ASSERT_TRUE(sim.Start());
    sim.SetClock(sim::SimClock::HostNow(), false);
    setenv("KX2_PORTS", sim.SlavePath().c_str(), 1);
    // The simulator is the port last used.
    theApp.m_device.m_strLastPort = DevicePath(sim.SlavePath());
    timeScale.Set(kScale);

    docTemplate = std::make_unique<CSingleDocTemplate>(
        128, [] { return new CKestrix2CommDoc; }, [this] { return NewFrame(); }, [] { return new CKestrix2CommView; });
    ASSERT_TRUE(docTemplate->OpenDocumentFile());
    frame = static_cast<CMainFrame*>(docTemplate->GetFrame());
  }

  void TearDown() override {
    CDialog::SetModalHook(nullptr);
    // The main window going would end the message loop, and every nested
    // loop after it (the next modal dialog's) would return at once.
    theApp.m_pMainWnd = nullptr;
    if (docTemplate) docTemplate->Close();
    docTemplate.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    sim.Stop();
    unsetenv("KX2_PORTS");
  }

  // The main window the document template makes; a test may watch it.
  virtual CMainFrame* NewFrame() { return new CMainFrame; }

  // The port dialog of the next Connect: `act` sees it running and ends it.
  void OnPortDialog(std::function<void(CComSettingDlg&)> act) {
    CDialog::SetModalHook([this, act](CDialog* dlg) {
      auto* port = dynamic_cast<CComSettingDlg*>(dlg);
      if (!port) return;
      ++portDialogs;
      act(*port);
    });
  }

  // Connect as the menu (or start-up) does, answering the port dialog with OK
  // on whatever it preselected; returns once the road has ended.
  bool Connect() {
    OnPortDialog([](CComSettingDlg& dlg) { dlg.SendMessage(WM_COMMAND, IDOK, 0); });
    const size_t boxesBefore = boxes.boxes.size();
    const int dialogsBefore = portDialogs;
    frame->PostMessage(WM_COMMAND, CMainFrame::ID_CONNECT, 0);
    return PumpUntil([&] {
      return portDialogs > dialogsBefore && !CKXCWorkingThread::IsOperationRunning() &&
             (frame->m_nState != 0 || boxes.boxes.size() > boxesBefore);
    });
  }

  bool Enabled(UINT id) { return frame->QueryCommandUI(id).m_bEnabled != FALSE; }

  std::vector<std::string> Commands() const {
    std::vector<std::string> out;
    for (const std::string& c : sim.ReceivedCommands())
      if (!c.empty()) out.push_back(c);
    return out;
  }

  void SilenceFor(const std::string& command) {
    sim::Fault f;
    f.kind = sim::FaultKind::NoAnswer;
    f.command = command;
    f.count = -1;
    sim.InjectFault(f);
  }

  // Declared first: restores once everything else is gone.
  ScopedTimeScale timeScale{1.0};
  sim::LoggerSim sim;
  RecordingMessageService boxes;
  std::unique_ptr<CSingleDocTemplate> docTemplate;
  CMainFrame* frame = nullptr;
  int portDialogs = 0;
};
