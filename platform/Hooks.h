#pragma once
// The two ways the toolkit-free core reaches the window side, installed by the
// application at start-up (and by tests): window services for small integer
// window handles, and the message pump that the link layer runs while it
// waits. Until something is installed, every call does nothing.

#include <cstdint>

namespace platform {

// A window handle: a small positive integer; 0 means none.
using WindowHandle = std::intptr_t;

struct WindowServices {
  bool (*isWindow)(WindowHandle) = nullptr;
  // Posts a command id with a parameter to the window, to be handled on the
  // window's thread. Must be safe to call from any thread.
  bool (*postCommand)(WindowHandle, unsigned command, std::intptr_t param) = nullptr;
};

void InstallWindowServices(const WindowServices& services);
bool IsWindow(WindowHandle window);
bool PostCommand(WindowHandle window, unsigned command, std::intptr_t param);

// A pump answers whether it serves the calling thread at all: a waiting
// thread that no pump serves can sleep through its whole wait.
using PumpHook = bool (*)();
void InstallPumpHook(PumpHook hook);
// Runs the installed pump on the calling thread; false when none is set or it
// does not serve this thread.
bool PumpMessages();

}  // namespace platform
