#include "ui/Images.h"

#include <QString>

// Resources of a static library are registered by hand, once.
static void InitImageResources() {
  static bool done = [] {
    Q_INIT_RESOURCE(images);
    return true;
  }();
  (void)done;
}

QImage LoadPngResource(unsigned id) {
  InitImageResources();
  return QImage(QStringLiteral(":/kx2/png%1.png").arg(id), "PNG");
}

QIcon LoadIconResource(unsigned id) {
  InitImageResources();
  QString path = QStringLiteral(":/kx2/icon%1.png").arg(id);
  QImage image(path, "PNG");
  return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}
