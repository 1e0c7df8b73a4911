#pragma once
// A Qt table model over one core grid (TGridTable): the grid decides every text, editor
// kind, pick list and whether a new text is taken; the model only translates roles.
#include <QAbstractTableModel>
#include <QList>
#include <QPixmap>
#include <QStringList>

#include "editor/grid_table.h"

namespace quillon {

class TGridModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Role : int {
    // TCellEditor of the cell's column, as int.
    CellEditorRole = Qt::UserRole + 1,
    // The pick list: QStringList of texts, and the codes (QVariantList of int) they store.
    PickTextsRole,
    PickCodesRole,
    // setData with this role chooses a pick-list entry by its code.
    PickCodeRole,
    // The record a row shows (int).
    RecordRole,
  };

  // `images` are the grid's image list (may be empty); the grid's image index picks one.
  explicit TGridModel(TGridTable& table, QList<QPixmap> images = {}, QObject* parent = nullptr);

  TGridTable& Table() const { return table_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Qt::EditRole takes a typed text, PickCodeRole a pick-list code. False when the grid
  // refused it or nothing changed.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // Header texts of the active language; an empty list restores the grid's own.
  void SetHeaders(const QStringList& headers);
  // The grid's own (German) header texts.
  QStringList GridHeaders() const;

  // The record shown in `row`, or -1; the row showing `record`, or -1.
  int RecordAt(int row) const;
  int RowOfRecord(int record) const;

  // Rebuilds every row from the grid (after records were added, removed or replaced).
  void Reload();
  // Draws every cell again (after texts they show changed elsewhere).
  void Refresh();
  // A header click: the grid sorts, and selection and focus stay on their records.
  void HeaderClick(int column);

 signals:
  // An edit was taken (the record changed).
  void CellEdited(const QModelIndex& index);

 private:
  TGridTable& table_;
  QList<QPixmap> images_;
  QStringList headers_;
  bool storing_ = false;
};

}  // namespace quillon
