#include "tests/support/qt/QtApplication.h"

#include <QApplication>

#include "ui/ApplicationSetUp.h"
#include "ui/KeyboardHook.h"
#include "ui/MessagePump.h"
#include "ui/Wnd.h"

void EnsureQtApplication(bool keyFilter) {
  if (!QCoreApplication::instance()) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kx2test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    SetUpQtApplication(keyFilter);
    return;
  }
  InstallUiPlatformServices();
  if (keyFilter) InstallKeyboardFilter();
}

void DeleteQtApplication() {
  if (!QCoreApplication::instance()) return;
  CWnd::DestroyAllWindows();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  delete QCoreApplication::instance();
}
