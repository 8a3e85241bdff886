// Add a window of the program here: a name and a factory that creates it
// modeless (with the simulator connected where the window needs a logger).
#include "tools/shots/ShotList.h"

#include <QFileDialog>
#include <QMessageBox>

#include "app/AboutDlg.h"
#include "app/DlgTerminal.h"
#include "app/DlgWorking.h"
#include "app/EscapeEvent.h"
#include "app/Kestrix2CommApp.h"
#include "app/LogView.h"
#include "link/MLog.h"
#include "res/DialogTemplate.h"
#include "res/StringIds.h"
#include "res/StringTable.h"
#include "ui/Dialog.h"
#include "ui/QtMessageService.h"

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

// The terminal after a wake-up and a system read, with a line being typed.
std::unique_ptr<CWnd> Terminal() {
  static CMLog log;
  if (log.m_echoBuffer.Init() != 1) return nullptr;
  auto dlg = std::make_unique<CDlgTerminal>();
  dlg->SetLink(nullptr, &log);
  if (!dlg->CreateTerminal(nullptr)) return nullptr;
  const auto sent = [](const std::string& text) { log.Write(text.data(), static_cast<int32_t>(text.size())); };
  const auto received = [](const std::string& text) {
    log.WriteReceived(text.data(), static_cast<int32_t>(text.size()));
  };
  sent("\r\nHELLO\r\n");
  received("WAKE\r\nKESTRIX2 RG-01 Ver[1.00]\r\nYES END\r\n");
  sent("RD SYS\r\n");
  received("MEAS=1,INT=10,RAIN=0.5\r\nBAT=3600\r\nYES END\r\n> ");
  dlg->SendMessage(WM_COMMAND, CDlgTerminal::kRefresh);
  dlg->GetView()->InputChars("RD NET", 6);
  dlg->GetView()->EnableCaretBlink(WA_ACTIVE, nullptr, FALSE);
  return dlg;
}
// The terminal with the save dialog of 表示ログ保存 open over it.
std::unique_ptr<CWnd> TerminalSaving() {
  std::unique_ptr<CWnd> terminal = Terminal();
  if (!terminal) return nullptr;
  terminal->ShowWindow(SW_SHOW);
  FileDialogRequest request;
  request.open = false;
  request.defaultExt = "log";
  request.fileName = "DWL_20261209_101500.log";
  request.flags = OFN_OVERWRITEPROMPT;
  request.filter = "Log file(*.log)|*.log||";
  request.owner = static_cast<CDlgTerminal*>(terminal.get())->GetView();
  // The terminal's window holds the dialog and deletes it with itself; the
  // dialog sits lower right, so the terminal shows beside it.
  QFileDialog* dialog = MakeFileDialog(request).release();
  dialog->move(terminal->GetWidget()->pos() + QPoint(160, 120));
  dialog->show();
  return terminal;
}

// A box whose caption is longer than its text: the time synchronisation's
// success.
std::unique_ptr<CWnd> LongCaptionBox() {
  auto box = std::make_unique<CWnd>();
  box->Attach(MakeMessageBox(nullptr, res::LoadString(res::kStrSuccess), "Time Synchronization", MB_OK).release(), 0,
              true);
  return box;
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
  shots.push_back({"terminal", Terminal});
  shots.push_back({"terminal_save_dialog", TerminalSaving});
  shots.push_back({"message_box_long_caption", LongCaptionBox});
  AddFrameShots(shots);
  AddPanelShots(shots);
  AddControlShots(shots);
  AddFirmwareShots(shots);
  AddWizardShots(shots);
  return shots;
}
