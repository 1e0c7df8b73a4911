#include "editor/ui/grid_delegates.h"

#include <QComboBox>
#include <QLineEdit>

#include "editor/grid_table.h"
#include "editor/ui/grid_model.h"

namespace quillon {

namespace {
TCellEditor EditorOf(const QModelIndex& index) {
  return static_cast<TCellEditor>(index.data(TGridModel::CellEditorRole).toInt());
}
}  // namespace

QWidget* TGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const {
  if (EditorOf(index) != TCellEditor::PickList) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName("CellEdit");
    edit->setFrame(false);
    return edit;
  }
  auto* combo = new QComboBox(parent);
  combo->setObjectName("CellPickList");
  combo->setEditable(false);
  const QStringList texts = index.data(TGridModel::PickTextsRole).toStringList();
  const QVariantList codes = index.data(TGridModel::PickCodesRole).toList();
  for (int i = 0; i < texts.size() && i < codes.size(); ++i) combo->addItem(texts[i], codes[i]);
  // A choice ends the edit at once, as a drop-down list in a grid does.
  auto* self = const_cast<TGridDelegate*>(this);
  connect(combo, &QComboBox::activated, self, [self, combo] {
    emit self->commitData(combo);
    emit self->closeEditor(combo);
  });
  return combo;
}

void TGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  const QString shown = index.data(Qt::EditRole).toString();
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    // The entry showing the cell's text; codes without an entry of their own (FEC inner
    // 11..14) find the entry of the same name.
    combo->setCurrentIndex(combo->findText(shown, Qt::MatchExactly));
  } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
    edit->setText(shown.isEmpty() && EditorOf(index) == TCellEditor::IDText ? QStringLiteral("0x") : shown);
    edit->selectAll();
  }
}

void TGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    if (combo->currentIndex() >= 0) model->setData(index, combo->currentData(), TGridModel::PickCodeRole);
  } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
    model->setData(index, edit->text(), Qt::EditRole);
  }
}

}  // namespace quillon
