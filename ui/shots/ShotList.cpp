// Add a window of the program here: a name and a factory that creates it
// modeless (with the simulator connected where the window needs a logger).
#include "ui/shots/ShotList.h"

#include "res/DialogTemplate.h"
#include "ui/Dialog.h"

namespace {
std::unique_ptr<CWnd> RawTemplate(unsigned id) {
  auto dlg = std::make_unique<CDialog>();
  CDialogTemplate t;
  if (!t.Load(id) || !dlg->CreateIndirect(t)) return nullptr;
  return dlg;
}
}  // namespace

std::vector<ShotEntry> AllShots() {
  std::vector<ShotEntry> shots;
  for (unsigned id : res::AllDialogTemplateIds()) {
    shots.push_back({"template_" + std::to_string(id), [id] { return RawTemplate(id); }});
  }
  // The program's windows follow here, e.g.
  // shots.push_back({"port_dialog", [] { ... }});
  return shots;
}
