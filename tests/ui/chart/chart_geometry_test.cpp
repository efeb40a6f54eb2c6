#include "ui/chart/chart_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <ostream>
#include <vector>

#include "core/point_series.h"
#include "ui/chart/axis_label_text.h"

namespace arvelle {
namespace {

constexpr FormatSettingsRecord kPointAndComma{u'.', u','};
const QSize kChartSize(282, 247);

// Text boxes of a fixed-pitch font, so that layouts do not depend on installed fonts.
TextBoxMeasure FixedPitch(double characterWidth, double height) {
  return [=](const QString& text) { return QSizeF(characterWidth * text.size(), height); };
}

const ChartTextMeasures kMeasures{FixedPitch(7, 13), FixedPitch(6, 13), FixedPitch(9, 18)};

struct Bolt {
  double x;
  double y;
};

// Adds the bolts in bolt order, as the calculation does.
std::vector<SeriesPoint> PointsOf(const std::vector<Bolt>& bolts) {
  PointSeries series;
  for (const Bolt& bolt : bolts) series.AddXY(bolt.x, bolt.y);
  return series.Points();
}

ChartGeometry LayOut(const std::vector<Bolt>& bolts, QSize size = kChartSize) {
  return LayOutChart(size, PointsOf(bolts), kMeasures, kPointAndComma);
}

// Where a value at `fraction` of an axis's range lands, before rounding to whole pixels.
double UnroundedPixelCentre(const AxisScale& scale, double fraction) {
  return scale.MinimumPixel() + fraction * (scale.MaximumPixel() - scale.MinimumPixel()) + 0.5;
}

// The place of one mark: which bolt carries it and where it stands, as fractions of the
// horizontal and vertical ranges (0 is left or bottom, 1 is right or top).
struct Mark {
  int bolt;
  double across;
  double up;
};

struct Range {
  double minimum;
  double maximum;
};

struct ChartCase {
  const char* name;
  std::vector<Bolt> bolts;  // in bolt order
  std::vector<Mark> marks;  // by mark number
  Range x;
  Range y;
};

void PrintTo(const ChartCase& c, std::ostream* os) { *os << c.name; }

const std::vector<Bolt> kDefaultBolts{{0, 1500}, {1500, 0}, {0, -1500}, {-1500, 0}};
const std::vector<Bolt> kSevenBolts{{0, 1500},         {1172.77, 935.21},   {1462.38, -333.85},
                                    {650.72, -1351.5}, {-650.96, -1351.39}, {-1462.43, -333.6},
                                    {-1172.61, 935.41}};

// The seven bolts span X from -1462.43 to 1462.38 and Y from -1351.5 to 1500.
constexpr double SevenAcross(double x) { return (x + 1462.43) / (1462.38 + 1462.43); }
constexpr double SevenUp(double y) { return (y + 1351.5) / (1500 + 1351.5); }

// clang-format off
const ChartCase kChartCases[] = {
    {"DefaultInputs", kDefaultBolts,
     {{3, 0, 0.5}, {0, 0.5, 1}, {2, 0.5, 0}, {1, 1, 0.5}},
     {-1500, 1500}, {-1500, 1500}},
    {"SixBolts",
     {{0, 1500}, {1299.04, 750}, {1299.04, -750}, {0, -1500}, {-1299.04, -750}, {-1299.04, 750}},
     {{4, 0, 0.25}, {5, 0, 0.75}, {0, 0.5, 1}, {3, 0.5, 0}, {1, 1, 0.75}, {2, 1, 0.25}},
     {-1299.04, 1299.04}, {-1500, 1500}},
    {"TwoBolts", {{0, 1500}, {0, -1500}},
     {{0, 0.5, 1}, {1, 0.5, 0}},
     {0, 0}, {-1500, 1500}},
    {"OneBolt", {{0, 1500}},
     {{0, 0.5, 0.5}},
     {0, 0}, {1500, 1500}},
    {"StartAngle45",
     {{1060.66, 1060.66}, {1060.66, -1060.66}, {-1060.66, -1060.66}, {-1060.66, 1060.66}},
     {{2, 0, 0}, {3, 0, 1}, {0, 1, 1}, {1, 1, 0}},
     {-1060.66, 1060.66}, {-1060.66, 1060.66}},
    {"SevenBolts", kSevenBolts,
     {{5, 0, SevenUp(-333.6)}, {6, SevenAcross(-1172.61), SevenUp(935.41)},
      {4, SevenAcross(-650.96), SevenUp(-1351.39)}, {0, SevenAcross(0), 1},
      {3, SevenAcross(650.72), 0}, {1, SevenAcross(1172.77), SevenUp(935.21)},
      {2, 1, SevenUp(-333.85)}},
     {-1462.43, 1462.38}, {-1351.5, 1500}},
};
// clang-format on

class ChartCaseTest : public testing::TestWithParam<ChartCase> {};

TEST_P(ChartCaseTest, AxesRunExactlyFromTheSmallestToTheLargestCoordinate) {
  const ChartCase& c = GetParam();
  const ChartGeometry chart = LayOut(c.bolts);
  EXPECT_EQ(chart.horizontal.Minimum(), c.x.minimum);
  EXPECT_EQ(chart.horizontal.Maximum(), c.x.maximum);
  EXPECT_EQ(chart.vertical.Minimum(), c.y.minimum);
  EXPECT_EQ(chart.vertical.Maximum(), c.y.maximum);
  EXPECT_EQ(chart.horizontal.HasRange(), c.x.minimum < c.x.maximum);
  EXPECT_EQ(chart.vertical.HasRange(), c.y.minimum < c.y.maximum);
}

TEST_P(ChartCaseTest, EveryPointCarriesItsIndexAtItsPlace) {
  const ChartCase& c = GetParam();
  const std::vector<SeriesPoint> points = PointsOf(c.bolts);
  const ChartGeometry chart = LayOutChart(kChartSize, points, kMeasures, kPointAndComma);
  ASSERT_EQ(chart.points.size(), c.marks.size());
  for (std::size_t i = 0; i < c.marks.size(); ++i) {
    SCOPED_TRACE(testing::Message() << "mark " << i);
    const Mark& mark = c.marks[i];
    const PlottedPoint& plotted = chart.points[i];
    EXPECT_EQ(plotted.index, static_cast<int>(i));
    EXPECT_EQ(plotted.markText, QString::number(i));
    EXPECT_EQ(points[i].x, c.bolts[mark.bolt].x);
    EXPECT_EQ(points[i].y, c.bolts[mark.bolt].y);
    EXPECT_NEAR(plotted.centre.x(), UnroundedPixelCentre(chart.horizontal, mark.across), 0.5);
    EXPECT_NEAR(plotted.centre.y(), UnroundedPixelCentre(chart.vertical, mark.up), 0.5);
    // Centres sit on pixel centres, so that the circles are drawn alike.
    EXPECT_EQ(plotted.centre.x() - std::floor(plotted.centre.x()), 0.5);
    EXPECT_EQ(plotted.centre.y() - std::floor(plotted.centre.y()), 0.5);
    // The number stands on its point: centred above it, the box's bottom at its centre.
    EXPECT_EQ(plotted.markBox.center().x(), plotted.centre.x());
    EXPECT_EQ(plotted.markBox.bottom(), plotted.centre.y());
    EXPECT_EQ(plotted.markBox.size(), kMeasures.mark(plotted.markText));
  }
}

TEST_P(ChartCaseTest, NoCircleIsCutByThePlotEdge) {
  const ChartGeometry chart = LayOut(GetParam().bolts);
  const double reach = kPointerHalfSize + kPointerOutlineWidth / 2.0;
  for (const PlottedPoint& point : chart.points) {
    const QRectF circle(point.centre - QPointF(reach, reach), QSizeF(2 * reach, 2 * reach));
    EXPECT_TRUE(chart.plot.contains(circle)) << point.index;
  }
  // The range ends lie at the inset, not further in.
  EXPECT_EQ(chart.horizontal.MinimumPixel(), chart.plot.left() + kPointerInset);
  EXPECT_EQ(chart.horizontal.MaximumPixel(), chart.plot.right() - 1 - kPointerInset);
  EXPECT_EQ(chart.vertical.MinimumPixel(), chart.plot.bottom() - 1 - kPointerInset);
  EXPECT_EQ(chart.vertical.MaximumPixel(), chart.plot.top() + kPointerInset);
}

TEST_P(ChartCaseTest, AnAxisWithoutRangePutsEveryPointOnItsMiddle) {
  const ChartGeometry chart = LayOut(GetParam().bolts);
  for (const PlottedPoint& point : chart.points) {
    if (!chart.horizontal.HasRange()) {
      EXPECT_NEAR(point.centre.x(), chart.plot.center().x(), 0.5) << point.index;
    }
    if (!chart.vertical.HasRange()) {
      EXPECT_NEAR(point.centre.y(), chart.plot.center().y(), 0.5) << point.index;
    }
  }
}

TEST_P(ChartCaseTest, TheSameFillGivesTheSameChart) {
  PointSeries series;
  const auto fill = [&] {
    series.Clear();
    for (const Bolt& bolt : GetParam().bolts) series.AddXY(bolt.x, bolt.y);
    return LayOutChart(kChartSize, series.Points(), kMeasures, kPointAndComma);
  };
  const ChartGeometry first = fill();
  const ChartGeometry second = fill();
  ASSERT_EQ(second.points.size(), GetParam().bolts.size());
  ASSERT_EQ(first.points.size(), second.points.size());
  for (std::size_t i = 0; i < first.points.size(); ++i) {
    EXPECT_EQ(first.points[i].centre, second.points[i].centre) << i;
    EXPECT_EQ(first.points[i].markText, second.points[i].markText) << i;
    EXPECT_EQ(first.points[i].markBox, second.points[i].markBox) << i;
  }
  EXPECT_EQ(first.plot, second.plot);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChartCaseTest, testing::ValuesIn(kChartCases),
                         [](const testing::TestParamInfo<ChartCase>& info) {
                           return info.param.name;
                         });

TEST(ChartFrame, MarginsTitleAndAxisLinesOfTheMainWindowsChart) {
  const ChartGeometry chart = LayOut(kDefaultBolts);
  EXPECT_EQ(chart.panel, QRectF(0, 0, 282, 247));
  // 3 % of the width and 4 % of the height, in whole pixels: 8, 8, 9, 9.
  const QRectF inner(8, 9, 282 - 16, 247 - 18);
  EXPECT_EQ(chart.titleBox.top(), 9);
  EXPECT_EQ(chart.titleBox.center().x(), 141);
  EXPECT_EQ(chart.titleBox.size(), kMeasures.title(QStringLiteral("Shema")));
  EXPECT_GE(chart.plot.top(), chart.titleBox.bottom());
  EXPECT_TRUE(inner.contains(chart.plot));
  for (const AxisLabel& label : chart.leftLabels) EXPECT_TRUE(inner.contains(label.box));
  for (const AxisLabel& label : chart.bottomLabels) EXPECT_TRUE(inner.contains(label.box));
  // Both axis lines lie just outside the plot and meet at its lower left corner.
  EXPECT_EQ(chart.leftAxisLine, QLineF(chart.plot.left() - 0.5, chart.plot.top(),
                                       chart.plot.left() - 0.5, chart.plot.bottom() + 2));
  EXPECT_EQ(chart.bottomAxisLine, QLineF(chart.plot.left() - 1, chart.plot.bottom() + 1,
                                         chart.plot.right(), chart.plot.bottom() + 1));
}

TEST(ChartFrame, TheTopmostNumberStandsAboveThePlotButBelowTheTitleBand) {
  const ChartGeometry chart = LayOut(kDefaultBolts);
  const PlottedPoint& top = chart.points[1];
  EXPECT_LT(top.markBox.top(), chart.plot.top());
  EXPECT_GE(top.markBox.top(), chart.titleBox.bottom());
}

TEST(ChartFrame, LabelsUseTheSeparatorsTheyAreGiven) {
  const FormatSettingsRecord commaAndPoint{u',', u'.'};
  const ChartGeometry chart =
      LayOutChart(kChartSize, PointsOf(kSevenBolts), kMeasures, commaAndPoint);
  ASSERT_FALSE(chart.leftLabels.empty());
  bool grouped = false;
  for (const auto* labels : {&chart.leftLabels, &chart.bottomLabels}) {
    for (const AxisLabel& label : *labels) {
      EXPECT_EQ(label.text, AxisLabelText(label.value, commaAndPoint));
      grouped = grouped || label.text.contains(u'.');
    }
  }
  EXPECT_TRUE(grouped);
}

TEST(ChartFrame, AnEmptyChartHasItsFrameButNoLabelsOrPoints) {
  const ChartGeometry chart = LayOut({});
  EXPECT_TRUE(chart.points.empty());
  EXPECT_TRUE(chart.leftLabels.empty());
  EXPECT_TRUE(chart.bottomLabels.empty());
  EXPECT_FALSE(chart.horizontal.HasRange());
  EXPECT_FALSE(chart.vertical.HasRange());
  EXPECT_GT(chart.plot.width(), 0);
  EXPECT_GT(chart.plot.height(), 0);
}

TEST(ChartFrame, APointWithoutPlaceIsLeftOutButKeepsItsNumber) {
  const double inf = std::numeric_limits<double>::infinity();
  const std::vector<SeriesPoint> points{{-10, 5, "", kSeriesDefaultColor},
                                        {0, inf, "", kSeriesDefaultColor},
                                        {10, -5, "", kSeriesDefaultColor}};
  const ChartGeometry chart = LayOutChart(kChartSize, points, kMeasures, kPointAndComma);
  ASSERT_EQ(chart.points.size(), 2u);
  EXPECT_EQ(chart.points[0].markText, QStringLiteral("0"));
  EXPECT_EQ(chart.points[1].markText, QStringLiteral("2"));
  EXPECT_EQ(chart.vertical.Minimum(), -5);
  EXPECT_EQ(chart.vertical.Maximum(), 5);
}

// Axis labels, checked for their properties over charts of many shapes.
struct LabelCase {
  const char* name;
  std::vector<Bolt> bolts;
  QSize size;
};

void PrintTo(const LabelCase& c, std::ostream* os) { *os << c.name; }

std::vector<Bolt> Ring(int count, double diameter) {
  std::vector<Bolt> bolts;
  for (int i = 0; i < count; ++i) {
    const double angle = 2 * std::numbers::pi * i / count;
    bolts.push_back({std::round(diameter / 2 * std::sin(angle) * 100) / 100,
                     std::round(diameter / 2 * std::cos(angle) * 100) / 100});
  }
  return bolts;
}

bool IsRoundStep(double step) {
  const double decade = std::pow(10.0, std::floor(std::log10(step)));
  for (const double factor : {1.0, 2.0, 5.0, 10.0}) {
    if (std::abs(step - factor * decade) <= 1e-9 * step) return true;
  }
  return false;
}

class AxisLabelsTest : public testing::TestWithParam<LabelCase> {};

void ExpectSoundLabels(const std::vector<AxisLabel>& labels, const AxisScale& scale,
                       bool vertical) {
  ASSERT_FALSE(labels.empty());
  if (!scale.HasRange()) {
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].value, scale.Minimum());
  }
  for (std::size_t i = 0; i < labels.size(); ++i) {
    const AxisLabel& label = labels[i];
    SCOPED_TRACE(label.text.toStdString());
    EXPECT_GE(label.value, scale.Minimum());
    EXPECT_LE(label.value, scale.Maximum());
    EXPECT_EQ(label.text, AxisLabelText(label.value, kPointAndComma));
    EXPECT_EQ(label.pixelCentre, scale.PixelCentreOf(label.value));
    const QPointF along = vertical ? QPointF(label.tick.x1(), label.pixelCentre)
                                   : QPointF(label.pixelCentre, label.tick.y1());
    EXPECT_EQ(label.tick.p1(), along);
    EXPECT_EQ(vertical ? label.box.center().y() : label.box.center().x(), label.pixelCentre);
    if (i == 0) continue;
    const AxisLabel& before = labels[i - 1];
    EXPECT_GT(label.value, before.value);
    EXPECT_NE(label.text, before.text);
    const double gap =
        vertical ? before.box.top() - label.box.bottom() : label.box.left() - before.box.right();
    EXPECT_GE(gap, kLabelSpacing);
    const double step = label.value - before.value;
    EXPECT_TRUE(IsRoundStep(step)) << step;
    if (i >= 2) {
      EXPECT_NEAR(step, before.value - labels[i - 2].value, 1e-9 * step);
    }
  }
}

TEST_P(AxisLabelsTest, LabelsAreRoundEvenlySpacedAndNeverOverlap) {
  const LabelCase& c = GetParam();
  const ChartGeometry chart = LayOut(c.bolts, c.size);
  {
    SCOPED_TRACE("bottom axis");
    ExpectSoundLabels(chart.bottomLabels, chart.horizontal, false);
  }
  {
    SCOPED_TRACE("left axis");
    ExpectSoundLabels(chart.leftLabels, chart.vertical, true);
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Charts, AxisLabelsTest, testing::Values(
    LabelCase{"DefaultInputs",      kDefaultBolts,                          kChartSize},
    LabelCase{"SevenBolts",         kSevenBolts,                            kChartSize},
    LabelCase{"HundredBolts",       Ring(100, 3000),                        kChartSize},
    LabelCase{"SmallRing",          Ring(8, 0.1),                           kChartSize},
    LabelCase{"HundredthApart",     {{0, 0}, {0.01, 0.01}},                 kChartSize},
    LabelCase{"LargeRing",          Ring(12, 4e9),                          kChartSize},
    LabelCase{"TinyChart",          kDefaultBolts,                          QSize(60, 60)},
    LabelCase{"CoarserStepEmpty",   {{5.5, 5.5}, {9.9, 9.9}},               QSize(56, 300)},
    LabelCase{"TwoBolts",           {{0, 1500}, {0, -1500}},                kChartSize},
    LabelCase{"LargerChart",        kSevenBolts,                            QSize(800, 600)},
    LabelCase{"SmallChart",         kSevenBolts,                            QSize(120, 100)}),
    [](const testing::TestParamInfo<LabelCase>& info) { return info.param.name; });
// clang-format on

// From 5.5 to 9.9 on a narrow axis the labels 6 and 8 of step 2 overlap, and step 5 has no
// multiple inside the range: the axis keeps the first label of step 2.
TEST(AxisLabels, ACoarserStepWithoutValuesKeepsOneLabelOfTheFinerStep) {
  const ChartGeometry chart = LayOut({{5.5, 5.5}, {9.9, 9.9}}, QSize(56, 300));
  ASSERT_EQ(chart.bottomLabels.size(), 1u);
  EXPECT_EQ(chart.bottomLabels[0].value, 6);
}

TEST(AxisLabels, TheMainWindowsChartShowsSeveralLabelsOnEachAxis) {
  for (const auto& bolts : {kDefaultBolts, kSevenBolts}) {
    const ChartGeometry chart = LayOut(bolts);
    EXPECT_GE(chart.bottomLabels.size(), 3u);
    EXPECT_GE(chart.leftLabels.size(), 5u);
  }
}

}  // namespace
}  // namespace arvelle
