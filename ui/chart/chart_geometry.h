#pragma once
// Where every part of the hole-position chart goes, worked out from the chart's size, its
// points and the sizes of its texts, without drawing anything. The widget paints exactly
// what this says, so the layout can be checked without pixels.
//
// From the outside in: the panel (the whole chart); margins of 3 % of the width left and
// right and 4 % of the height top and bottom; the title band at the top margin; room for
// the number of the topmost point; the plot rectangle with the axis lines just outside its
// left and bottom edges, the ticks and labels beyond them. Inside the plot the points are
// inset by the circle's half-size and outline, so that no circle is cut.
//
// Every position along an axis is a pixel centre (an integer plus 0.5), so that
// one-pixel lines, ticks and point circles sit on whole pixels.
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <functional>
#include <vector>

#include "core/format_settings.h"
#include "core/point_series.h"

namespace arvelle {

inline constexpr int kChartMarginPercentOfWidth = 3;   // left and right
inline constexpr int kChartMarginPercentOfHeight = 4;  // top and bottom
inline constexpr int kPointerHalfSize = 2;             // the circle spans 2 px each way
inline constexpr int kPointerOutlineWidth = 1;
// The plot is inset by this much on every side before values are mapped to pixels.
inline constexpr int kPointerInset = kPointerHalfSize + kPointerOutlineWidth;
inline constexpr int kLeftAxisLineWidth = 1;
inline constexpr int kBottomAxisLineWidth = 2;
inline constexpr int kTickLength = 4;
inline constexpr int kLabelGap = 2;  // between a tick and its label
// The least space between two neighbouring labels of one axis.
inline constexpr int kLabelSpacing = 4;
// Labels are written with three decimals, so finer steps would repeat label texts.
inline constexpr double kSmallestLabelStep = 0.001;

inline const QString kChartTitle = QStringLiteral("Shema");

// The box a text takes in the font it is drawn with, in pixels.
using TextBoxMeasure = std::function<QSizeF(const QString&)>;

struct ChartTextMeasures {
  TextBoxMeasure title;
  TextBoxMeasure axisLabel;
  TextBoxMeasure mark;
};

// One axis: its value range, taken exactly from the smallest to the largest coordinate, and
// the mapping of values to pixel centres.
class AxisScale {
 public:
  AxisScale() = default;
  // minimumPixel and maximumPixel are the pixel indexes (columns or rows) of the two ends of
  // the range; for the vertical axis the minimum is the lower, larger row.
  AxisScale(double minimum, double maximum, int minimumPixel, int maximumPixel);

  double Minimum() const { return minimum_; }
  double Maximum() const { return maximum_; }
  // False when every point has the same coordinate: then every value maps to the middle.
  bool HasRange() const { return minimum_ < maximum_; }
  int MinimumPixel() const { return minimumPixel_; }
  int MaximumPixel() const { return maximumPixel_; }

  // The pixel centre of a value, rounded to whole pixels; values outside the range map
  // beyond its ends. The middle of the axis when it has no range.
  double PixelCentreOf(double value) const;

 private:
  double minimum_ = 0;
  double maximum_ = 0;
  int minimumPixel_ = 0;
  int maximumPixel_ = 0;
};

struct AxisLabel {
  double value = 0;
  QString text;
  // The pixel centre along the axis that the label and its tick stand for.
  double pixelCentre = 0;
  QRectF box;
  QLineF tick;
};

struct PlottedPoint {
  int index = 0;  // the point's place in the series, which is its mark number
  QPointF centre;
  QString markText;
  // Centred horizontally on the point; its bottom edge runs through the point's centre.
  QRectF markBox;
};

struct ChartGeometry {
  QRectF panel;
  QRectF titleBox;
  QRectF plot;
  QLineF leftAxisLine;    // drawn kLeftAxisLineWidth wide
  QLineF bottomAxisLine;  // drawn kBottomAxisLineWidth wide
  // Without any point both scales are empty (no range, no labels).
  AxisScale horizontal;
  AxisScale vertical;
  std::vector<AxisLabel> bottomLabels;  // from left to right
  std::vector<AxisLabel> leftLabels;    // from bottom to top
  // In index order. A point with a coordinate that is not finite has no place on the chart
  // and is left out; it still counts in the numbering of the points after it.
  std::vector<PlottedPoint> points;
};

// Lays out a chart of the given size for the points in series order. Label texts use the
// separators of format.
ChartGeometry LayOutChart(QSize size, const std::vector<SeriesPoint>& points,
                          const ChartTextMeasures& measures, const FormatSettingsRecord& format);

}  // namespace arvelle
