#pragma once
// Menu 128, accelerator table 128 and the document string, as data.

#include <vector>

namespace res {

struct MenuItem {
  unsigned command;                // 0 for a pop-up or a separator
  const char* text;                // UTF-8 with '&' mnemonics; "" for a separator
  std::vector<MenuItem> children;  // non-empty for a pop-up
  bool separator = false;
};

struct Accelerator {
  unsigned command;
  int key;  // a virtual-key code (e.g. 'N', 0x75 for F6, 0x2E Delete, 0x2D Insert, 0x08 Back)
  bool ctrl, shift, alt;
};

const std::vector<MenuItem>& MainMenu();             // menu 128: its pop-ups in order
const std::vector<Accelerator>& MainAccelerators();  // accelerator table 128
const char* DocumentString();                        // the document string of resource 128

}  // namespace res
