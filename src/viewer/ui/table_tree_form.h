#pragma once
// The window that shows a table container as its decoded tree: four columns, rows
// coloured by depth, a pop-up menu to expand and collapse, double click toggling a node.
// Embedded in a page it is a plain child widget; on its own it is a tool window whose
// close request goes to CloseProc.
#include <QWidget>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QTreeView;

namespace quillon {

class TSITable;
class TTableTreeModel;

class TPSISITableTreeForm : public QWidget {
  Q_OBJECT

 public:
  explicit TPSISITableTreeForm(QWidget* parent = nullptr);
  ~TPSISITableTreeForm() override;

  // The container shown; not owned. None at creation.
  const TSITable* SIObject() const { return siObject_; }
  void SetSIObject(const TSITable* siObject) { siObject_ = siObject; }
  // Rebuilds the whole tree from SIObject (empty without one).
  void CreateTree();
  void ClearTree();

  QTreeView* TableTree() const { return tableTree_; }
  QMenu* PopupMenu() const { return popupMenu_; }
  TTableTreeModel* Model() const { return model_; }

  // The pop-up menu's actions. Without a selected node the first two act on every node.
  void ExpandSelected();
  void CollapseSelected();

  // Asked instead of closing; the owner decides.
  std::function<void()> CloseProc;

  void UpdateStrings();

  static constexpr int kColumnWidths[] = {275, 70, 90, 250};

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  struct Texts;

  const TSITable* siObject_ = nullptr;
  TTableTreeModel* model_;
  QTreeView* tableTree_;
  QAction* meExpand_;
  QAction* meCollapse_;
  QAction* meExpandAll_;
  QAction* meCollapseAll_;
  QMenu* popupMenu_;
  std::unique_ptr<Texts> texts_;
};

}  // namespace quillon
