// Add a window of the program here: a name and a factory that creates it
// modeless (with the simulator connected where the window needs a logger).
#include "ui/shots/ShotList.h"

#include "app/AboutDlg.h"
#include "app/DlgWorking.h"
#include "app/EscapeEvent.h"
#include "app/Kestrix2CommApp.h"
#include "res/DialogTemplate.h"
#include "ui/Dialog.h"

namespace {
std::unique_ptr<CWnd> RawTemplate(unsigned id) {
  auto dlg = std::make_unique<CDialog>();
  CDialogTemplate t;
  if (!t.Load(id) || !dlg->CreateIndirect(t)) return nullptr;
  return dlg;
}

// The progress window of a cancellable download, part way through.
std::unique_ptr<CWnd> ProgressWindow() {
  static CEscapeEvent escape;
  theApp.InitStartupSettings();
  auto dlg = std::make_unique<CDlgWorking>();
  dlg->m_pEscapeEvent = &escape;
  if (!theApp.CreateWithFont(*dlg, CDlgWorking::IDD, nullptr)) return nullptr;
  dlg->SendMessage(WM_COMMAND, CDlgWorking::kSetTotal, 500);
  dlg->SendMessage(WM_COMMAND, CDlgWorking::kSetCount, 17);
  return dlg;
}

std::unique_ptr<CWnd> AboutBox() {
  auto dlg = std::make_unique<CAboutDlg>();
  if (!dlg->Create(CAboutDlg::IDD)) return nullptr;
  return dlg;
}
}  // namespace

std::vector<ShotEntry> AllShots() {
  std::vector<ShotEntry> shots;
  for (unsigned id : res::AllDialogTemplateIds()) {
    shots.push_back({"template_" + std::to_string(id), [id] { return RawTemplate(id); }});
  }
  // The program's windows follow here.
  shots.push_back({"progress_window", ProgressWindow});
  shots.push_back({"about_box", AboutBox});
  return shots;
}
