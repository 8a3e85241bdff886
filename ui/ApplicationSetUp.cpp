#include "ui/ApplicationSetUp.h"

#include <QApplication>
#include <clocale>

#include "ui/KeyboardHook.h"
#include "ui/MessagePump.h"

void SetUpQtApplication(bool keyFilter) {
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setQuitOnLastWindowClosed(false);
  InstallUiPlatformServices();
  if (keyFilter) InstallKeyboardFilter();
}
