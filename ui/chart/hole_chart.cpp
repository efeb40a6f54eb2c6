#include "ui/chart/hole_chart.h"

#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPointer>
#include <memory>

#include "core/format_settings.h"
#include "ui/chart/chart_look.h"
#include "ui/chart/mark_glyphs.h"

namespace arvelle {

namespace {

// A text box as the chart draws it: bare text, no frame and no inner margin.
TextBoxMeasure MeasureIn(const QFont& font) {
  return [metrics = QFontMetricsF(font)](const QString& text) {
    return QSizeF(metrics.horizontalAdvance(text), metrics.height());
  };
}

// The stamp's centre, on the centre of its middle pixel, with room for the outline.
constexpr qreal kStampCentre = kPointerInset + 1.5;

// One point circle, filled blue with its thin black outline, centred at kStampCentre.
QImage PointStamp(qreal pixelRatio) {
  const int side = static_cast<int>(2 * kStampCentre);
  QImage stamp(QSize(side, side) * pixelRatio, QImage::Format_ARGB32_Premultiplied);
  stamp.setDevicePixelRatio(pixelRatio);
  stamp.fill(Qt::transparent);
  QPainter painter(&stamp);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(chart_look::kPointOutlineColor, kPointerOutlineWidth));
  painter.setBrush(chart_look::kPointFillColor);
  painter.drawEllipse(QPointF(kStampCentre, kStampCentre), kPointerHalfSize, kPointerHalfSize);
  return stamp;
}

// Mark numbers measured from their digits' advances, as MarkGlyphs draws them.
TextBoxMeasure MeasureMarks(const QFont& font) {
  return [metrics = QFontMetricsF(font),
          glyphs = std::make_shared<MarkGlyphs>(font)](const QString& text) {
    const qreal width =
        glyphs->Covers(text) ? glyphs->Advance(text) : metrics.horizontalAdvance(text);
    return QSizeF(width, metrics.height());
  };
}

}  // namespace

HoleChart::HoleChart(PointSeries& series, QWidget* parent) : HoleChart(parent) {
  ShowSeries(series);
}

HoleChart::HoleChart(QWidget* parent) : QWidget(parent) {
  setEnabled(false);
  setFocusPolicy(Qt::NoFocus);
}

void HoleChart::ShowSeries(PointSeries& series) {
  series_ = &series;
  // The guard lets the series outlive the chart: a change after the chart is gone asks
  // nothing of it.
  series.SetChangeHandler([chart = QPointer<HoleChart>(this)] {
    if (chart) chart->update();
  });
  update();
}

ChartGeometry HoleChart::Layout() const {
  const ChartTextMeasures measures{MeasureIn(chart_look::TitleFont()),
                                   MeasureIn(chart_look::AxisLabelFont()),
                                   MeasureMarks(chart_look::MarkFont())};
  static const std::vector<SeriesPoint> kNoPoints;
  return LayOutChart(size(), series_ ? series_->Points() : kNoPoints, measures, FormatSettings);
}

void HoleChart::paintEvent(QPaintEvent* /*event*/) {
  const QFont titleFont = chart_look::TitleFont();
  const QFont labelFont = chart_look::AxisLabelFont();
  const QFont markFont = chart_look::MarkFont();
  const ChartGeometry chart = Layout();

  QPainter painter(this);
  painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);

  // The panel blends with the window: no bevel, no shadow, no gradient of its own.
  painter.fillRect(chart.panel, palette().color(QPalette::Window));

  painter.save();
  painter.setFont(titleFont);
  painter.setPen(chart_look::kTitleColor);
  painter.drawText(chart.titleBox, Qt::AlignCenter, kChartTitle);
  painter.restore();

  painter.save();
  QLinearGradient backWall(chart.plot.bottomLeft(), chart.plot.topLeft());
  backWall.setColorAt(0, chart_look::kPlotBottomColor);
  backWall.setColorAt(1, chart_look::kPlotTopColor);
  painter.fillRect(chart.plot, backWall);
  painter.restore();

  painter.save();
  painter.setPen(
      QPen(chart_look::kBottomAxisColor, kBottomAxisLineWidth, Qt::SolidLine, Qt::FlatCap));
  painter.drawLine(chart.bottomAxisLine);
  painter.setPen(QPen(chart_look::kBottomAxisColor, 1, Qt::SolidLine, Qt::FlatCap));
  for (const AxisLabel& label : chart.bottomLabels) painter.drawLine(label.tick);
  painter.restore();

  painter.save();
  painter.setPen(QPen(chart_look::kLeftAxisColor, kLeftAxisLineWidth, Qt::SolidLine, Qt::FlatCap));
  painter.drawLine(chart.leftAxisLine);
  for (const AxisLabel& label : chart.leftLabels) painter.drawLine(label.tick);
  painter.restore();

  painter.save();
  painter.setFont(labelFont);
  painter.setPen(chart_look::kLabelColor);
  for (const AxisLabel& label : chart.bottomLabels) {
    painter.drawText(label.box, Qt::AlignCenter, label.text);
  }
  for (const AxisLabel& label : chart.leftLabels) {
    painter.drawText(label.box, Qt::AlignRight | Qt::AlignVCenter, label.text);
  }
  painter.restore();

  // Every point centre lies on a pixel centre, so one circle drawn into a stamp and
  // copied to each centre gives the same pixels as drawing each circle, far faster for
  // many bolts.
  painter.save();
  painter.setClipRect(chart.plot);
  const QImage stamp = PointStamp(devicePixelRatioF());
  const QPointF stampOffset(kStampCentre, kStampCentre);
  for (const PlottedPoint& point : chart.points) {
    painter.drawImage(point.centre - stampOffset, stamp);
  }
  painter.restore();

  // The numbers come after every point, so no circle covers a number, and they may stand
  // outside the plot: the topmost one always does.
  // Each mark box is exactly its text's advance wide and the font's height tall, so the
  // text starts at the box's left edge on the font's baseline; drawing at a point spares
  // the text layout that a box and alignment would cost for every one of many bolts.
  painter.save();
  painter.setFont(markFont);
  painter.setPen(chart_look::kMarkColor);
  const qreal ascent = QFontMetricsF(markFont).ascent();
  const MarkGlyphs glyphs(markFont);
  for (const PlottedPoint& point : chart.points) {
    const QPointF origin(point.markBox.left(), point.markBox.top() + ascent);
    if (glyphs.Covers(point.markText)) {
      glyphs.Draw(painter, origin, point.markText);
    } else {
      painter.drawText(origin, point.markText);
    }
  }
  painter.restore();
}

}  // namespace arvelle
