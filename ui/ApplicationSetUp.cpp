#include "ui/ApplicationSetUp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <clocale>

#include "ui/KeyboardHook.h"
#include "ui/MessagePump.h"

namespace {
constexpr const char* kQtTranslations = "kx2QtTranslations";

// Qt's own dialogs and buttons (file dialogs, message-box buttons) speak the
// program's language whatever the system's locale is.
void LoadQtTranslations() {
  QCoreApplication* app = QCoreApplication::instance();
  if (app->findChild<QTranslator*>(QLatin1String(kQtTranslations))) return;
  auto* translator = new QTranslator(app);
  translator->setObjectName(QLatin1String(kQtTranslations));
  if (translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
  } else {
    delete translator;
  }
}
}  // namespace

void SetUpQtApplication(bool keyFilter) {
  std::setlocale(LC_NUMERIC, "C");
  LoadQtTranslations();
  QApplication::setQuitOnLastWindowClosed(false);
  InstallUiPlatformServices();
  if (keyFilter) InstallKeyboardFilter();
}
