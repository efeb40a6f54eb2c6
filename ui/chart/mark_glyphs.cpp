#include "ui/chart/mark_glyphs.h"

namespace arvelle {

MarkGlyphs::MarkGlyphs(const QFont& font) : raw_(QRawFont::fromFont(font)) {
  if (!raw_.isValid()) return;
  const QVector<quint32> glyphs = raw_.glyphIndexesForString(QStringLiteral("0123456789"));
  if (glyphs.size() != 10) return;
  const QVector<QPointF> advances = raw_.advancesForGlyphIndexes(glyphs);
  usable_ = true;
  for (int d = 0; d < 10; ++d) {
    glyphs_[d] = glyphs[d];
    advances_[d] = advances[d].x();
    if (glyphs[d] == 0) usable_ = false;  // the font lacks the digit
  }
}

bool MarkGlyphs::Covers(const QString& text) const {
  if (!usable_ || text.isEmpty()) return false;
  for (const QChar c : text) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

qreal MarkGlyphs::Advance(const QString& text) const {
  qreal width = 0;
  for (const QChar c : text) width += advances_[c.unicode() - u'0'];
  return width;
}

void MarkGlyphs::Draw(QPainter& painter, QPointF origin, const QString& text) const {
  QVector<quint32> glyphs;
  QVector<QPointF> positions;
  glyphs.reserve(text.size());
  positions.reserve(text.size());
  qreal x = 0;
  for (const QChar c : text) {
    const int digit = c.unicode() - u'0';
    glyphs.push_back(glyphs_[digit]);
    positions.push_back(QPointF(x, 0));
    x += advances_[digit];
  }
  QGlyphRun run;
  run.setRawFont(raw_);
  run.setGlyphIndexes(glyphs);
  run.setPositions(positions);
  painter.drawGlyphRun(origin, run);
}

}  // namespace arvelle
