#pragma once
// The look of the results table and the sum row: fixed cells grey and bold in the
// headers (they stay while the other cells scroll), the top-left corner showing the
// cell where the fixed row and column meet, 80-pixel columns, 22-pixel rows, cells
// selectable one by one or as a range and never editable, Tab leaving the grid.
#include <QTableView>

namespace arvelle::ui {

class GridTableModel;

class GridView final : public QTableView {
  Q_OBJECT

 public:
  static constexpr int kColumnWidth = 80;
  static constexpr int kRowHeight = 22;

  explicit GridView(QWidget* parent = nullptr);

  // Shows `model`; the view does not own it. Its fixed row shows in the horizontal header
  // and its fixed column in the vertical one; a grid without a fixed row hides the former.
  void SetGridModel(GridTableModel* model, bool hasFixedRow);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PaintCorner(QWidget* corner) const;

  GridTableModel* gridModel_ = nullptr;
  QWidget* corner_ = nullptr;
};

}  // namespace arvelle::ui
