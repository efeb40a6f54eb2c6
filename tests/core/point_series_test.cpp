#include "core/point_series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace arvelle {
namespace {

struct XY {
  double x;
  double y;
  bool operator==(const XY&) const = default;
};

std::vector<XY> Order(const std::vector<XY>& added) {
  PointSeries series;
  for (const XY& p : added) series.AddXY(p.x, p.y);
  std::vector<XY> ordered;
  for (const SeriesPoint& p : series.Points()) ordered.push_back({p.x, p.y});
  return ordered;
}

struct OrderCase {
  const char* name;
  std::vector<XY> added;  // in bolt order
  std::vector<XY> marks;  // mark 0, 1, 2, ...
};

class PointSeriesOrderTest : public testing::TestWithParam<OrderCase> {};

TEST_P(PointSeriesOrderTest, NumbersPointsFromLeftToRightThenInBoltOrder) {
  EXPECT_EQ(Order(GetParam().added), GetParam().marks);
}

INSTANTIATE_TEST_SUITE_P(
    Bolts, PointSeriesOrderTest,
    testing::Values(
        OrderCase{"default_four",
                  {{0, 1500}, {1500, 0}, {0, -1500}, {-1500, 0}},
                  {{-1500, 0}, {0, 1500}, {0, -1500}, {1500, 0}}},
        OrderCase{"six_bolts",
                  {{0, 1500},
                   {1299.04, 750},
                   {1299.04, -750},
                   {0, -1500},
                   {-1299.04, -750},
                   {-1299.04, 750}},
                  {{-1299.04, -750},
                   {-1299.04, 750},
                   {0, 1500},
                   {0, -1500},
                   {1299.04, 750},
                   {1299.04, -750}}},
        OrderCase{"two_bolts", {{0, 1500}, {0, -1500}}, {{0, 1500}, {0, -1500}}},
        OrderCase{"one_bolt", {{0, 1500}}, {{0, 1500}}},
        OrderCase{
            "start_angle_45",
            {{1060.66, 1060.66}, {1060.66, -1060.66}, {-1060.66, -1060.66}, {-1060.66, 1060.66}},
            {{-1060.66, -1060.66}, {-1060.66, 1060.66}, {1060.66, 1060.66}, {1060.66, -1060.66}}},
        OrderCase{"negative_zero_equals_zero",
                  {{0, 1}, {-0.0, 2}, {-1, 3}},
                  {{-1, 3}, {0, 1}, {-0.0, 2}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PointSeries, ClearRemovesEveryPointAndReportsEachChange) {
  PointSeries series;
  int changes = 0;
  series.SetChangeHandler([&] { ++changes; });
  series.AddXY(1, 2);
  series.AddXY(0, 3);
  EXPECT_EQ(series.Count(), 2);
  series.Clear();
  EXPECT_EQ(series.Count(), 0);
  EXPECT_TRUE(series.Points().empty());
  EXPECT_EQ(changes, 3);
}

TEST(PointSeries, KeepsLabelAndColourWithTheirPoint) {
  PointSeries series;
  series.AddXY(5, 0, "b", 7);
  series.AddXY(1, 0, "a");
  ASSERT_EQ(series.Points().size(), 2u);
  EXPECT_EQ(series.Points()[0].label, "a");
  EXPECT_EQ(series.Points()[0].color, kSeriesDefaultColor);
  EXPECT_EQ(series.Points()[1].color, 7u);
}

TEST(PointSeries, NaNStaysWhereTheSearchFromTheEndLeavesIt) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  PointSeries series;
  series.AddXY(1, 0);
  series.AddXY(nan, 1);  // nothing compares greater: appended
  series.AddXY(0, 2);    // the NaN does not compare greater either: after it
  series.AddXY(3, 3);    // greater than the last point: appended
  const auto& points = series.Points();
  ASSERT_EQ(points.size(), 4u);
  EXPECT_EQ(points[0].x, 1);
  EXPECT_TRUE(std::isnan(points[1].x));
  EXPECT_EQ(points[2].x, 0);
  EXPECT_EQ(points[3].x, 3);
}

TEST(PointSeries, AddingAfterReadingKeepsTheOrder) {
  PointSeries series;
  series.AddXY(2, 0);
  ASSERT_EQ(series.Points().size(), 1u);
  series.AddXY(1, 0);
  ASSERT_EQ(series.Points().size(), 2u);
  EXPECT_EQ(series.Points()[0].x, 1);
}

}  // namespace
}  // namespace arvelle
