// The channel-list dialog as the user works it, alone and opened from the panel: ids,
// names, the country list, adding, deleting, closing, and the services that belong to a
// list that is deleted.
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <memory>

#include "editor/ui/ch_list_form.h"
#include "editor/ui/grid_model.h"
#include "editor/ui/grid_view.h"
#include "editor/ui/table_edit_frame.h"
#include "platform/dialogs.h"
#include "support/grid_fixture.h"
#include "support/test_util.h"
#include "vocabulary/countries.h"

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr const char* kInvalidID = "Eingegebene Listen-ID ist ungültig (0..255)!";
constexpr const char* kInvalidEntry = "Eingegebene Listen-Einträge sind ungültig!";
constexpr uint32_t kDEU = 0x444555;
constexpr uint32_t kNOR = 0x4E4F52;

}  // namespace

class ChListFormTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void opening();
  void idCell_data();
  void idCell();
  void twoListsCannotShareAnId();
  void namesAreCut();
  void countryList();
  void addAndDelete();
  void closing_data();
  void closing();
  void openedFromThePanel();

 private:
  TChListData& AddList(int32_t id, const std::u16string& name, uint32_t country) {
    lists.push_back(std::make_unique<TChListData>());
    lists.back()->SetListID(id);
    lists.back()->SetListName(name);
    lists.back()->SetCountryCode(country);
    return *lists.back();
  }
  TChListForm& Open() {
    form = std::make_unique<TChListForm>(nullptr, lists);
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get())) qWarning("dialog not exposed");
    return *form;
  }
  TGridView* Grid() { return form->Grid(); }
  QStringList Boxes() {
    QStringList texts;
    for (const auto& e : dialogs.shown) texts << QString::fromStdString(e.text);
    dialogs.Clear();
    return texts;
  }

  RecordingDialogs dialogs;
  std::unique_ptr<ScopedDialogs> scopedDialogs;
  TChListDataList lists;
  std::unique_ptr<TChListForm> form;
};

void ChListFormTest::init() {
  dialogs = RecordingDialogs();
  scopedDialogs = std::make_unique<ScopedDialogs>(dialogs);
  lists.clear();
}

void ChListFormTest::cleanup() {
  form.reset();
  scopedDialogs.reset();
}

void ChListFormTest::opening() {
  AddList(3, u"Kids", kNOR);
  AddList(-1, u"", 0);
  Open();
  QCOMPARE(form->windowTitle(), QString("Kanal Listen"));
  QVERIFY(form->windowFlags().testFlag(Qt::Tool));
  QVERIFY(form->isModal());
  QCOMPARE(form->size(), TChListForm::kClientSize);
  QCOMPARE(Child<QPushButton>(form.get(), "btnClose")->text(), QString("Schliessen"));
  QVERIFY(Child<QToolButton>(form.get(), "sbAddChListEntry")->isEnabled());
  QVERIFY(!Child<QToolButton>(form.get(), "sbDelChListEntry")->isEnabled());
  QAbstractItemModel* m = Grid()->model();
  QStringList headers;
  for (int c = 0; c < m->columnCount(); ++c) headers << m->headerData(c, Qt::Horizontal).toString();
  QCOMPARE(headers, (QStringList{"ID", "Name", "Länder-Code"}));
  QCOMPARE(m->headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).toInt() & Qt::AlignRight, int(Qt::AlignRight));
  QCOMPARE(m->index(0, 0).data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight, int(Qt::AlignRight));
  QCOMPARE(ColumnTexts(Grid(), 0), (QStringList{"3", ""}));
  QCOMPARE(ColumnTexts(Grid(), 1), (QStringList{"Kids", ""}));
  QCOMPARE(ColumnTexts(Grid(), 2), (QStringList{"NOR - Norway", ""}));
  QVERIFY(!Grid()->horizontalHeader()->sectionsClickable());
  QVERIFY(!form->Modified());
}

void ChListFormTest::idCell_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("stored");  // 1 before; another list has 5
  QTest::addColumn<bool>("message");
  QTest::newRow("7") << "7" << 7 << false;
  QTest::newRow("0") << "0" << 0 << false;
  QTest::newRow("255") << "255" << 255 << false;
  QTest::newRow("-1 is accepted") << "-1" << -1 << false;
  QTest::newRow("5 is taken: nothing happens") << "5" << 1 << false;
  QTest::newRow("256") << "256" << 1 << true;
  QTest::newRow("-2") << "-2" << 1 << true;
  QTest::newRow("letters: -1") << "Sport" << -1 << false;
}

void ChListFormTest::idCell() {
  QFETCH(QString, text);
  QFETCH(int, stored);
  QFETCH(bool, message);
  AddList(5, u"A", kNOR);
  TChListData& list = AddList(1, u"B", kNOR);
  Open();
  QVERIFY(TypeIntoCell(Grid(), 1, 0, text));
  QCOMPARE(list.ListID(), stored);
  QCOMPARE(Boxes(), message ? QStringList{kInvalidID} : QStringList());
  QCOMPARE(CellText(Grid(), 1, 0), stored == -1 ? QString() : QString::number(stored));
  QCOMPARE(form->Modified(), stored != 1);
}

void ChListFormTest::twoListsCannotShareAnId() {
  Open();
  Click(form.get(), "sbAddChListEntry");
  Click(form.get(), "sbAddChListEntry");
  QVERIFY(TypeIntoCell(Grid(), 0, 0, "5"));
  QVERIFY(TypeIntoCell(Grid(), 1, 0, "5"));
  QCOMPARE(lists[0]->ListID(), 5);
  QCOMPARE(lists[1]->ListID(), -1);
  QVERIFY(Boxes().isEmpty());
}

void ChListFormTest::namesAreCut() {
  AddList(1, u"", kNOR);
  Open();
  QVERIFY(TypeIntoCell(Grid(), 0, 1, QString(300, 'n')));
  QVERIFY(lists[0]->ListName() == std::u16string(255, u'n'));
  QCOMPARE(CellText(Grid(), 0, 1), QString(255, 'n'));
}

void ChListFormTest::countryList() {
  AddList(1, u"Main", 0);
  Open();
  auto* combo = OpenCellEditor<QComboBox>(Grid(), 0, 2);
  QVERIFY(combo);
  QVERIFY(!combo->isEditable());
  QCOMPARE(combo->count(), 244);
  for (int i = 0; i < combo->count(); ++i) {
    const TISO3166_1Entry& e = ISO_3166_1[static_cast<size_t>(i)];
    QCOMPARE(combo->itemText(i), QString::fromStdU16String(std::u16string(e.CountryCode3) + u" - " + std::u16string(e.Name)));
  }
  QTest::keyClick(combo, Qt::Key_Escape);
  const int germany = CountryIndex(u"DEU");

  QVERIFY(PickInCell(Grid(), 0, 2, germany));
  QCOMPARE(lists[0]->CountryCode(), kDEU);
  QCOMPARE(CellText(Grid(), 0, 2), QString("DEU - Germany"));
  QVERIFY(form->Modified());
  // The list opens on the country shown.
  combo = OpenCellEditor<QComboBox>(Grid(), 0, 2);
  QCOMPARE(combo->currentText(), QString("DEU - Germany"));
  QTest::keyClick(combo, Qt::Key_Escape);
  QVERIFY(Boxes().isEmpty());
}

void ChListFormTest::addAndDelete() {
  AddList(1, u"A", kNOR);
  AddList(2, u"B", kNOR);
  Open();
  auto* del = Child<QToolButton>(form.get(), "sbDelChListEntry");

  Click(form.get(), "sbAddChListEntry");
  QCOMPARE(lists.size(), size_t{3});
  QCOMPARE(lists[2]->ListID(), -1);
  QVERIFY(lists[2]->ListName().empty());
  QCOMPARE(lists[2]->CountryCode(), 0u);
  QCOMPARE(Grid()->model()->rowCount(), 3);
  QCOMPARE(Grid()->CurrentRecord(), 2);
  QVERIFY(del->isEnabled());
  QVERIFY(form->Modified());

  Grid()->setCurrentIndex(Grid()->model()->index(0, 0));
  Click(form.get(), "sbDelChListEntry");
  QCOMPARE(lists.size(), size_t{2});
  QCOMPARE(lists[0]->ListID(), 2);
  QCOMPARE(ColumnTexts(Grid(), 1), (QStringList{"B", ""}));
  QVERIFY2(!del->isEnabled(), "no row keeps the focus");
  Grid()->setCurrentIndex(Grid()->model()->index(1, 0));
  QVERIFY(del->isEnabled());
  QVERIFY(Boxes().isEmpty());
}

void ChListFormTest::closing_data() {
  QTest::addColumn<QString>("how");
  QTest::addColumn<int>("id");
  QTest::addColumn<QString>("name");
  QTest::addColumn<bool>("country");
  QTest::addColumn<bool>("closes");
  for (const char* how : {"button", "escape", "window"}) {
    QTest::addRow("%s, complete", how) << how << 1 << "Main" << true << true;
    QTest::addRow("%s, no id", how) << how << -1 << "Main" << true << false;
    QTest::addRow("%s, no name", how) << how << 1 << "" << true << false;
    QTest::addRow("%s, no country", how) << how << 1 << "Main" << false << false;
  }
}

void ChListFormTest::closing() {
  QFETCH(QString, how);
  QFETCH(int, id);
  QFETCH(QString, name);
  QFETCH(bool, country);
  QFETCH(bool, closes);
  AddList(2, u"Kids", kDEU);
  AddList(id, name.toStdU16String(), country ? kNOR : 0);
  Open();
  if (how == "button") Click(form.get(), "btnClose");
  else if (how == "escape") QTest::keyClick(Grid(), Qt::Key_Escape);
  else form->close();
  QCOMPARE(form->isVisible(), !closes);
  QCOMPARE(Boxes(), closes ? QStringList() : QStringList{kInvalidEntry});
  if (closes) QCOMPARE(form->result(), how == "button" ? int(QDialog::Accepted) : int(QDialog::Rejected));
}

// From the panel: the button opens the dialog modally on the editor's lists; additions
// and deletions mark the project modified; services of a deleted list drop out as soon
// as their cell is drawn.
void ChListFormTest::openedFromThePanel() {
  test::TempDir program;
  TTableEditFrame frame(TProgramPaths{program.Path(), "quillon"});
  frame.Editor().StoreLastIPOnClose = false;
  frame.show();
  frame.PageControl1()->setCurrentIndex(1);
  QVERIFY(QTest::qWaitForWindowExposed(&frame));
  TNitEditor& e = frame.Editor();
  Click(&frame, "rbUseNorDigV2");
  Click(&frame, "sbAddCDDEntry");
  auto* streams = Child<TGridView>(&frame, "vtCableDescr");
  streams->setCurrentIndex(streams->model()->index(0, 0));
  Click(&frame, "sbAddCableServiceEntry");
  auto* services = Child<TGridView>(&frame, "vtServices");
  QVERIFY(!services->isColumnHidden(5));

  auto inDialog = [&](const std::function<void(TChListForm&)>& work) {
    return RunModal<TChListForm>(&frame, "btnChLists", work, "btnClose");
  };

  e.ResetModified();
  QVERIFY(inDialog([&](TChListForm& d) {
    Click(&d, "sbAddChListEntry");
    QVERIFY(TypeIntoCell(d.Grid(), 0, 0, "12"));
    QVERIFY(TypeIntoCell(d.Grid(), 0, 1, "Sport"));
    QVERIFY(PickInCell(d.Grid(), 0, 2, CountryIndex(u"NOR")));
  }));
  QCOMPARE(e.ChannelList().size(), size_t{1});
  QCOMPARE(e.ChannelList()[0]->CountryCode(), kNOR);
  QVERIFY(e.Modified());

  // The services grid offers the list and stores its id.
  QCOMPARE(services->model()->index(0, 5).data(TGridModel::PickTextsRole).toStringList(), QStringList{"12 - Sport"});
  QVERIFY(PickInCell(services, 0, 5, 0));
  TServiceData& s = *e.Stream(0)->ServiceList()[0];
  QCOMPARE(s.ChannelListID(), 12);
  QCOMPARE(CellText(services, 0, 5), QString("12 - Sport"));

  // Renaming alone marks the project modified as well.
  e.ResetModified();
  QVERIFY(inDialog([&](TChListForm& d) { QVERIFY(TypeIntoCell(d.Grid(), 0, 1, "Sport 1")); }));
  QVERIFY(e.Modified());
  QCOMPARE(CellText(services, 0, 5), QString("12 - Sport 1"));

  e.ResetModified();
  QVERIFY(inDialog([&](TChListForm& d) {
    d.Grid()->setCurrentIndex(d.Grid()->model()->index(0, 0));
    Click(&d, "sbDelChListEntry");
  }));
  QVERIFY(e.ChannelList().empty());
  QVERIFY(e.Modified());
  services->grab();  // drawing the cell tidies the service (the panel may have drawn it already)
  QCOMPARE(s.ChannelListID(), -1);
  QCOMPARE(CellText(services, 0, 5), QString());
  QVERIFY(Boxes().isEmpty());
}

QTEST_MAIN(ChListFormTest)
#include "ch_list_form_test.moc"
