// kestrix2comm: the application object theApp is built before this runs;
// the framework brings it up, runs the message loop and shuts it down.
#include "app/Kestrix2CommApp.h"

int main(int argc, char** argv) {
  // Naming theApp here links its object file into the program: nothing else
  // in main refers to it, and the framework finds it only at run time.
  [[maybe_unused]] CWinAppEx& app = theApp;
  return AfxWinMain(argc, argv);
}
