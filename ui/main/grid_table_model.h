#pragma once
// A Qt table model over one of the core's grids of cell texts, for the grid views of the
// main window. The grid's fixed row and fixed column are not cells of the model: they are
// its header texts, so that a view keeps them in place while the other cells scroll.
//
// The model creates nothing per cell: it reads the grid when a view asks. Changes of the
// grid are gathered and announced once per turn of the event loop (or at Flush), so that
// a calculation writing half a million cells costs one repaint, not half a million.
#include <QAbstractTableModel>
#include <QTimer>

#include "core/string_grid.h"

namespace arvelle::ui {

class GridTableModel final : public QAbstractTableModel, private GridObserver {
  Q_OBJECT

 public:
  // `fixedRows` and `fixedCols` are 0 or 1. The model listens to `grid` until it is
  // destroyed; the grid must outlive it.
  GridTableModel(StringGrid& grid, int fixedRows, int fixedCols, QObject* parent = nullptr);
  ~GridTableModel() override;
  GridTableModel(const GridTableModel&) = delete;
  GridTableModel& operator=(const GridTableModel&) = delete;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // The text of the cell where the fixed row meets the fixed column ("" when there is
  // no such cell), shown in the view's top-left corner.
  QString CornerText() const;

  // Announces every change of the grid gathered since the last announcement. Runs by
  // itself from the event loop; callers that need the views current at once call it too.
  void Flush();

 signals:
  void CornerTextChanged();

 private:
  void CellChanged(int col, int row) override;
  void GridReset() override;

  int ShownRowsOfGrid() const;
  int ShownColsOfGrid() const;
  const std::string* CellOrNull(int col, int row) const;

  StringGrid& grid_;
  const int fixedRows_;
  const int fixedCols_;
  // The counts last announced to the views; the grid may already hold others.
  int shownRows_;
  int shownCols_;

  bool resetPending_ = false;
  bool cellsDirty_ = false;
  // Bounding box of the changed grid cells, both corners included.
  int dirtyCol0_ = 0, dirtyRow0_ = 0, dirtyCol1_ = 0, dirtyRow1_ = 0;
  QTimer flushTimer_;
};

}  // namespace arvelle::ui
