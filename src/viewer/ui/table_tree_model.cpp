#include "viewer/ui/table_tree_model.h"

#include <QColor>

namespace quillon {

TTableTreeModel::TTableTreeModel(QObject* parent) : QAbstractItemModel(parent) {}

void TTableTreeModel::SetTree(TTableTree tree) {
  beginResetModel();
  tree_ = std::move(tree);
  endResetModel();
}

void TTableTreeModel::Clear() { SetTree(TTableTree()); }

void TTableTreeModel::SetTitles(const QStringList& titles) {
  titles_ = titles;
  emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

const TTableNode* TTableTreeModel::Node(const QModelIndex& index) const {
  return index.isValid() ? static_cast<const TTableNode*>(index.internalPointer()) : nullptr;
}

QModelIndex TTableTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (column < 0 || column >= ColumnCount) return {};
  const TTableNode* p = Node(parent);
  if (parent.isValid() && parent.column() != 0) return {};
  TTableNode* node = p ? p->Child(row) : tree_.Root(row);
  return node ? createIndex(row, column, node) : QModelIndex();
}

QModelIndex TTableTreeModel::parent(const QModelIndex& index) const {
  const TTableNode* node = Node(index);
  TTableNode* p = node ? node->Parent() : nullptr;
  return p ? createIndex(p->Index(), 0, p) : QModelIndex();
}

int TTableTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return tree_.RootCount();
  return parent.column() == 0 ? Node(parent)->ChildCount() : 0;
}

int TTableTreeModel::columnCount(const QModelIndex&) const { return ColumnCount; }

Qt::Alignment TTableTreeModel::ColumnAlignment(int column) {
  bool right = column == ColLength || column == ColValue;
  return (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
}

QVariant TTableTreeModel::data(const QModelIndex& index, int role) const {
  const TTableNode* node = Node(index);
  if (!node) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: {
      const TTableNodeData& d = node->Data;
      const std::u16string* texts[] = {&d.Name, &d.Length, &d.Value, &d.Info};
      QString text = QString::fromStdU16String(*texts[index.column()]);
      if (role == Qt::ToolTipRole && text.isEmpty()) return {};
      return text;
    }
    case Qt::BackgroundRole:
      if (std::optional<uint32_t> colour = node->Colour()) return QColor(QRgb(*colour));
      return {};
    case Qt::TextAlignmentRole: return int(ColumnAlignment(index.column()));
    default: return {};
  }
}

QVariant TTableTreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount) return {};
  if (role == Qt::DisplayRole) return section < titles_.size() ? titles_[section] : QString();
  if (role == Qt::TextAlignmentRole) return int(ColumnAlignment(section));
  return {};
}

Qt::ItemFlags TTableTreeModel::flags(const QModelIndex& index) const {
  return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace quillon
