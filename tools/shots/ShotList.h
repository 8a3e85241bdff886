#pragma once
// The windows that kx2shots renders: one entry per picture, a name (the file
// name without .png) and a factory that builds the window to render.

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CWnd;

struct ShotEntry {
  std::string name;
  // Builds the window (modeless, not necessarily shown); nullptr skips it.
  std::function<std::unique_ptr<CWnd>()> make;
};

// Every dialog template as the framework builds it from the resources, then
// the entries of the program's own windows.
std::vector<ShotEntry> AllShots();

// The main window and the port dialog (FrameShots.cpp).
void AddFrameShots(std::vector<ShotEntry>& shots);

// The tabbed panel on each of its tabs, and the current-values dialog after
// a read, connected to the simulator.
void AddPanelShots(std::vector<ShotEntry>& shots);

// The input edits and coloured switches in their test dialog (ControlShots.cpp).
void AddControlShots(std::vector<ShotEntry>& shots);
// The firmware update dialog with an image chosen (FirmwareShots.cpp).
void AddFirmwareShots(std::vector<ShotEntry>& shots);
// The item tree and the wizard pages (WizardShots.cpp).
void AddWizardShots(std::vector<ShotEntry>& shots);
