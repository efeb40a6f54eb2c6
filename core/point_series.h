#pragma once
// The chart's point series: points kept in ascending x order, each numbered by its
// position in that order (counted from 0). Among equal x the order of addition stays,
// so the chart numbers the bolts from left to right and, at equal x, in bolt order.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace arvelle {

// The colour argument of AddXY that means: draw the point in the series colour.
inline constexpr std::uint32_t kSeriesDefaultColor = 0x20000000;

struct SeriesPoint {
  double x = 0;
  double y = 0;
  std::string label;
  std::uint32_t color = kSeriesDefaultColor;
};

class PointSeries {
 public:
  // Removes every point.
  void Clear();

  // Inserts a point where the ascending x order puts it: after the last point whose x is
  // less than or equal to the new x, searching from the end, or first when there is none.
  // Comparisons are exact on the doubles (-0 equals 0).
  void AddXY(double AXValue, double AYValue, std::string_view ALabel = {},
             std::uint32_t AColor = kSeriesDefaultColor);

  int Count() const { return static_cast<int>(added_.size()); }
  // The points in the series' order; the index of a point is its mark number.
  const std::vector<SeriesPoint>& Points() const;

  // Called after Clear and after each AddXY, so that the chart repaints.
  void SetChangeHandler(std::function<void()> handler) { changed_ = std::move(handler); }

 private:
  void Changed() const;

  // Points in the order they were added; the x order is settled when it is first asked for,
  // so that adding 65536 bolts costs no quadratic insertion.
  std::vector<SeriesPoint> added_;
  mutable std::vector<SeriesPoint> ordered_;
  mutable bool orderSettled_ = true;
  std::function<void()> changed_;
};

}  // namespace arvelle
