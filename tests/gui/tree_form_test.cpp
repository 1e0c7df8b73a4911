// The table tree window over a built NIT: columns, alignment, header, row colours by
// depth, the pop-up menu's actions, double click, and the refused close.
#include <QAction>
#include <QHeaderView>
#include <QMenu>
#include <QTest>
#include <QTreeView>
#include <memory>

#include "editor/nit_editor.h"
#include "platform/dialogs.h"
#include "support/test_util.h"
#include "viewer/ui/table_tree_form.h"
#include "viewer/ui/table_tree_model.h"

using namespace quillon;

namespace {

// The first child of `parent` named `name`.
QModelIndex ChildNamed(const QAbstractItemModel* m, const QModelIndex& parent, const QString& name) {
  for (int row = 0; row < m->rowCount(parent); ++row) {
    QModelIndex i = m->index(row, 0, parent);
    if (i.data().toString() == name) return i;
  }
  return {};
}

QString Hex(const QVariant& colour) {
  return colour.isValid() ? colour.value<QColor>().name().toUpper() : QString("none");
}

// Every index below `parent`, depth first.
void AllBelow(const QAbstractItemModel* m, const QModelIndex& parent, QModelIndexList& out) {
  for (int row = 0; row < m->rowCount(parent); ++row) {
    QModelIndex i = m->index(row, 0, parent);
    out << i;
    AllBelow(m, i, out);
  }
}

}  // namespace

class TreeFormTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void oneRootPerTableWithSections();
  void columns_data();
  void columns();
  void headerColour();
  void rowColours_data();
  void rowColours();
  void popupMenu();
  void expandAndCollapseSelected();
  void expandWithoutSelectionExpandsEverything();
  void doubleClickToggles_data();
  void doubleClickToggles();
  void withoutObjectTheTreeIsEmpty();
  void closeIsRefused();

 private:
  QModelIndex Section() { return model()->index(0, 0, model()->index(0, 0)); }
  QModelIndex Loop() { return ChildNamed(model(), Section(), "Transport Stream Loop"); }
  TTableTreeModel* model() { return form->Model(); }

  RecordingDialogs dialogs;
  std::unique_ptr<ScopedDialogs> scoped;
  std::unique_ptr<test::TempDir> program;
  std::unique_ptr<TNitEditor> editor;
  std::unique_ptr<TPSISITableTreeForm> form;
};

void TreeFormTest::init() {
  scoped = std::make_unique<ScopedDialogs>(dialogs);
  program = std::make_unique<test::TempDir>();
  editor = std::make_unique<TNitEditor>(TProgramPaths{program->Path(), "quillon"});
  editor->SetAddSLDs(true);
  for (uint16_t ts = 1; ts <= 6; ++ts) {
    size_t i = editor->AddStream();
    editor->Stream(i)->SetTSID(ts);
    editor->Stream(i)->SetFreq(338.0L + 8 * ts);
    editor->AddService(i, 0x01);
  }
  QVERIFY(editor->CreateNITTable());
  form = std::make_unique<TPSISITableTreeForm>();
  form->SetSIObject(&editor->NIT());
  form->CreateTree();
  form->resize(800, 500);
  form->show();
}

void TreeFormTest::cleanup() {
  form.reset();
  editor.reset();
  program.reset();
  scoped.reset();
}

void TreeFormTest::oneRootPerTableWithSections() {
  QCOMPARE(model()->rowCount(), 1);
  QCOMPARE(model()->index(0, 0).data().toString(), QString("NIT - Actual Network"));
  QCOMPARE(Section().data().toString(), QString("Network Information Section No. 0"));
  QCOMPARE(model()->rowCount(Loop()), 6);
  QModelIndex tsid = ChildNamed(model(), model()->index(4, 0, Loop()), "Transport Stream ID");
  QCOMPARE(tsid.siblingAtColumn(1).data().toString(), QString("16 Bit"));
  QCOMPARE(tsid.siblingAtColumn(2).data().toString(), QString("0x0005"));
  QCOMPARE(tsid.siblingAtColumn(3).data().toString(), QString("5"));
  // Nothing is expanded by itself.
  QVERIFY(!form->TableTree()->isExpanded(model()->index(0, 0)));
}

void TreeFormTest::columns_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("title");
  QTest::addColumn<int>("width");
  QTest::addColumn<int>("alignment");
  QTest::newRow("Name") << 0 << "Name" << 275 << int(Qt::AlignLeft);
  QTest::newRow("Length") << 1 << "Length" << 70 << int(Qt::AlignRight);
  QTest::newRow("Value") << 2 << "Value" << 90 << int(Qt::AlignRight);
  QTest::newRow("Info") << 3 << "Info" << 250 << int(Qt::AlignLeft);
}

void TreeFormTest::columns() {
  QFETCH(int, column);
  QFETCH(QString, title);
  QFETCH(int, width);
  QFETCH(int, alignment);
  QCOMPARE(model()->columnCount(), 4);
  QCOMPARE(model()->headerData(column, Qt::Horizontal).toString(), title);
  QCOMPARE(form->TableTree()->header()->sectionSize(column), width);
  QModelIndex crc = ChildNamed(model(), Section(), "CRC 32").siblingAtColumn(column);
  QCOMPARE(crc.data(Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask, alignment);
  QCOMPARE(model()->headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignHorizontal_Mask,
           alignment);
}

void TreeFormTest::headerColour() {
  QHeaderView* header = form->TableTree()->header();
  QVERIFY(header->styleSheet().contains("background-color: #bad6f3"));
  QVERIFY(header->sectionsMovable());
  QCOMPARE(header->sectionResizeMode(0), QHeaderView::Interactive);
  // What is drawn, not only what is asked for: a pixel in the middle of the "Value" title's
  // cell away from its text.
  QImage shot = header->grab().toImage();
  QCOMPARE(QColor(shot.pixel(header->sectionPosition(2) + 3, header->height() / 2)).name(), QString("#bad6f3"));
}

void TreeFormTest::rowColours_data() {
  QTest::addColumn<QStringList>("path");  // node names from the section down; "#n" is the n-th child
  QTest::addColumn<QString>("colour");
  QTest::newRow("table") << QStringList{} << "#F3BAC6";
  QTest::newRow("section") << QStringList{"#0"} << "#CDE2D6";
  QTest::newRow("section field") << QStringList{"#0", "Table ID"} << "none";
  QTest::newRow("loop header") << QStringList{"#0", "Transport Stream Loop"} << "none";
  QTest::newRow("first entry") << QStringList{"#0", "Transport Stream Loop", "#0"} << "#FFFFCC";
  QTest::newRow("second entry") << QStringList{"#0", "Transport Stream Loop", "#1"} << "#E3EFFB";
  QTest::newRow("fifth entry") << QStringList{"#0", "Transport Stream Loop", "#4"} << "#FFFFCC";
  QTest::newRow("sixth entry") << QStringList{"#0", "Transport Stream Loop", "#5"} << "#E3EFFB";
  QTest::newRow("field of the sixth entry")
      << QStringList{"#0", "Transport Stream Loop", "#5", "Transport Stream ID"} << "#E3EFFB";
  QTest::newRow("descriptor field of the fifth entry")
      << QStringList{"#0", "Transport Stream Loop", "#4", "#4", "Descriptor Tag"} << "#FFFFCC";
}

void TreeFormTest::rowColours() {
  QFETCH(QStringList, path);
  QFETCH(QString, colour);
  QModelIndex i = model()->index(0, 0);
  for (const QString& step : path) {
    i = step.startsWith('#') ? model()->index(step.mid(1).toInt(), 0, i) : ChildNamed(model(), i, step);
    QVERIFY2(i.isValid(), qPrintable(step));
  }
  // The whole row, every column.
  for (int column = 0; column < 4; ++column)
    QCOMPARE(Hex(i.siblingAtColumn(column).data(Qt::BackgroundRole)), colour);
}

void TreeFormTest::popupMenu() {
  QStringList items;
  for (QAction* a : form->PopupMenu()->actions()) items << (a->isSeparator() ? "-" : a->text());
  QCOMPARE(items, (QStringList{"&Erweitern", "&Reduzieren", "-", "&Alle erweitern", "Alle re&duzieren"}));
  QCOMPARE(form->TableTree()->contextMenuPolicy(), Qt::CustomContextMenu);
}

void TreeFormTest::expandAndCollapseSelected() {
  QTreeView* view = form->TableTree();
  QModelIndex entry = model()->index(2, 0, Loop());
  QModelIndex other = model()->index(3, 0, Loop());
  QModelIndex descriptor = model()->index(4, 0, entry);
  QVERIFY(model()->rowCount(descriptor) > 0);
  // What the user can select is on show.
  for (QModelIndex i = Loop(); i.isValid(); i = i.parent()) view->expand(i);
  view->selectionModel()->select(entry, QItemSelectionModel::Select | QItemSelectionModel::Rows);
  view->selectionModel()->select(other, QItemSelectionModel::Select | QItemSelectionModel::Rows);
  form->findChild<QAction*>("meExpand")->trigger();
  // The first selected node and everything below it.
  QVERIFY(view->isExpanded(entry));
  QVERIFY(view->isExpanded(descriptor));
  QVERIFY(!view->isExpanded(other));

  form->findChild<QAction*>("meCollapse")->trigger();
  QVERIFY(!view->isExpanded(entry));
  QVERIFY(!view->isExpanded(descriptor));
  QVERIFY(view->isExpanded(Loop()));

  form->findChild<QAction*>("meExpandAll")->trigger();
  QModelIndexList all;
  AllBelow(model(), {}, all);
  for (const QModelIndex& i : all)
    if (model()->rowCount(i) > 0) QVERIFY(view->isExpanded(i));
  form->findChild<QAction*>("meCollapseAll")->trigger();
  for (const QModelIndex& i : all) QVERIFY(!view->isExpanded(i));
}

void TreeFormTest::expandWithoutSelectionExpandsEverything() {
  QTreeView* view = form->TableTree();
  view->clearSelection();
  form->findChild<QAction*>("meExpand")->trigger();
  QModelIndexList all;
  AllBelow(model(), {}, all);
  for (const QModelIndex& i : all)
    if (model()->rowCount(i) > 0) QVERIFY(view->isExpanded(i));
}

void TreeFormTest::doubleClickToggles_data() {
  QTest::addColumn<int>("column");
  QTest::newRow("Name") << 0;
  QTest::newRow("Value") << 2;
}

void TreeFormTest::doubleClickToggles() {
  QFETCH(int, column);
  QTreeView* view = form->TableTree();
  QModelIndex root = model()->index(0, 0);
  QPoint at = view->visualRect(root.siblingAtColumn(column)).center();
  // As the window system delivers it: a click, then the second press as a double click.
  auto doubleClick = [&] {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
  };
  doubleClick();
  QVERIFY(view->isExpanded(root));
  doubleClick();
  QVERIFY(!view->isExpanded(root));
}

void TreeFormTest::withoutObjectTheTreeIsEmpty() {
  form->SetSIObject(nullptr);
  form->CreateTree();
  QCOMPARE(model()->rowCount(), 0);
  form->SetSIObject(&editor->NIT());
  form->CreateTree();
  QCOMPARE(model()->rowCount(), 1);
  form->ClearTree();
  QCOMPARE(model()->rowCount(), 0);
  // The tree holds its own texts: an emptied container changes nothing until rebuilt.
  form->CreateTree();
  editor->NIT().Delete();
  QCOMPARE(model()->rowCount(), 1);
  QCOMPARE(Section().data().toString(), QString("Network Information Section No. 0"));
  form->CreateTree();
  QCOMPARE(model()->rowCount(), 0);
}

void TreeFormTest::closeIsRefused() {
  int asked = 0;
  QVERIFY(!form->close());
  QVERIFY(form->isVisible());
  form->CloseProc = [&asked] { ++asked; };
  QVERIFY(!form->close());
  QCOMPARE(asked, 1);
  QCOMPARE(form->windowTitle(), QString("PSI/SI Table (Program Specific Information / Service Information)"));
}

QTEST_MAIN(TreeFormTest)
#include "tree_form_test.moc"
