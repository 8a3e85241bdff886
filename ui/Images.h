#pragma once
// The program's pictures, embedded in the program, by resource id:
// PNG 381-385 (antenna levels), 394 and 401 (main view) and icon 128.

#include <QIcon>
#include <QImage>

// The PNG resource of that id; a null image when there is none.
QImage LoadPngResource(unsigned id);
// The icon resource of that id (the application icon is 128); null when none.
QIcon LoadIconResource(unsigned id);
