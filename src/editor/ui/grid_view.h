#pragma once
// The widget of an editing grid: rows selected whole, one at a time; header clicks with
// the left or middle button sort through the grid's model; the current row is reported
// by the record it shows.
#include <QTableView>
#include <initializer_list>

namespace quillon {

class TGridModel;

class TGridView : public QTableView {
  Q_OBJECT

 public:
  explicit TGridView(QWidget* parent = nullptr);

  // Takes a TGridModel (any other model shows, but does not sort).
  void setModel(QAbstractItemModel* model) override;
  TGridModel* GridModel() const;

  // On: header clicks sort and the header shows the sort marker (column 0 ascending at
  // start). Off: the header does not react to clicks.
  void SetSortable(bool on);
  void SetColumnWidths(std::initializer_list<int> widths);

  // The record of the current row, or -1.
  int CurrentRecord() const;
  // Makes the row of `record` current (none for -1) without reporting it.
  void SetCurrentRecord(int record);
  // Shows the model's sort state in the header.
  void ShowSortMarker();
  // A cell editor is open.
  bool IsEditing() const { return state() == EditingState; }

 signals:
  // The current row moved to another record, or to none (-1).
  void CurrentRecordChanged(int record);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void HeaderClicked(int section);
  void CurrentRowChanged();

  bool sortable_ = false;
  int lastRecord_ = -1;
};

}  // namespace quillon
