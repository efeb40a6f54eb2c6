#include "ui/chart/hole_chart.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPointer>

#include "core/format_settings.h"
#include "ui/chart/chart_look.h"

namespace arvelle {

namespace {

// A text box as the chart draws it: bare text, no frame and no inner margin.
TextBoxMeasure MeasureIn(const QFont& font) {
  return [metrics = QFontMetricsF(font)](const QString& text) {
    return QSizeF(metrics.horizontalAdvance(text), metrics.height());
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
                                   MeasureIn(chart_look::MarkFont())};
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

  painter.save();
  painter.setClipRect(chart.plot);
  painter.setPen(QPen(chart_look::kPointOutlineColor, kPointerOutlineWidth));
  painter.setBrush(chart_look::kPointFillColor);
  for (const PlottedPoint& point : chart.points) {
    painter.drawEllipse(point.centre, kPointerHalfSize, kPointerHalfSize);
  }
  painter.restore();

  // The numbers come after every point, so no circle covers a number, and they may stand
  // outside the plot: the topmost one always does.
  painter.save();
  painter.setFont(markFont);
  painter.setPen(chart_look::kMarkColor);
  for (const PlottedPoint& point : chart.points) {
    painter.drawText(point.markBox, Qt::AlignCenter, point.markText);
  }
  painter.restore();
}

}  // namespace arvelle
