// The firmware update dialog with an image chosen: its path and header
// strings shown, and the warning texts in their colours.
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/DlgFirm.h"
#include "app/Kestrix2CommApp.h"
#include "tools/samples/HexImage.h"
#include "tools/shots/ShotList.h"
#include "ui/RecordingMessageService.h"

namespace {
// Deleted once the dialog has read it; a fixed name keeps the picture the
// same from run to run.
std::unique_ptr<CWnd> FirmwareDialog() {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "kx2shots";
  std::filesystem::create_directories(folder);
  const std::string path = (folder / "KX2_RG01_2.05.hex").string();
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      << FirmwareImage({"KESTRX2", "2.05"}, {"25-01-10", "RG-01"}, 40);

  theApp.InitStartupSettings();
  auto dlg = std::make_unique<CDlgFirm>();
  if (!theApp.CreateWithFont(*dlg, CDlgFirm::IDD, nullptr)) return nullptr;
  {
    RecordingMessageService chooser;
    chooser.AnswerPath(path);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(CDlgFirm::kSelectFile, BN_CLICKED), 0);
  }
  std::filesystem::remove_all(folder);
  return dlg;
}
}  // namespace

void AddFirmwareShots(std::vector<ShotEntry>& shots) { shots.push_back({"firmware_dialog", FirmwareDialog}); }
