#include "ui/chart/chart_geometry.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "ui/chart/axis_label_text.h"

namespace arvelle {

namespace {

// A label candidate before its box is placed: where it stands along the axis and how much
// room it takes there.
struct LabelCandidate {
  double value;
  QString text;
  double pixelCentre;
  QSizeF size;
};

struct ValueRange {
  double minimum;
  double maximum;
};

int Ceil(double pixels) { return static_cast<int>(std::ceil(pixels)); }

std::optional<ValueRange> RangeOf(const std::vector<SeriesPoint>& points,
                                  double SeriesPoint::*coordinate) {
  std::optional<ValueRange> range;
  for (const SeriesPoint& point : points) {
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) continue;
    const double value = point.*coordinate;
    if (!range) {
      range = ValueRange{value, value};
    } else {
      range->minimum = std::min(range->minimum, value);
      range->maximum = std::max(range->maximum, value);
    }
  }
  return range;
}

// The smallest step of the form 1, 2 or 5 times a power of ten that is at least `least`.
double RoundStepUp(double least) {
  const double decade = std::pow(10.0, std::floor(std::log10(least)));
  for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
    // The tolerance keeps a step that is already round (such as 500) from being rounded up
    // by the error of log10 and pow.
    if (factor * decade >= least * (1 - 1e-12)) return factor * decade;
  }
  return 10 * decade;
}

std::vector<LabelCandidate> CandidatesAtStep(const AxisScale& scale, double step,
                                             const TextBoxMeasure& measure,
                                             const FormatSettingsRecord& format) {
  // The tolerance keeps the ends of the range labelled when they are multiples of the step
  // that the division misses by a rounding error.
  const double first = std::ceil(scale.Minimum() / step - 1e-9);
  const double last = std::floor(scale.Maximum() / step + 1e-9);
  std::vector<LabelCandidate> candidates;
  for (double k = first; k <= last; ++k) {
    double value = std::clamp(k * step, scale.Minimum(), scale.Maximum());
    if (k == 0) value = 0;
    QString text = AxisLabelText(value, format);
    const QSizeF size = measure(text);
    candidates.push_back({value, std::move(text), scale.PixelCentreOf(value), size});
  }
  return candidates;
}

// Neighbouring labels keep at least kLabelSpacing pixels between them along the axis.
bool Overlap(const std::vector<LabelCandidate>& candidates, bool vertical) {
  const auto extent = [vertical](const LabelCandidate& c) {
    return vertical ? c.size.height() : c.size.width();
  };
  for (std::size_t i = 1; i < candidates.size(); ++i) {
    const double distance = std::abs(candidates[i].pixelCentre - candidates[i - 1].pixelCentre);
    if (distance < (extent(candidates[i]) + extent(candidates[i - 1])) / 2 + kLabelSpacing) {
      return true;
    }
  }
  return false;
}

// The labels at the finest round step whose labels do not overlap; never none.
std::vector<LabelCandidate> ChooseLabels(const AxisScale& scale, bool vertical,
                                         const TextBoxMeasure& measure,
                                         const FormatSettingsRecord& format) {
  const auto minimumOnly = [&] {
    const double value = scale.Minimum();
    QString text = AxisLabelText(value, format);
    const QSizeF size = measure(text);
    return std::vector<LabelCandidate>{{value, std::move(text), scale.PixelCentreOf(value), size}};
  };
  const double range = scale.Maximum() - scale.Minimum();
  const int pixels = std::abs(scale.MaximumPixel() - scale.MinimumPixel());
  if (!scale.HasRange() || pixels == 0 || !std::isfinite(range)) return minimumOnly();

  // No two labels can be closer than one label height (or the width of one digit), which
  // gives the finest step worth trying.
  const QSizeF digit = measure(QStringLiteral("0"));
  const double leastExtent = (vertical ? digit.height() : digit.width()) + kLabelSpacing;
  double step = RoundStepUp(std::max(range * leastExtent / pixels, kSmallestLabelStep));
  // One label or none cannot overlap, so the search ends once the step passes the range,
  // long before it could grow beyond the largest double.
  std::vector<LabelCandidate> previous;
  while (std::isfinite(step)) {
    std::vector<LabelCandidate> candidates = CandidatesAtStep(scale, step, measure, format);
    // A coarser step can leave no multiple inside the range (5.5 to 9.9 at step 5); then
    // the first label of the finer step is the one to keep.
    if (candidates.empty()) break;
    if (!Overlap(candidates, vertical)) return candidates;
    previous = std::move(candidates);
    step = RoundStepUp(step * 1.5);
  }
  if (previous.empty()) return minimumOnly();
  previous.resize(1);
  return previous;
}

}  // namespace

AxisScale::AxisScale(double minimum, double maximum, int minimumPixel, int maximumPixel)
    : minimum_(minimum),
      maximum_(maximum),
      minimumPixel_(minimumPixel),
      maximumPixel_(maximumPixel) {}

double AxisScale::PixelCentreOf(double value) const {
  const double span = maximumPixel_ - minimumPixel_;
  // Halving each term keeps the differences finite even for coordinates near the largest
  // double.
  const double fraction =
      HasRange() ? (value / 2 - minimum_ / 2) / (maximum_ / 2 - minimum_ / 2) : 0.5;
  return minimumPixel_ + std::round(fraction * span) + 0.5;
}

ChartGeometry LayOutChart(QSize size, const std::vector<SeriesPoint>& points,
                          const ChartTextMeasures& measures, const FormatSettingsRecord& format) {
  ChartGeometry chart;
  chart.panel = QRectF(0, 0, size.width(), size.height());

  const int marginX = size.width() * kChartMarginPercentOfWidth / 100;
  const int marginY = size.height() * kChartMarginPercentOfHeight / 100;
  const int innerLeft = marginX;
  const int innerRight = size.width() - marginX;
  const int innerTop = marginY;
  const int innerBottom = size.height() - marginY;

  const QSizeF titleSize = measures.title(kChartTitle);
  chart.titleBox = QRectF((size.width() - titleSize.width()) / 2, innerTop, titleSize.width(),
                          titleSize.height());

  // The number of the topmost point stands above the plot; the plot starts low enough that
  // it stays below the title band.
  const int markHeight = Ceil(measures.mark(QStringLiteral("0")).height());
  const int plotTop = innerTop + Ceil(titleSize.height()) + std::max(0, markHeight - kPointerInset);
  const int labelHeight = Ceil(measures.axisLabel(QStringLiteral("0")).height());
  const int plotBottom =
      std::max(plotTop, innerBottom - labelHeight - kLabelGap - kTickLength - kBottomAxisLineWidth);

  const std::optional<ValueRange> xRange = RangeOf(points, &SeriesPoint::x);
  const std::optional<ValueRange> yRange = RangeOf(points, &SeriesPoint::y);

  // Rows grow downwards, so the vertical minimum sits on the lowest row of the inset plot.
  const int topRow = plotTop + kPointerInset;
  const int bottomRow = std::max(topRow, plotBottom - 1 - kPointerInset);
  std::vector<LabelCandidate> left;
  if (yRange) {
    chart.vertical = AxisScale(yRange->minimum, yRange->maximum, bottomRow, topRow);
    left = ChooseLabels(chart.vertical, true, measures.axisLabel, format);
  }

  double widestLeftLabel = 0;
  for (const LabelCandidate& label : left) {
    widestLeftLabel = std::max(widestLeftLabel, label.size.width());
  }
  const int leftLabelsRight = innerLeft + Ceil(widestLeftLabel);
  const int plotLeft = leftLabelsRight + kLabelGap + kTickLength + kLeftAxisLineWidth;

  // A label at the right end of the bottom axis stands half beyond the plot; the plot
  // gives up room on the right until the last label fits inside the margin. A few tries
  // settle it, as a narrower plot only makes the labels sparser; should they not, the last
  // label reaches into the margin.
  constexpr int kRightRoomTries = 4;
  int plotRight = innerRight;
  std::vector<LabelCandidate> bottom;
  for (int attempt = 1; xRange; ++attempt) {
    const int leftColumn = plotLeft + kPointerInset;
    const int rightColumn = std::max(leftColumn, plotRight - 1 - kPointerInset);
    chart.horizontal = AxisScale(xRange->minimum, xRange->maximum, leftColumn, rightColumn);
    bottom = ChooseLabels(chart.horizontal, false, measures.axisLabel, format);
    const LabelCandidate& last = bottom.back();
    const int overflow = Ceil(last.pixelCentre + last.size.width() / 2) - innerRight;
    if (overflow <= 0 || attempt == kRightRoomTries) break;
    plotRight = std::max(plotLeft, plotRight - overflow);
  }

  chart.plot = QRectF(plotLeft, plotTop, plotRight - plotLeft, plotBottom - plotTop);
  // Both axis lines lie wholly outside the plot: the left one in the column before it, the
  // bottom one in the rows after it; the left line runs down to meet the bottom one.
  const double leftLineX = plotLeft - kLeftAxisLineWidth / 2.0;
  chart.leftAxisLine = QLineF(leftLineX, plotTop, leftLineX, plotBottom + kBottomAxisLineWidth);
  const double bottomLineY = plotBottom + kBottomAxisLineWidth / 2.0;
  chart.bottomAxisLine = QLineF(plotLeft - kLeftAxisLineWidth, bottomLineY, plotRight, bottomLineY);

  const double leftTickEnd = plotLeft - kLeftAxisLineWidth;
  for (LabelCandidate& c : left) {
    const QRectF box(leftLabelsRight - c.size.width(), c.pixelCentre - c.size.height() / 2,
                     c.size.width(), c.size.height());
    const QLineF tick(leftTickEnd - kTickLength, c.pixelCentre, leftTickEnd, c.pixelCentre);
    chart.leftLabels.push_back({c.value, std::move(c.text), c.pixelCentre, box, tick});
  }
  const double bottomTickStart = plotBottom + kBottomAxisLineWidth;
  const double bottomLabelsTop = bottomTickStart + kTickLength + kLabelGap;
  for (LabelCandidate& c : bottom) {
    const QRectF box(c.pixelCentre - c.size.width() / 2, bottomLabelsTop, c.size.width(),
                     c.size.height());
    const QLineF tick(c.pixelCentre, bottomTickStart, c.pixelCentre, bottomTickStart + kTickLength);
    chart.bottomLabels.push_back({c.value, std::move(c.text), c.pixelCentre, box, tick});
  }

  for (std::size_t i = 0; i < points.size(); ++i) {
    const SeriesPoint& point = points[i];
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) continue;
    const QPointF centre(chart.horizontal.PixelCentreOf(point.x),
                         chart.vertical.PixelCentreOf(point.y));
    const int index = static_cast<int>(i);
    QString markText = QString::number(index);
    const QSizeF markSize = measures.mark(markText);
    const QRectF markBox(centre.x() - markSize.width() / 2, centre.y() - markSize.height(),
                         markSize.width(), markSize.height());
    chart.points.push_back({index, centre, std::move(markText), markBox});
  }
  return chart;
}

}  // namespace arvelle
