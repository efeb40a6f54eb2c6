#include "core/string_grid.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/errors.h"
#include "separator_guard.h"

namespace arvelle {
namespace {

using test::SeparatorGuard;

class RecordingObserver : public GridObserver {
 public:
  void CellChanged(int col, int row) override { cells.push_back({col, row}); }
  void GridReset() override { ++resets; }
  std::vector<std::pair<int, int>> cells;
  int resets = 0;
};

TEST(StringGrid, KeepsTextsExactlyAsWritten) {
  StringGrid grid(7, 100);
  EXPECT_EQ(grid.GetCellEx(3, 50), "");
  grid.SetCellEx(1, 1, " 12.50 ");
  grid.SetCellEx(0, 0, "Bolts");
  EXPECT_EQ(grid.GetCellEx(1, 1), " 12.50 ");
  EXPECT_EQ(grid.GetCellEx(0, 0), "Bolts");
  grid.SetCellEx(1, 1, "");
  EXPECT_EQ(grid.GetCellEx(1, 1), "");
}

TEST(StringGrid, ClearEmptiesHeadersAndKeepsTheShape) {
  StringGrid grid(7, 100);
  grid.SetCellEx(0, 0, "Bolts");
  grid.SetCellEx(6, 99, "x");
  grid.Clear();
  EXPECT_EQ(grid.GetCellEx(0, 0), "");
  EXPECT_EQ(grid.GetCellEx(6, 99), "");
  EXPECT_EQ(grid.RowCount(), 100);
  EXPECT_EQ(grid.ColCount(), 7);
}

TEST(StringGrid, GrowsAndClearShrinksBack) {
  StringGrid grid(7, 100);
  grid.SetRowCount(1001);
  grid.SetCellEx(2, 1000, "5");
  EXPECT_EQ(grid.RowCount(), 1001);
  EXPECT_EQ(grid.GetCellEx(2, 1000), "5");
  grid.Clear();
  EXPECT_EQ(grid.RowCount(), 100);
  EXPECT_THROW(grid.GetCellEx(2, 1000), std::out_of_range);
}

TEST(StringGrid, CellsOutsideTheGridAreRejected) {
  StringGrid grid(7, 1);
  EXPECT_THROW(grid.SetCellEx(7, 0, "x"), std::out_of_range);
  EXPECT_THROW(grid.GetCellEx(0, 1), std::out_of_range);
  EXPECT_THROW(grid.GetCellEx(-1, 0), std::out_of_range);
}

TEST(StringGrid, TellsItsObserverOfEveryChange) {
  StringGrid grid(7, 100);
  RecordingObserver observer;
  grid.SetObserver(&observer);
  grid.SetCellEx(4, 2, "1");
  grid.Clear();
  grid.SetRowCount(200);
  EXPECT_EQ(observer.cells, (std::vector<std::pair<int, int>>{{4, 2}}));
  EXPECT_EQ(observer.resets, 2);
}

class ColumnSumTest : public testing::Test {
 protected:
  StringGrid grid{7, 100};
  void Column(const std::vector<const char*>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
      grid.SetCellEx(4, static_cast<int>(i) + 1, texts[i]);
    }
  }
};

TEST_F(ColumnSumTest, EmptyRowsCountZero) {
  Column({"0", "2250000", "0", "2250000"});
  EXPECT_EQ(grid.ColumnSum(4, 1, 99), 4500000.0);
  EXPECT_EQ(grid.ColumnSum(4, 1, 4), 4500000.0);
}

TEST_F(ColumnSumTest, FreshTableSumsToZeroAndAnEmptyRangeToo) {
  EXPECT_EQ(grid.ColumnSum(4, 1, 99), 0.0);
  Column({"5"});
  EXPECT_EQ(grid.ColumnSum(4, 2, 1), 0.0);
}

TEST_F(ColumnSumTest, ReadsSignsExponentsAndSkipsNonNumbers) {
  Column({"-2.5", "1.5E16", "abc", "-", "NAN", "1E-5", "(3)", "1e+2"});
  EXPECT_EQ(grid.ColumnSum(4, 1, 99), ((-2.5 + 1.5e16) + 1e-5) + 100.0);
}

TEST_F(ColumnSumTest, AddsInRowOrderRoundingEachTime) {
  Column({"1E16", "1", "1", "-1E16"});
  // Each 1 is lost against 1E16 when the sum is rounded to a double after every addition.
  EXPECT_EQ(grid.ColumnSum(4, 1, 4), 0.0);
}

TEST_F(ColumnSumTest, IgnoresThousandsSeparatorAndTakesTheDecimalOne) {
  SeparatorGuard comma(u',', u'.');
  Column({"12,5", "1.000", "1.000,25", "2,5E2"});
  EXPECT_EQ(grid.ColumnSum(4, 1, 99), 12.5 + 1000 + 1000.25 + 250);
}

TEST_F(ColumnSumTest, PointIsIgnoredAsThousandsSeparatorUnderComma) {
  SeparatorGuard comma(u',', u'.');
  Column({"1.5"});
  EXPECT_EQ(grid.ColumnSum(4, 1, 1), 15.0);
}

TEST_F(ColumnSumTest, ASumBeyondTheDoubleRangeOverflows) {
  Column({"1.7E308", "1.7E308"});
  EXPECT_THROW(grid.ColumnSum(4, 1, 2), EOverflow);
}

}  // namespace
}  // namespace arvelle
