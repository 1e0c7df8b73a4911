#pragma once
// The decoded tree as an item model: one row per node, the node's four texts in four
// columns, its depth colour as the row background. Read-only.
#include <QAbstractItemModel>
#include <QStringList>

#include "viewer/table_node.h"

namespace quillon {

class TTableTreeModel : public QAbstractItemModel {
  Q_OBJECT

 public:
  enum Column { ColName, ColLength, ColValue, ColInfo, ColumnCount };

  explicit TTableTreeModel(QObject* parent = nullptr);

  // Replaces the whole tree in one reset, so views repaint once.
  void SetTree(TTableTree tree);
  void Clear();
  const TTableTree& Tree() const { return tree_; }
  // The node of `index`, nothing for the invisible root.
  const TTableNode* Node(const QModelIndex& index) const;
  void SetTitles(const QStringList& titles);

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& index) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  // Length and Value are right-aligned, Name and Info left.
  static Qt::Alignment ColumnAlignment(int column);

 private:
  TTableTree tree_;
  QStringList titles_{"Name", "Length", "Value", "Info"};
};

}  // namespace quillon
