#include "ui/main/fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>
#include <algorithm>

namespace arvelle::ui {

namespace {

// Debian's fonts-wine package carries a Tahoma close in metrics to the one the layout
// was drawn with. Its bold face (tahomabd.ttf) is left out on purpose: at 11 pixels it
// draws strokes no heavier than the regular face, so the fixed cells would not stand
// out; the bold Qt makes from the regular face does.
constexpr const char* kWineTahoma = "/usr/share/wine/fonts/tahoma.ttf";

// The layout's labels are as wide as their texts were in the original Tahoma at 11
// pixels; "Diameter [mm]" took 70. Faces drawn wider (the Wine Tahoma and every stand-in
// run 3 to 7 percent wider at this size) are narrowed by that ratio, so no text is cut.
constexpr const char* kReferenceText = "Diameter [mm]";
constexpr qreal kReferenceWidth = 70.0;
constexpr int kNarrowestStretch = 85;

int fontStretch = QFont::Unstretched;

int StretchToFitTheLayout() {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(kWindowFontPixels);
  const qreal drawn = QFontMetricsF(font).horizontalAdvance(QString::fromLatin1(kReferenceText));
  if (drawn <= kReferenceWidth) return QFont::Unstretched;
  return std::max(kNarrowestStretch, static_cast<int>(100.0 * kReferenceWidth / drawn));
}

void SubstituteWhenMissing(const QString& family, const QStringList& standIns) {
  if (!QFontDatabase::hasFamily(family)) QFont::insertSubstitutions(family, standIns);
}

}  // namespace

void InstallFonts() {
  if (!QFontDatabase::hasFamily(QStringLiteral("Tahoma"))) {
    const QString wineTahoma = QString::fromLatin1(kWineTahoma);
    if (QFile::exists(wineTahoma)) QFontDatabase::addApplicationFont(wineTahoma);
  }
  SubstituteWhenMissing(QStringLiteral("Tahoma"),
                        {QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans"),
                         QStringLiteral("Liberation Sans")});
  SubstituteWhenMissing(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
  SubstituteWhenMissing(QStringLiteral("Verdana"), {QStringLiteral("DejaVu Sans")});
  fontStretch = StretchToFitTheLayout();
}

QFont TahomaFont(int pixelSize) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(pixelSize);
  font.setStretch(fontStretch);
  return font;
}

}  // namespace arvelle::ui
