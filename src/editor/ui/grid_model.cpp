#include "editor/ui/grid_model.h"

#include <algorithm>

namespace quillon {

namespace {
QString Q(const std::u16string& s) { return QString::fromStdU16String(s); }
}  // namespace

TGridModel::TGridModel(TGridTable& table, QList<QPixmap> images, QObject* parent)
    : QAbstractTableModel(parent), table_(table), images_(std::move(images)) {}

int TGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.RowCount());
}

int TGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : table_.ColumnCount(); }

int TGridModel::RecordAt(int row) const {
  return row >= 0 && row < rowCount() ? static_cast<int>(table_.RecordAt(static_cast<size_t>(row))) : -1;
}

int TGridModel::RowOfRecord(int record) const {
  for (int row = 0; row < rowCount(); ++row)
    if (RecordAt(row) == record) return row;
  return -1;
}

QVariant TGridModel::data(const QModelIndex& index, int role) const {
  const int record = RecordAt(index.row());
  if (record < 0 || !index.isValid()) return {};
  const size_t r = static_cast<size_t>(record);
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return Q(table_.Text(r, column));
    case Qt::DecorationRole: {
      int image = table_.ImageIndex(r, column);
      if (image >= 0 && image < images_.size()) return images_[image];
      return {};
    }
    case Qt::TextAlignmentRole:
      return table_.RightAligned(column) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case CellEditorRole: return static_cast<int>(table_.Editor(column));
    case PickTextsRole: {
      QStringList texts;
      for (const TPickItem& item : table_.PickList(column)) texts << Q(item.Text);
      return texts;
    }
    case PickCodesRole: {
      QVariantList codes;
      for (const TPickItem& item : table_.PickList(column)) codes << item.Code;
      return codes;
    }
    case RecordRole: return record;
  }
  return {};
}

QVariant TGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  if (role == Qt::DisplayRole) return section < headers_.size() ? headers_[section] : Q(table_.Header(section));
  if (role == Qt::TextAlignmentRole && table_.RightAligned(section))
    return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

Qt::ItemFlags TGridModel::flags(const QModelIndex& index) const {
  const int record = RecordAt(index.row());
  if (record < 0) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (table_.Editable(static_cast<size_t>(record), index.column())) f |= Qt::ItemIsEditable;
  return f;
}

bool TGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  const int record = RecordAt(index.row());
  if (record < 0) return false;
  const size_t r = static_cast<size_t>(record);
  // A refusal shows a modal box; the editor losing its focus to that box commits the
  // same text again, which must not bring up a second box.
  if (storing_) return false;
  storing_ = true;
  bool changed = false;
  if (role == Qt::EditRole) changed = table_.SetText(r, index.column(), value.toString().toStdU16String());
  else if (role == PickCodeRole) changed = table_.SetCode(r, index.column(), value.toInt());
  storing_ = false;
  if (!changed) return false;
  // Other cells of the row may follow the edit (the icon follows "Sichtbar").
  emit dataChanged(this->index(index.row(), 0), this->index(index.row(), columnCount() - 1));
  emit CellEdited(index);
  return true;
}

void TGridModel::SetHeaders(const QStringList& headers) {
  headers_ = headers;
  if (columnCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
}

QStringList TGridModel::GridHeaders() const {
  QStringList headers;
  for (int c = 0; c < columnCount(); ++c) headers << Q(table_.Header(c));
  return headers;
}

void TGridModel::Reload() {
  beginResetModel();
  endResetModel();
}

void TGridModel::Refresh() {
  if (rowCount() > 0 && columnCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void TGridModel::HeaderClick(int column) {
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  const std::vector<int32_t> before = table_.Order();
  if (table_.HeaderClick(column)) {
    const std::vector<int32_t> after = table_.Order();
    const QModelIndexList old = persistentIndexList();
    QModelIndexList moved;
    for (const QModelIndex& i : old) {
      const int32_t record = before.at(static_cast<size_t>(i.row()));
      const auto at = std::find(after.begin(), after.end(), record);
      moved << index(static_cast<int>(at - after.begin()), i.column());
    }
    changePersistentIndexList(old, moved);
  }
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

}  // namespace quillon
