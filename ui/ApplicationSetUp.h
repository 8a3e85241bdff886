#pragma once
// What every Qt application of the program needs once it is made (the
// program's own, the picture tool's, those of the tests and benchmarks).

// Numbers keep their full stop (Qt took the locale from the environment),
// the program decides itself when to quit, and the framework's window
// services are installed, and Qt's own dialogs use Qt's Japanese translations;
// with keyFilter, the application-wide key filter too.
void SetUpQtApplication(bool keyFilter);
