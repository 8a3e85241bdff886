#include "ui/Fonts.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

#include "ui/QtText.h"
#include "ui/WinDefs.h"

namespace {
bool IsGothicFace(const std::string& face) {
  static const char* const kGothic[] = {"ＭＳ ゴシック",  "ＭＳ Ｐゴシック", "MS Gothic",
                                        "MS PGothic",     "MS UI Gothic",    "MS Shell Dlg",
                                        "MS Shell Dlg 2", "Meiryo UI",       ""};
  for (const char* g : kGothic) {
    if (face == g) return true;
  }
  return false;
}

QString GothicFamily() {
  for (const char* f : {"IPAGothic", "IPAゴシック", "Noto Sans CJK JP", "VL Gothic"}) {
    if (QFontDatabase::hasFamily(f)) return QString::fromUtf8(f);
  }
  return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QString FixedFamily() {
  if (QFontDatabase::hasFamily(QStringLiteral("DejaVu Sans Mono"))) return QStringLiteral("DejaVu Sans Mono");
  return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}
}  // namespace

int ScreenLogicalDpi() {
  if (QGuiApplication::instance()) {
    if (QScreen* s = QGuiApplication::primaryScreen()) {
      int dpi = static_cast<int>(s->logicalDotsPerInchY() + 0.5);
      if (dpi > 0) return dpi;
    }
  }
  return 96;
}

int GetSystemMetrics(int index) {
  QScreen* s = QGuiApplication::instance() ? QGuiApplication::primaryScreen() : nullptr;
  if (!s) return 0;
  if (index == SM_CXSCREEN) return s->geometry().width();
  if (index == SM_CYSCREEN) return s->geometry().height();
  return 0;
}

QFont FontForFace(const std::string& faceName, int pointSize) {
  QFont font;
  if (IsGothicFace(faceName)) {
    font.setFamily(GothicFamily());
  } else if (faceName == "Courier New" || faceName == "Courier" || faceName == "Fixedsys") {
    font.setFamily(FixedFamily());
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
  } else {
    QString family = ToQ(faceName);
    font.setFamily(QFontDatabase::hasFamily(family) ? family : GothicFamily());
  }
  // The platform's character height: -MulDiv(points, dpi, 72).
  font.setPixelSize(std::max(1, MulDiv(pointSize > 0 ? pointSize : 9, ScreenLogicalDpi(), 72)));
  return font;
}

DluMetrics::DluMetrics(const QFont& font) {
  QFontMetrics fm(font);
  int cx = fm.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  m_baseX = std::max(1, (cx / 26 + 1) / 2);
  m_baseY = std::max(1, fm.height());
}

int DluMetrics::X(int dlu) const { return MulDiv(dlu, m_baseX, 4); }
int DluMetrics::Y(int dlu) const { return MulDiv(dlu, m_baseY, 8); }
