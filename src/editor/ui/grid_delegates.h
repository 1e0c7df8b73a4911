#pragma once
// The in-grid editors: a text field, or a drop-down list without free text whose choice
// stores the entry's code. Which one a cell gets is the grid's decision (CellEditorRole).
#include <QStyledItemDelegate>

namespace quillon {

class TGridDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
};

}  // namespace quillon
