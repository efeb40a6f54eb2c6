#pragma once
// The hole-position chart of the main window: the bolt positions of the last calculation
// as blue points, each carrying its number in the series' x order. It is for display only:
// disabled, it takes no mouse, keyboard or focus.
#include <QWidget>

#include "core/point_series.h"
#include "ui/chart/chart_geometry.h"

namespace arvelle {

class HoleChart final : public QWidget {
  Q_OBJECT

 public:
  // Shows series (see ShowSeries).
  explicit HoleChart(PointSeries& series, QWidget* parent = nullptr);
  // An empty chart until ShowSeries is called; the constructor that a widget promoted in a
  // Designer form gets.
  explicit HoleChart(QWidget* parent = nullptr);
  HoleChart(const HoleChart&) = delete;
  HoleChart& operator=(const HoleChart&) = delete;

  // Shows series from now on and becomes its change handler (replacing any other), so that
  // every Clear and AddXY asks for a repaint, which happens when the window next paints.
  // The series must outlive the chart's painting; either may be destroyed first.
  void ShowSeries(PointSeries& series);

  // Where the chart puts everything at its present size, with its own fonts and the
  // process-wide separators: exactly what it paints.
  ChartGeometry Layout() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const PointSeries* series_ = nullptr;
};

}  // namespace arvelle
