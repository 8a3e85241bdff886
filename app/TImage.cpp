#include "app/TImage.h"

#include "ui/Images.h"

void CTImage::LoadPngResource(HINSTANCE, UINT id) { Attach(::LoadPngResource(id)); }
