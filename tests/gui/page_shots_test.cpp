// Pictures of the editor's pages with a small project, for the documentation and for a
// look at the layout. They go to $QUILLON_SHOTS_DIR when it is set (the docs/ folder:
// QUILLON_SHOTS_DIR=docs build/tests/gui_page_shots_test), else to a temporary folder.
#include <QDir>
#include <QImage>
#include <QListWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <QTreeView>

#include "editor/ui/table_edit_frame.h"
#include "viewer/ui/table_tree_form.h"
#include "platform/dialogs.h"
#include "support/gui_fixture.h"
#include "support/test_util.h"

using namespace quillon;
using quillon::test::Child;
using quillon::test::Click;

class PageShotsTest : public QObject {
  Q_OBJECT

 private slots:
  void shots_data();
  void shots();

 private:
  RecordingDialogs dialogs;
  ScopedDialogs scoped{dialogs};
};

void PageShotsTest::shots_data() {
  QTest::addColumn<int>("page");
  QTest::addColumn<QString>("file");
  QTest::newRow("Allgemein") << 0 << "panel-allgemein.png";
  QTest::newRow("NIT-Editor") << 1 << "panel-nit-editor.png";
  QTest::newRow("NIT-Vorschau") << 2 << "panel-nit-vorschau.png";
}

void PageShotsTest::shots() {
  QFETCH(int, page);
  QFETCH(QString, file);
  test::TempDir program;
  TTableEditFrame frame(TProgramPaths{program.Path(), "quillon"});
  TNitEditor& e = frame.Editor();
  e.SetNetworkName(u"Stadtnetz Nord");
  e.SetNetworkID(0x3001);
  for (uint16_t ts : {1, 2, 3}) {
    size_t i = e.AddStream();
    e.Stream(i)->SetTSID(ts);
    e.Stream(i)->SetFreq(338.0L + 8 * ts);
    for (uint16_t sid = 0; sid < ts + 1; ++sid) {
      size_t s = e.AddService(i, 0x01);
      e.Stream(i)->ServiceList()[s]->SetServiceID(static_cast<uint16_t>(ts * 0x100 + sid));
      e.Stream(i)->ServiceList()[s]->SetServiceName(u"Programm " + std::u16string(1, u'A' + sid));
    }
  }
  e.SetAddSLDs(true);
  frame.RefreshFromEditor();
  frame.resize(TTableEditFrame::kDesignedClientSize);
  frame.show();
  if (page == 0) Click(&frame, "rbMerlo_A");
  if (page == 1) Child<QListWidget>(&frame, "vtCableDescr")->setCurrentRow(1);
  frame.PageControl1()->setCurrentIndex(page);
  if (page == 2) {
    // The section, its loop and the first entry open, as a user would look at them.
    auto* form = Child<TPSISITableTreeForm>(&frame, "FNITTree");
    QTreeView* view = form->TableTree();
    QAbstractItemModel* m = view->model();
    QModelIndex section = m->index(0, 0, m->index(0, 0));
    QModelIndex loop = m->index(m->rowCount(section) - 2, 0, section);
    for (QModelIndex i : {m->index(0, 0), section, loop, m->index(0, 0, loop)}) view->expand(i);
    view->setCurrentIndex(m->index(4, 0, m->index(0, 0, loop)));
  }
  QTest::qWait(20);

  QString folder = qEnvironmentVariable("QUILLON_SHOTS_DIR");
  QTemporaryDir temp;
  if (folder.isEmpty()) folder = temp.path();
  QString path = QDir(folder).filePath(file);
  QVERIFY(frame.grab().save(path));
  QImage image(path);
  QCOMPARE(image.size(), TTableEditFrame::kDesignedClientSize);
}

QTEST_MAIN(PageShotsTest)
#include "page_shots_test.moc"
