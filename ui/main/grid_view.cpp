#include "ui/main/grid_view.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>

#include "ui/main/grid_table_model.h"

namespace arvelle::ui {

namespace {

void SetUpHeader(QHeaderView* header, int sectionSize) {
  QFont bold = header->font();
  bold.setBold(true);
  header->setFont(bold);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header->setHighlightSections(false);
  header->setSectionsClickable(false);
  header->setMinimumSectionSize(sectionSize);
  header->setDefaultSectionSize(sectionSize);
  header->setSectionResizeMode(QHeaderView::Fixed);
}

}  // namespace

GridView::GridView(QWidget* parent) : QTableView(parent) {
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  // Tab moves to the next control of the window, not to the next cell.
  setTabKeyNavigation(false);
  setWordWrap(false);
  // A text wider than its cell is cut at the cell's edge, as a grid shows it.
  setTextElideMode(Qt::ElideNone);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // Whole cells per scroll step, as a grid control scrolls.
  setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);

  SetUpHeader(horizontalHeader(), kColumnWidth);
  horizontalHeader()->setFixedHeight(kRowHeight);
  SetUpHeader(verticalHeader(), kRowHeight);
  verticalHeader()->setFixedWidth(kColumnWidth);

  // The corner button is the only button child of a table view; it would otherwise
  // select all cells and show no text.
  if (auto* corner = findChild<QAbstractButton*>()) {
    corner->setEnabled(false);
    corner->installEventFilter(this);
    corner_ = corner;
  }
}

void GridView::SetGridModel(GridTableModel* model, bool hasFixedRow) {
  setModel(model);
  gridModel_ = model;
  horizontalHeader()->setVisible(hasFixedRow);
  if (corner_ != nullptr) {
    connect(model, &GridTableModel::CornerTextChanged, corner_, qOverload<>(&QWidget::update));
  }
}

bool GridView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == corner_ && event->type() == QEvent::Paint) {
    PaintCorner(corner_);
    return true;
  }
  return QTableView::eventFilter(watched, event);
}

void GridView::PaintCorner(QWidget* corner) const {
  QStyleOptionHeader option;
  option.initFrom(corner);
  // The corner is disabled only so that a click selects nothing; it looks like the
  // other fixed cells.
  option.state |= QStyle::State_Enabled | QStyle::State_Raised;
  option.palette.setCurrentColorGroup(QPalette::Active);
  option.rect = corner->rect();
  option.position = QStyleOptionHeader::OnlyOneSection;
  option.text = gridModel_ != nullptr ? gridModel_->CornerText() : QString();
  option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
  option.fontMetrics = horizontalHeader()->fontMetrics();
  QPainter painter(corner);
  painter.setFont(horizontalHeader()->font());
  style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
}

}  // namespace arvelle::ui
