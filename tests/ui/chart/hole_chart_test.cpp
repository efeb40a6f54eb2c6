// The chart widget on the offscreen platform: what it paints, when it repaints, and that
// it ignores the mouse.
#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPalette>
#include <QPointer>
#include <QTest>
#include <cmath>
#include <memory>
#include <string>

#include "core/calculation.h"
#include "core/errors.h"
#include "core/format_settings.h"
#include "core/point_series.h"
#include "ui/chart/hole_chart.h"

namespace arvelle {
namespace {

const QSize kChartSize(282, 247);

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return QObject::eventFilter(watched, event);
  }
};

QPoint PixelOf(const QPointF& centre) {
  return QPoint(static_cast<int>(std::floor(centre.x())), static_cast<int>(std::floor(centre.y())));
}

bool IsNear(QColor actual, QColor expected, int tolerance) {
  return std::abs(actual.red() - expected.red()) <= tolerance &&
         std::abs(actual.green() - expected.green()) <= tolerance &&
         std::abs(actual.blue() - expected.blue()) <= tolerance;
}

bool IsBlue(QColor color) { return color.blue() > 200 && color.red() < 60 && color.green() < 60; }

void FillDefaultCase(PointSeries& series) {
  series.Clear();
  for (const auto& [x, y] :
       {std::pair{0.0, 1500.0}, {1500.0, 0.0}, {0.0, -1500.0}, {-1500.0, 0.0}}) {
    series.AddXY(x, y);
  }
}

// The other inputs keep the window's initial texts.
void SetBoltsAndStartAngle(PitchCircleModel& model, int bolts, int startAngle) {
  model.inputs.n_Edit = std::to_string(bolts);
  model.inputs.alpha_Edit = std::to_string(startAngle);
}

}  // namespace

class HoleChartTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
  }

  void isDisabledAndNeverTakesTheFocus() {
    PointSeries series;
    HoleChart chart(series);
    QVERIFY(!chart.isEnabled());
    QCOMPARE(chart.focusPolicy(), Qt::NoFocus);
  }

  void defaultCaseShowsBluePointsOnTheGradient() {
    PointSeries series;
    HoleChart chart(series);
    chart.resize(kChartSize);
    FillDefaultCase(series);
    const ChartGeometry layout = chart.Layout();
    const QImage image = chart.grab().toImage();
    QCOMPARE(image.size(), kChartSize);

    QCOMPARE(layout.points.size(), std::size_t{4});
    for (const PlottedPoint& point : layout.points) {
      const QColor centre = image.pixelColor(PixelOf(point.centre));
      QVERIFY2(IsBlue(centre),
               qPrintable(QStringLiteral("point %1 is %2").arg(point.index).arg(centre.name())));
    }
    // The left, top, bottom and right points carry 0, 1, 2 and 3.
    const auto& p = layout.points;
    QVERIFY(p[0].centre.x() < p[1].centre.x() && p[1].centre.x() < p[3].centre.x());
    QCOMPARE(p[1].centre.x(), p[2].centre.x());
    QVERIFY(p[1].centre.y() < p[0].centre.y() && p[0].centre.y() < p[2].centre.y());
    QCOMPARE(p[0].centre.y(), p[3].centre.y());

    // Grey at the bottom of the plot, white at its top, lighter on the way up; sampled
    // away from the points and their numbers.
    const int column = static_cast<int>(layout.plot.left()) + 12;
    const int top = static_cast<int>(layout.plot.top());
    const int bottom = static_cast<int>(layout.plot.bottom()) - 1;
    const QColor nearBottom = image.pixelColor(column, bottom);
    const QColor middle = image.pixelColor(column, (top + bottom) / 2);
    const QColor nearTop = image.pixelColor(column, top);
    QVERIFY2(IsNear(nearBottom, QColor(0xEA, 0xEA, 0xEA), 3), qPrintable(nearBottom.name()));
    QVERIFY2(IsNear(nearTop, Qt::white, 3), qPrintable(nearTop.name()));
    QVERIFY(nearBottom.lightness() < middle.lightness() &&
            middle.lightness() < nearTop.lightness());

    // The panel shows the window colour; the axis lines lie just outside the plot.
    QCOMPARE(image.pixelColor(1, 1), chart.palette().color(QPalette::Window));
    const int between = static_cast<int>(layout.plot.center().x()) + 17;
    QVERIFY(IsNear(image.pixelColor(between, static_cast<int>(layout.plot.bottom())),
                   QColor(0x40, 0x40, 0x40), 8));
    QVERIFY(IsNear(image.pixelColor(between, static_cast<int>(layout.plot.bottom()) + 1),
                   QColor(0x40, 0x40, 0x40), 8));
    const int leftOfPlot = static_cast<int>(layout.plot.left()) - 1;
    QVERIFY(IsNear(image.pixelColor(leftOfPlot, top + 9), Qt::black, 40));

    // The title is blue text in its box.
    int bluish = 0;
    const QRect title = layout.titleBox.toAlignedRect();
    for (int y = title.top(); y <= title.bottom(); ++y) {
      for (int x = title.left(); x <= title.right(); ++x) {
        const QColor c = image.pixelColor(x, y);
        if (c.blue() > 150 && c.red() < c.blue() - 60) ++bluish;
      }
    }
    QVERIFY(bluish > 10);
  }

  void showsTheCalculationsPoints_data() {
    QTest::addColumn<int>("bolts");
    QTest::addColumn<int>("startAngle");
    // With every X at 0 the force pass divides 0 by a sum of 0: the run stops after all
    // points were added, and they stay on the chart.
    QTest::addColumn<bool>("stops");
    QTest::newRow("default inputs") << 4 << 0 << false;
    QTest::newRow("six bolts") << 6 << 0 << false;
    QTest::newRow("seven bolts") << 7 << 0 << false;
    QTest::newRow("two bolts") << 2 << 0 << true;
    QTest::newRow("one bolt") << 1 << 0 << true;
    QTest::newRow("start angle 45") << 4 << 45 << false;
  }

  // "Calculations" twice with the same inputs draws the same chart: no point is doubled.
  void showsTheCalculationsPoints() {
    QFETCH(int, bolts);
    QFETCH(int, startAngle);
    QFETCH(bool, stops);
    PitchCircleModel model;
    SetBoltsAndStartAngle(model, bolts, startAngle);
    HoleChart chart(model.Series1);
    chart.resize(kChartSize);
    const auto calculate = [&] {
      if (stops) {
        QVERIFY_THROWS_EXCEPTION(EInvalidOp, model.BitBtn2Click());
      } else {
        model.BitBtn2Click();
      }
    };

    calculate();
    const ChartGeometry first = chart.Layout();
    const QImage firstImage = chart.grab().toImage();
    calculate();
    if (QTest::currentTestFailed()) return;
    const ChartGeometry second = chart.Layout();

    QCOMPARE(second.points.size(), static_cast<std::size_t>(bolts));
    for (std::size_t i = 0; i < second.points.size(); ++i) {
      QCOMPARE(second.points[i].markText, QString::number(i));
      QCOMPARE(second.points[i].centre, first.points[i].centre);
    }
    QCOMPARE(chart.grab().toImage(), firstImage);
  }

  void everyClearAndAddAsksForARepaint() {
    PointSeries series;
    HoleChart chart(series);
    chart.resize(kChartSize);
    chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chart));
    PaintCounter paints(&chart);

    series.AddXY(10, 20);
    QTRY_VERIFY(paints.count > 0);
    paints.count = 0;
    series.Clear();
    QTRY_VERIFY(paints.count > 0);
  }

  void clickAndDragDoNothing() {
    QWidget window;
    window.resize(400, 300);
    PointSeries series;
    auto* chart = new HoleChart(series, &window);
    chart->setGeometry(10, -22, kChartSize.width(), kChartSize.height());
    FillDefaultCase(series);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage before = chart->grab().toImage();
    const std::vector<SeriesPoint> pointsBefore = series.Points();

    const QPoint middle = chart->rect().center();
    QTest::mouseClick(chart, Qt::LeftButton, {}, middle);
    QTest::mouseDClick(chart, Qt::LeftButton, {}, middle);
    QTest::mousePress(chart, Qt::LeftButton, {}, middle);
    QTest::mouseMove(chart, middle + QPoint(60, 40));
    QTest::mouseRelease(chart, Qt::LeftButton, {}, middle + QPoint(60, 40));
    QTest::mouseClick(chart, Qt::RightButton, {}, middle);
    QApplication::processEvents();

    QVERIFY(!chart->hasFocus());
    QCOMPARE(series.Count(), static_cast<int>(pointsBefore.size()));
    for (std::size_t i = 0; i < pointsBefore.size(); ++i) {
      QCOMPARE(series.Points()[i].x, pointsBefore[i].x);
      QCOMPARE(series.Points()[i].y, pointsBefore[i].y);
    }
    QCOMPARE(chart->grab().toImage(), before);
  }

  void labelsFollowTheProcessWideSeparators() {
    PointSeries series;
    HoleChart chart(series);
    chart.resize(kChartSize);
    FillDefaultCase(series);
    const FormatSettingsRecord saved = FormatSettings;
    FormatSettings = FormatSettingsRecord{u',', u'.'};
    const ChartGeometry layout = chart.Layout();
    FormatSettings = saved;
    QStringList texts;
    for (const AxisLabel& label : layout.leftLabels) texts << label.text;
    QVERIFY2(texts.contains(QStringLiteral("-1.500")), qPrintable(texts.join(u' ')));
  }

  // A chart made by a Designer form starts empty and shows its series once given one.
  void aChartWithoutSeriesIsEmptyUntilGivenOne() {
    HoleChart chart;
    chart.resize(kChartSize);
    QVERIFY(!chart.isEnabled());
    QCOMPARE(chart.focusPolicy(), Qt::NoFocus);
    QVERIFY(chart.Layout().points.empty());
    QCOMPARE(chart.grab().size(), kChartSize);

    PointSeries series;
    FillDefaultCase(series);
    chart.ShowSeries(series);
    QCOMPARE(chart.Layout().points.size(), std::size_t{4});
    series.AddXY(2000, 0);
    QCOMPARE(chart.Layout().points.size(), std::size_t{5});
    QCOMPARE(chart.Layout().points.back().markText, QStringLiteral("4"));
  }

  void theSeriesMayOutliveTheChart() {
    PointSeries series;
    auto chart = std::make_unique<HoleChart>(series);
    const QPointer<HoleChart> watch(chart.get());
    chart.reset();
    QVERIFY(watch.isNull());
    series.AddXY(1, 2);
    series.Clear();
    QCOMPARE(series.Count(), 0);
  }
};

}  // namespace arvelle

QTEST_MAIN(arvelle::HoleChartTest)
#include "hole_chart_test.moc"
