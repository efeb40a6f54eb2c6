#include "ui/main/grid_table_model.h"

#include <algorithm>

namespace arvelle::ui {

namespace {
constexpr Qt::Alignment kCellAlignment = Qt::AlignLeft | Qt::AlignVCenter;
}

GridTableModel::GridTableModel(StringGrid& grid, int fixedRows, int fixedCols, QObject* parent)
    : QAbstractTableModel(parent),
      grid_(grid),
      fixedRows_(fixedRows),
      fixedCols_(fixedCols),
      shownRows_(ShownRowsOfGrid()),
      shownCols_(ShownColsOfGrid()) {
  flushTimer_.setSingleShot(true);
  flushTimer_.setInterval(0);
  connect(&flushTimer_, &QTimer::timeout, this, &GridTableModel::Flush);
  grid_.SetObserver(this);
}

GridTableModel::~GridTableModel() { grid_.SetObserver(nullptr); }

int GridTableModel::ShownRowsOfGrid() const { return std::max(0, grid_.RowCount() - fixedRows_); }
int GridTableModel::ShownColsOfGrid() const { return std::max(0, grid_.ColCount() - fixedCols_); }

// Between a change of the grid's shape and its announcement the views may still ask for
// cells the grid no longer has; those read as empty.
const std::string* GridTableModel::CellOrNull(int col, int row) const {
  if (col < 0 || row < 0 || col >= grid_.ColCount() || row >= grid_.RowCount()) return nullptr;
  return &grid_.GetCellEx(col, row);
}

int GridTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shownRows_;
}

int GridTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shownCols_;
}

QVariant GridTableModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
    return {};
  }
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(kCellAlignment);
  if (role != Qt::DisplayRole) return {};
  const std::string* text = CellOrNull(index.column() + fixedCols_, index.row() + fixedRows_);
  return text ? QString::fromStdString(*text) : QString();
}

QVariant GridTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  const bool horizontal = orientation == Qt::Horizontal;
  if (section < 0 || section >= (horizontal ? shownCols_ : shownRows_)) return {};
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(kCellAlignment);
  if (role != Qt::DisplayRole) return {};
  if (horizontal ? fixedRows_ == 0 : fixedCols_ == 0) return QString();
  const std::string* text =
      horizontal ? CellOrNull(section + fixedCols_, 0) : CellOrNull(0, section + fixedRows_);
  return text ? QString::fromStdString(*text) : QString();
}

Qt::ItemFlags GridTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  // Only the program writes cells; the user selects them.
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QString GridTableModel::CornerText() const {
  if (fixedRows_ == 0 || fixedCols_ == 0) return {};
  const std::string* text = CellOrNull(0, 0);
  return text ? QString::fromStdString(*text) : QString();
}

void GridTableModel::CellChanged(int col, int row) {
  if (!resetPending_) {
    if (!cellsDirty_) {
      dirtyCol0_ = dirtyCol1_ = col;
      dirtyRow0_ = dirtyRow1_ = row;
      cellsDirty_ = true;
    } else {
      dirtyCol0_ = std::min(dirtyCol0_, col);
      dirtyCol1_ = std::max(dirtyCol1_, col);
      dirtyRow0_ = std::min(dirtyRow0_, row);
      dirtyRow1_ = std::max(dirtyRow1_, row);
    }
  }
  if (!flushTimer_.isActive()) flushTimer_.start();
}

void GridTableModel::GridReset() {
  resetPending_ = true;
  cellsDirty_ = false;
  if (!flushTimer_.isActive()) flushTimer_.start();
}

void GridTableModel::Flush() {
  flushTimer_.stop();
  if (resetPending_) {
    resetPending_ = false;
    beginResetModel();
    shownRows_ = ShownRowsOfGrid();
    shownCols_ = ShownColsOfGrid();
    endResetModel();
    emit CornerTextChanged();
    return;
  }
  if (!cellsDirty_) return;
  cellsDirty_ = false;

  // The changed box in model coordinates, cut to what the views were told exists.
  const int firstRow = std::max(dirtyRow0_ - fixedRows_, 0);
  const int lastRow = std::min(dirtyRow1_ - fixedRows_, shownRows_ - 1);
  const int firstCol = std::max(dirtyCol0_ - fixedCols_, 0);
  const int lastCol = std::min(dirtyCol1_ - fixedCols_, shownCols_ - 1);
  if (firstRow <= lastRow && firstCol <= lastCol) {
    emit dataChanged(index(firstRow, firstCol), index(lastRow, lastCol), {Qt::DisplayRole});
  }
  const bool fixedRowTouched = fixedRows_ > 0 && dirtyRow0_ == 0;
  const bool fixedColTouched = fixedCols_ > 0 && dirtyCol0_ == 0;
  if (fixedRowTouched && firstCol <= lastCol) {
    emit headerDataChanged(Qt::Horizontal, firstCol, lastCol);
  }
  if (fixedColTouched && firstRow <= lastRow) {
    emit headerDataChanged(Qt::Vertical, firstRow, lastRow);
  }
  if (fixedRowTouched && fixedColTouched) emit CornerTextChanged();
}

}  // namespace arvelle::ui
