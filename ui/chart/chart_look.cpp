#include "ui/chart/chart_look.h"

namespace arvelle::chart_look {

namespace {

QFont Verdana8() {
  QFont font(QStringLiteral("Verdana"));
  font.setPointSize(8);
  return font;
}

}  // namespace

QFont TitleFont() { return Verdana8(); }

QFont AxisLabelFont() { return Verdana8(); }

QFont MarkFont() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(16);
  return font;
}

}  // namespace arvelle::chart_look
