#pragma once
// The results table and the sum row as a store of cell texts, addressed (column, row),
// both counted from 0. The grid stores texts only: no cell holds a number or a format.
// The windows show the store through a model that listens to its changes.
#include <string>
#include <vector>

namespace arvelle {

// Told of every change of a grid's cells, so that a view can show it at once.
class GridObserver {
 public:
  virtual ~GridObserver() = default;
  // The text of one cell changed.
  virtual void CellChanged(int col, int row) = 0;
  // Every cell may have changed, and the row count too (Clear, SetRowCount).
  virtual void GridReset() = 0;
};

class StringGrid {
 public:
  StringGrid(int colCount, int rowCount);

  // The text of cell (c, r) becomes `value`. Header and fixed cells are cells like any other.
  void SetCellEx(int col, int row, std::string value);
  // The cell's text exactly as last written, or "" for a cell never written.
  const std::string& GetCellEx(int col, int row) const;

  // Empties every cell and sets the row count back to the one the grid was made with.
  void Clear();

  int RowCount() const { return rowCount_; }
  int ColCount() const { return colCount_; }
  // Grows or shrinks the grid; new rows are empty, removed rows are gone.
  void SetRowCount(int rowCount);

  // The sum of the numbers held by column `col` in rows `fromRow` to `toRow`, both
  // included, added in row order and rounded to a double after each addition. Cells are
  // read the grid's way: the thousands separator is ignored wherever it stands, the
  // decimal separator is the decimal point, and what remains must be an optional "-",
  // digits, an optional fraction and an optional exponent. An empty cell or "-" alone
  // counts 0; a text that is not a number adds nothing and is no error. 0.0 when
  // `toRow` < `fromRow`. Throws EOverflow only when the sum itself leaves the double range.
  double ColumnSum(int col, int fromRow, int toRow) const;

  // The one observer told of changes, or nullptr. The grid does not own it.
  void SetObserver(GridObserver* observer) { observer_ = observer; }

 private:
  std::size_t Index(int col, int row) const;

  int colCount_;
  int rowCount_;
  int initialRowCount_;
  std::vector<std::string> cells_;
  GridObserver* observer_ = nullptr;
};

}  // namespace arvelle
