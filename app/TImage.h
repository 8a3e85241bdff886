#pragma once
// A picture loaded from the program's PNG resources.

#include "ui/Image.h"
#include "ui/KeyboardHook.h"

class CTImage : public CImage {
 public:
  // Loads the PNG resource of that id; a missing or undecodable one leaves
  // the image empty, without a word.
  void LoadPngResource(HINSTANCE hModule, UINT id);
};
