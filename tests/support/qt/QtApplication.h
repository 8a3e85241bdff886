#pragma once
// The one Qt application of a test or benchmark program.

// Makes it when none exists yet (offscreen unless the environment names a
// platform), set up as the program sets up its own, and installs the
// framework's window services again either way, since a test may have put
// others in their place.
void EnsureQtApplication(bool keyFilter = true);

// Closes every window and deletes the application, so the leak checker sees
// Qt's caches (fonts) released. Call after the last test, with no window
// still in use.
void DeleteQtApplication();
