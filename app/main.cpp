// kestrix2comm: the application object theApp is built before this runs;
// the framework brings it up, runs the message loop and shuts it down.
#include "app/Kestrix2CommApp.h"

int main(int argc, char** argv) { return AfxWinMain(theApp, argc, argv); }
