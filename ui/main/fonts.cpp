#include "ui/main/fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace arvelle::ui {

namespace {

// Debian's fonts-wine package carries a Tahoma that is metric-compatible with the one
// the layout was drawn with.
constexpr const char* kWineFonts[] = {"/usr/share/wine/fonts/tahoma.ttf",
                                      "/usr/share/wine/fonts/tahomabd.ttf"};

void SubstituteWhenMissing(const QString& family, const QStringList& standIns) {
  if (!QFontDatabase::hasFamily(family)) QFont::insertSubstitutions(family, standIns);
}

}  // namespace

void InstallFonts() {
  if (!QFontDatabase::hasFamily(QStringLiteral("Tahoma"))) {
    for (const char* path : kWineFonts) {
      if (QFile::exists(QString::fromLatin1(path))) {
        QFontDatabase::addApplicationFont(QString::fromLatin1(path));
      }
    }
  }
  SubstituteWhenMissing(QStringLiteral("Tahoma"),
                        {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans"),
                         QStringLiteral("Liberation Sans")});
  SubstituteWhenMissing(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
  SubstituteWhenMissing(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans")});
}

QFont TahomaFont(int pixelSize) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(pixelSize);
  return font;
}

}  // namespace arvelle::ui
