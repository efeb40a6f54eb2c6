#pragma once
// The point numbers of the chart drawn straight from the mark font's digit glyphs. A chart
// of many bolts carries tens of thousands of numbers; shaping each as general text costs
// most of the paint, while a number is only digits set side by side at their advances.
#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QString>
#include <QVector>

namespace arvelle {

class MarkGlyphs {
 public:
  explicit MarkGlyphs(const QFont& font);

  // True when `text` is digits only and the font has a glyph for each digit.
  bool Covers(const QString& text) const;
  // The width of `text` (Covers(text) must hold): the sum of its digits' advances.
  qreal Advance(const QString& text) const;
  // Draws `text` (Covers(text) must hold) with its baseline starting at `origin`.
  void Draw(QPainter& painter, QPointF origin, const QString& text) const;

 private:
  QRawFont raw_;
  bool usable_ = false;
  quint32 glyphs_[10] = {};
  qreal advances_[10] = {};
};

}  // namespace arvelle
