#include "viewer/ui/table_tree_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMenu>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "core/si_table.h"
#include "platform/language.h"
#include "viewer/table_tree.h"
#include "viewer/ui/table_tree_model.h"

namespace quillon {

namespace {

constexpr const char* kCaptionKey = "Caption";
constexpr const char* kColumnKeys[] = {"TableTree.Column0", "TableTree.Column1", "TableTree.Column2",
                                       "TableTree.Column3"};
constexpr const char* kColumnTitles[] = {"Name", "Length", "Value", "Info"};

QString HeaderStyle() {
  const QColor header = QColor::fromRgb(QRgb{kHeaderColour});
  QColor line = header.darker(125);
  return QString("QHeaderView::section { background-color: %1; padding: 2px 4px; border: none;"
                 " border-right: 1px solid %2; border-bottom: 1px solid %2; }")
      .arg(header.name(), line.name());
}

// Horizontal and vertical grid lines between the cells.
class TGridLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyledItemDelegate::paint(painter, option, index);
    painter->save();
    painter->setPen(QColor(0xD8, 0xD8, 0xD8));
    painter->drawLine(option.rect.bottomLeft(), option.rect.bottomRight());
    painter->drawLine(option.rect.topRight(), option.rect.bottomRight());
    painter->restore();
  }
};

// Rows coloured across their whole width, the indentation included.
class TTableTreeView : public QTreeView {
 public:
  using QTreeView::QTreeView;

 protected:
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QVariant colour = index.siblingAtColumn(0).data(Qt::BackgroundRole);
    if (colour.isValid()) painter->fillRect(option.rect, colour.value<QColor>());
    QTreeView::drawRow(painter, option, index);
  }
};

void CollapseBelow(QTreeView* view, const QModelIndex& index) {
  const QAbstractItemModel* m = view->model();
  for (int row = 0; row < m->rowCount(index); ++row) CollapseBelow(view, m->index(row, 0, index));
  view->collapse(index);
}

}  // namespace

struct TPSISITableTreeForm::Texts {
  TLanguageTable lang{"TPSISITableTreeForm"};
};

TPSISITableTreeForm::TPSISITableTreeForm(QWidget* parent)
    : QWidget(parent), model_(new TTableTreeModel(this)), tableTree_(new TTableTreeView(this)),
      texts_(std::make_unique<Texts>()) {
  setObjectName("PSISITableTreeForm");
  if (!parent) setWindowFlags(Qt::Tool);
  TLanguageTable& lang = texts_->lang;
  lang.Add(kCaptionKey, "PSI/SI Table (Program Specific Information / Service Information)");
  for (int c = 0; c < 4; ++c) lang.Add(kColumnKeys[c], kColumnTitles[c]);
  lang.Add("meExpand.Caption", "&Erweitern");
  lang.Add("meCollapse.Caption", "&Reduzieren");
  lang.Add("meExpandAll.Caption", "&Alle erweitern");
  lang.Add("meCollapseAll.Caption", "Alle re&duzieren");

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  tableTree_->setObjectName("TableTree");
  tableTree_->setModel(model_);
  tableTree_->setItemDelegate(new TGridLineDelegate(tableTree_));
  tableTree_->setUniformRowHeights(true);
  tableTree_->setIndentation(16);
  // A double click anywhere in a row toggles its node, not only in the first column.
  tableTree_->setExpandsOnDoubleClick(false);
  connect(tableTree_, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
    QModelIndex node = index.siblingAtColumn(0);
    if (model_->rowCount(node) > 0) tableTree_->setExpanded(node, !tableTree_->isExpanded(node));
  });
  tableTree_->setSelectionBehavior(QAbstractItemView::SelectRows);
  tableTree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tableTree_->setContextMenuPolicy(Qt::CustomContextMenu);
  QHeaderView* header = tableTree_->header();
  header->setSectionsMovable(true);
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setStretchLastSection(false);
  header->setStyleSheet(HeaderStyle());
  for (int c = 0; c < 4; ++c) header->resizeSection(c, kColumnWidths[c]);
  layout->addWidget(tableTree_);

  auto action = [this](const char* name) {
    auto* a = new QAction(this);
    a->setObjectName(name);
    return a;
  };
  meExpand_ = action("meExpand");
  meCollapse_ = action("meCollapse");
  meExpandAll_ = action("meExpandAll");
  meCollapseAll_ = action("meCollapseAll");
  connect(meExpand_, &QAction::triggered, this, &TPSISITableTreeForm::ExpandSelected);
  connect(meCollapse_, &QAction::triggered, this, &TPSISITableTreeForm::CollapseSelected);
  connect(meExpandAll_, &QAction::triggered, tableTree_, &QTreeView::expandAll);
  connect(meCollapseAll_, &QAction::triggered, tableTree_, &QTreeView::collapseAll);
  popupMenu_ = new QMenu(this);
  popupMenu_->setObjectName("PopupMenu1");
  popupMenu_->addAction(meExpand_);
  popupMenu_->addAction(meCollapse_);
  popupMenu_->addSeparator()->setObjectName("N1");
  popupMenu_->addAction(meExpandAll_);
  popupMenu_->addAction(meCollapseAll_);
  connect(tableTree_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { popupMenu_->popup(tableTree_->viewport()->mapToGlobal(pos)); });

  lang.OnChange = [this] { UpdateStrings(); };
  UpdateStrings();
}

TPSISITableTreeForm::~TPSISITableTreeForm() { ClearTree(); }

void TPSISITableTreeForm::UpdateStrings() {
  const TLanguageTable& lang = texts_->lang;
  setWindowTitle(QString::fromStdString(lang.Text(kCaptionKey)));
  QStringList titles;
  for (const char* key : kColumnKeys) titles << QString::fromStdString(lang.Text(key));
  model_->SetTitles(titles);
  for (QAction* a : {meExpand_, meCollapse_, meExpandAll_, meCollapseAll_})
    a->setText(QString::fromStdString(lang.Text(a->objectName().toStdString() + ".Caption")));
}

void TPSISITableTreeForm::CreateTree() {
  if (!siObject_) {
    ClearTree();
    return;
  }
  model_->SetTree(quillon::CreateTree(*siObject_));
}

void TPSISITableTreeForm::ClearTree() { model_->Clear(); }

namespace {
// Row numbers from the top level down to `index`: their order is the tree's order.
std::vector<int> PathOf(QModelIndex index) {
  std::vector<int> path;
  for (; index.isValid(); index = index.parent()) path.insert(path.begin(), index.row());
  return path;
}

// The selected node nearest the top of the tree.
QModelIndex FirstSelected(QTreeView* view) {
  QModelIndexList rows = view->selectionModel()->selectedRows();
  if (rows.isEmpty()) return {};
  return *std::min_element(rows.begin(), rows.end(),
                           [](const QModelIndex& a, const QModelIndex& b) { return PathOf(a) < PathOf(b); });
}
}  // namespace

void TPSISITableTreeForm::ExpandSelected() {
  QModelIndex first = FirstSelected(tableTree_);
  if (first.isValid()) tableTree_->expandRecursively(first);
  else tableTree_->expandAll();
}

void TPSISITableTreeForm::CollapseSelected() {
  QModelIndex first = FirstSelected(tableTree_);
  if (first.isValid()) CollapseBelow(tableTree_, first);
  else tableTree_->collapseAll();
}

void TPSISITableTreeForm::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (CloseProc) CloseProc();
}

}  // namespace quillon
