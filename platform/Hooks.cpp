#include "platform/Hooks.h"

#include <atomic>

namespace platform {
namespace {
std::atomic<bool (*)(WindowHandle)> g_isWindow{nullptr};
std::atomic<bool (*)(WindowHandle, unsigned, std::intptr_t)> g_postCommand{nullptr};
std::atomic<PumpHook> g_pump{nullptr};
}  // namespace

void InstallWindowServices(const WindowServices& services) {
  g_isWindow = services.isWindow;
  g_postCommand = services.postCommand;
}

bool IsWindow(WindowHandle window) {
  auto fn = g_isWindow.load();
  return window != 0 && fn && fn(window);
}

bool PostCommand(WindowHandle window, unsigned command, std::intptr_t param) {
  auto fn = g_postCommand.load();
  return window != 0 && fn && fn(window, command, param);
}

void InstallPumpHook(PumpHook hook) { g_pump = hook; }

bool PumpMessages() {
  auto fn = g_pump.load();
  return fn && fn();
}

}  // namespace platform
