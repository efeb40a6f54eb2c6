#include "core/point_series.h"

#include <algorithm>
#include <cmath>

namespace arvelle {

void PointSeries::Clear() {
  added_.clear();
  ordered_.clear();
  orderSettled_ = true;
  Changed();
}

void PointSeries::AddXY(double AXValue, double AYValue, std::string_view ALabel,
                        std::uint32_t AColor) {
  added_.push_back(SeriesPoint{AXValue, AYValue, std::string(ALabel), AColor});
  orderSettled_ = false;
  Changed();
}

const std::vector<SeriesPoint>& PointSeries::Points() const {
  if (orderSettled_) return ordered_;
  const bool anyNaN = std::any_of(added_.begin(), added_.end(),
                                  [](const SeriesPoint& p) { return std::isnan(p.x); });
  ordered_.clear();
  ordered_.reserve(added_.size());
  if (!anyNaN) {
    // Inserting each point after every point with x <= its own is a stable sort by x.
    ordered_ = added_;
    std::stable_sort(ordered_.begin(), ordered_.end(),
                     [](const SeriesPoint& a, const SeriesPoint& b) { return a.x < b.x; });
  } else {
    // A NaN compares false both ways, so only the literal search from the end places the
    // points where the insertion puts them.
    for (const SeriesPoint& point : added_) {
      auto at = ordered_.end();
      while (at != ordered_.begin() && std::prev(at)->x > point.x) --at;
      ordered_.insert(at, point);
    }
  }
  orderSettled_ = true;
  return ordered_;
}

void PointSeries::Changed() const {
  if (changed_) changed_();
}

}  // namespace arvelle
