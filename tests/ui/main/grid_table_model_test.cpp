// The table model over the grid store: what the views are shown, and how changes reach
// them (gathered, and announced once per turn of the event loop).
#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

#include "core/string_grid.h"
#include "ui/main/grid_table_model.h"

using arvelle::StringGrid;
using arvelle::ui::GridTableModel;

class GridTableModelTest : public QObject {
  Q_OBJECT

 private slots:
  void fixedRowAndColumnAreTheHeaders() {
    StringGrid grid(7, 100);
    GridTableModel model(grid, 1, 1);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    grid.SetCellEx(0, 0, "Bolts");
    grid.SetCellEx(1, 0, "Angle");
    grid.SetCellEx(0, 1, "0");
    grid.SetCellEx(1, 1, "12.5");
    model.Flush();

    QCOMPARE(model.rowCount(), 99);
    QCOMPARE(model.columnCount(), 6);
    QCOMPARE(model.CornerText(), QString("Bolts"));
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QString("Angle"));
    QCOMPARE(model.headerData(0, Qt::Vertical).toString(), QString("0"));
    QCOMPARE(model.data(model.index(0, 0)).toString(), QString("12.5"));
    QCOMPARE(model.data(model.index(98, 5)).toString(), QString());
  }

  void sumRowHasNoHeaderRow() {
    StringGrid grid(7, 1);
    GridTableModel model(grid, 0, 1);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    grid.SetCellEx(4, 0, "4500000");
    model.Flush();
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.columnCount(), 6);
    QCOMPARE(model.data(model.index(0, 3)).toString(), QString("4500000"));
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QString());
    QCOMPARE(model.CornerText(), QString());
  }

  void cellsCanBeSelectedButNotEdited() {
    StringGrid grid(7, 100);
    GridTableModel model(grid, 1, 1);
    const Qt::ItemFlags flags = model.flags(model.index(3, 2));
    QVERIFY(flags.testFlag(Qt::ItemIsSelectable));
    QVERIFY(flags.testFlag(Qt::ItemIsEnabled));
    QVERIFY(!flags.testFlag(Qt::ItemIsEditable));
  }

  void aBurstOfWritesIsAnnouncedOnceAsTheirBoundingBox() {
    StringGrid grid(7, 100);
    GridTableModel model(grid, 1, 1);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    for (int row = 3; row <= 40; ++row) {
      for (int col = 2; col <= 5; ++col) grid.SetCellEx(col, row, "1");
    }
    QCOMPARE(changed.count(), 0);
    QTRY_COMPARE(changed.count(), 1);
    const auto topLeft = changed.at(0).at(0).value<QModelIndex>();
    const auto bottomRight = changed.at(0).at(1).value<QModelIndex>();
    QCOMPARE(topLeft, model.index(2, 1));
    QCOMPARE(bottomRight, model.index(39, 4));
  }

  void headerWritesAnnounceHeaderChanges() {
    StringGrid grid(7, 100);
    GridTableModel model(grid, 1, 1);
    QSignalSpy header(&model, &QAbstractItemModel::headerDataChanged);
    QSignalSpy corner(&model, &GridTableModel::CornerTextChanged);
    grid.SetCellEx(0, 0, "Bolts");
    grid.SetCellEx(6, 0, "P [kN]");
    grid.SetCellEx(0, 9, "8");
    model.Flush();
    QCOMPARE(corner.count(), 1);
    bool horizontalSeen = false;
    bool verticalSeen = false;
    for (const QList<QVariant>& signal : header) {
      const auto orientation = signal.at(0).value<Qt::Orientation>();
      if (orientation == Qt::Horizontal) {
        horizontalSeen = signal.at(1).toInt() == 0 && signal.at(2).toInt() == 5;
      } else {
        verticalSeen = signal.at(1).toInt() == 0 && signal.at(2).toInt() == 8;
      }
    }
    QVERIFY(horizontalSeen);
    QVERIFY(verticalSeen);
  }

  void growingClearingAndShrinkingResetTheShape() {
    StringGrid grid(7, 100);
    GridTableModel model(grid, 1, 1);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    grid.SetRowCount(65537);
    grid.SetCellEx(1, 65536, "359.99");
    // Until announced, the views keep the shape they were told of.
    QCOMPARE(model.rowCount(), 99);
    model.Flush();
    QCOMPARE(reset.count(), 1);
    QCOMPARE(model.rowCount(), 65536);
    QCOMPARE(model.data(model.index(65535, 0)).toString(), QString("359.99"));

    grid.SetCellEx(2, 5, "x");
    grid.Clear();
    grid.SetCellEx(0, 0, "Bolts");
    model.Flush();
    QCOMPARE(reset.count(), 2);
    QCOMPARE(model.rowCount(), 99);
    QCOMPARE(model.CornerText(), QString("Bolts"));
    QCOMPARE(model.data(model.index(4, 1)).toString(), QString());
  }

  void cellsTheGridNoLongerHasReadEmptyUntilAnnounced() {
    StringGrid grid(7, 200);
    GridTableModel model(grid, 1, 1);
    grid.SetCellEx(1, 150, "7");
    model.Flush();
    grid.SetRowCount(100);
    QCOMPARE(model.rowCount(), 199);
    QCOMPARE(model.data(model.index(149, 0)).toString(), QString());
    model.Flush();
    QCOMPARE(model.rowCount(), 99);
  }

  void stopsListeningWhenDestroyed() {
    StringGrid grid(7, 100);
    { GridTableModel model(grid, 1, 1); }
    // Would reach a destroyed observer if the model had not let go of the grid.
    grid.SetCellEx(1, 1, "1");
    grid.Clear();
    QCOMPARE(grid.GetCellEx(1, 1), std::string());
  }
};

QTEST_GUILESS_MAIN(GridTableModelTest)
#include "grid_table_model_test.moc"
