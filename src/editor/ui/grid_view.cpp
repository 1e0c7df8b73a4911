#include "editor/ui/grid_view.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "editor/ui/grid_delegates.h"
#include "editor/ui/grid_model.h"

namespace quillon {

namespace {
constexpr int kRowHeight = 18;
}

TGridView::TGridView(QWidget* parent) : QTableView(parent) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::SelectedClicked);
  setItemDelegate(new TGridDelegate(this));
  setWordWrap(false);
  setAlternatingRowColors(false);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(qMax(kRowHeight, fontMetrics().height() + 4));
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setStretchLastSection(true);
  horizontalHeader()->viewport()->installEventFilter(this);
  connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &TGridView::HeaderClicked);
  SetSortable(false);
}

void TGridView::setModel(QAbstractItemModel* model) {
  QTableView::setModel(model);
  lastRecord_ = -1;
  if (selectionModel())
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this, &TGridView::CurrentRowChanged);
  if (model) connect(model, &QAbstractItemModel::modelReset, this, &TGridView::CurrentRowChanged);
  ShowSortMarker();
}

TGridModel* TGridView::GridModel() const { return qobject_cast<TGridModel*>(model()); }

void TGridView::SetSortable(bool on) {
  sortable_ = on;
  horizontalHeader()->setSectionsClickable(on);
  horizontalHeader()->setSortIndicatorShown(on);
  ShowSortMarker();
}

void TGridView::SetColumnWidths(std::initializer_list<int> widths) {
  int column = 0;
  for (int w : widths) setColumnWidth(column++, w);
}

int TGridView::CurrentRecord() const {
  TGridModel* m = GridModel();
  QModelIndex current = currentIndex();
  return m && current.isValid() ? m->RecordAt(current.row()) : -1;
}

void TGridView::SetCurrentRecord(int record) {
  TGridModel* m = GridModel();
  int row = m ? m->RowOfRecord(record) : -1;
  {
    QSignalBlocker block(this);
    if (row < 0) {
      selectionModel()->clear();
    } else {
      QModelIndex index = model()->index(row, currentIndex().isValid() ? currentIndex().column() : 0);
      selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
      scrollTo(index);
    }
  }
  lastRecord_ = CurrentRecord();
}

void TGridView::ShowSortMarker() {
  TGridModel* m = GridModel();
  if (!sortable_ || !m) return;
  const TGridSort& sort = m->Table().Sort();
  horizontalHeader()->setSortIndicator(sort.Column, sort.Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void TGridView::HeaderClicked(int section) {
  TGridModel* m = GridModel();
  if (!sortable_ || !m || section < 0) return;
  m->HeaderClick(section);
  ShowSortMarker();
}

// The header reports left clicks only; a click with the middle button sorts as well.
bool TGridView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::MiddleButton) {
      HeaderClicked(horizontalHeader()->logicalIndexAt(mouse->position().toPoint()));
      return true;
    }
  }
  return QTableView::eventFilter(watched, event);
}

void TGridView::CurrentRowChanged() {
  int record = CurrentRecord();
  if (record == lastRecord_) return;
  lastRecord_ = record;
  emit CurrentRecordChanged(record);
}

}  // namespace quillon
