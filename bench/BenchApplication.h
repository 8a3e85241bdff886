#pragma once
// The one Qt application that the window-side benchmarks run in: offscreen
// unless a platform is named, numbers with a full stop, our platform hooks
// installed, and (where keys matter) the application-wide key filter.

#include <QApplication>
#include <clocale>

#include "ui/KeyboardHook.h"
#include "ui/MessagePump.h"

inline void EnsureBenchApplication(bool withKeyFilter) {
  if (QCoreApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  QApplication::setQuitOnLastWindowClosed(false);
  InstallUiPlatformServices();
  if (withKeyFilter) InstallKeyboardFilter();
}
