// A cable project made the way a user makes it: typed into the entry fields and the
// grids of the main window, channel lists made in their dialog, the grids sorted, saved,
// closed and opened again, then exported. The exported file must hold the same bytes as
// the command-line tool's export of the same project written as JSON, and of the saved
// project file.
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

#include "app/main_form.h"
#include "editor/ui/ch_list_form.h"
#include "editor/ui/grid_view.h"
#include "editor/ui/table_edit_frame.h"
#include "support/app_fixture.h"
#include "support/grid_fixture.h"
#include "vocabulary/countries.h"
#include "vocabulary/number_text.h"

using namespace quillon;
using namespace quillon::test;
namespace fs = std::filesystem;

namespace {

// The project as typed below, in the JSON form the command-line tool reads.
constexpr const char* kProjectJson = R"({
  "network": {"type": "cable", "name": "Stadtnetz Süd", "id": "0x0123", "version": 5},
  "options": {"serviceLists": true, "logicalChannels": true, "hdSimulcast": true, "variant": "NorDigV2"},
  "channelLists": [
    {"id": 1, "name": "Haupt", "country": "DEU"},
    {"id": 2, "name": "Radio", "country": "NOR"}
  ],
  "transportStreams": [
    {
      "tsid": "0x0011", "onid": "0x0085", "frequency": 346, "symbolRate": 6.875,
      "fecOuter": 2, "modulation": 3, "fecInner": 3,
      "services": [
        {"name": "Das Erste", "id": "0x0101", "type": 1, "visible": true, "lcn": 1, "hdLcn": 101, "channelList": 1},
        {"name": "Radio Süd", "id": "0x0102", "type": 2, "visible": false, "lcn": 301, "hdLcn": 0, "channelList": 2}
      ]
    },
    {
      "tsid": "0x0010", "onid": "0x0000", "frequency": 354, "symbolRate": 6.9,
      "fecOuter": 1, "modulation": 5, "fecInner": 0,
      "services": [
        {"name": "Arte HD", "id": "0x0201", "type": 25, "visible": true, "lcn": 2, "hdLcn": 0, "channelList": 1},
        {"name": "Info", "id": "0x0202", "type": 12, "visible": true, "lcn": 900, "hdLcn": 0, "channelList": 2}
      ]
    }
  ],
  "rowOrder": [1, 0]
}
)";

QByteArray FileBytes(const fs::path& file) {
  QFile f(QString::fromStdString(file.string()));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString Q(const fs::path& p) { return QString::fromStdString(p.string()); }

}  // namespace

class GridsEndToEndTest : public QObject {
  Q_OBJECT

 private slots:
  void cableProjectThroughTheGrids();

 private:
  // Types the cells of `row` from column 0 on; an empty text leaves its cell alone.
  static void TypeRow(TGridView* grid, int row, const QStringList& texts) {
    for (int column = 0; column < texts.size(); ++column)
      if (!texts[column].isEmpty()) QVERIFY2(TypeIntoCell(grid, row, column, texts[column]), qPrintable(texts[column]));
  }
  // Clicks the service add button and fills the new row (the last one, which has the focus).
  static void AddService(TTableEditFrame* frame, const QStringList& texts, int visible, int list) {
    Click(frame, "sbAddCableServiceEntry");
    auto* grid = Child<TGridView>(frame, "vtServices");
    const int row = grid->model()->rowCount() - 1;
    QCOMPARE(grid->currentIndex().row(), row);
    TypeRow(grid, row, texts);
    if (visible >= 0) QVERIFY(PickInCell(grid, row, 2, visible));
    if (list >= 0) QVERIFY(PickInCell(grid, row, 5, list));
  }
};

void GridsEndToEndTest::cableProjectThroughTheGrids() {
  const fs::path cli = fs::path(QCoreApplication::applicationDirPath().toStdString()) / ".." / "src" / "cli" / "quillon-cli";
  if (!fs::exists(cli)) QFAIL(qPrintable("build quillon-cli first: " + Q(cli)));
  SetDecimalSeparator(u',');
  TAppFixture app;
  const fs::path data = app.paths.DataFolder();
  TMainForm form(app.paths);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  if (!form.TableFrame()) form.aNew->trigger();
  TTableEditFrame* frame = form.TableFrame();
  QVERIFY(frame);

  // ---- Allgemein
  TypeInto(Child<QLineEdit>(frame, "edtNetworkName"), QString::fromUtf8("Stadtnetz Süd"));
  TypeInto(Child<QLineEdit>(frame, "bheNetID"), "0x0123");
  TypeInto(Child<QSpinBox>(frame, "neNITVerNr"), "5");
  for (const char* box : {"cbAddSLDs", "cbAddLCDs", "cbAddHDSimulLCN"}) Child<QCheckBox>(frame, box)->click();

  // ---- NIT-Editor: channel lists first, so that the services can join them
  frame->PageControl1()->setCurrentIndex(1);
  Click(frame, "rbUseNorDigV2");
  QVERIFY(RunModal<TChListForm>(
      frame, "btnChLists",
      [](TChListForm& d) {
        const struct {
          const char *id, *name;
          const char16_t* country;
        } lists[] = {{"1", "Haupt", u"DEU"}, {"2", "Radio", u"NOR"}};
        for (int row = 0; row < 2; ++row) {
          Click(&d, "sbAddChListEntry");
          QVERIFY(TypeIntoCell(d.Grid(), row, 0, lists[row].id));
          QVERIFY(TypeIntoCell(d.Grid(), row, 1, lists[row].name));
          QVERIFY(PickInCell(d.Grid(), row, 2, CountryIndex(lists[row].country)));
        }
      },
      "btnClose"));

  auto* streams = Child<TGridView>(frame, "vtCableDescr");
  auto* services = Child<TGridView>(frame, "vtServices");
  // TS-ID, Net-ID (hidden), Org ID, Frequenz, FEC Outer, Modulation, Symbolrate, FEC Inner.
  Click(frame, "sbAddCDDEntry");
  ClickRow(streams, 0);
  TypeRow(streams, 0, {"0x0011", "", "0x0085", "346", "", "", "6,875"});
  QVERIFY(PickInCell(streams, 0, 5, 3));  // 64 QAM
  QVERIFY(PickInCell(streams, 0, 7, 3));  // 3/4
  AddService(frame, {QString::fromUtf8("Das Erste"), "0x0101", "", "1", "101"}, -1, 0);
  Click(frame, "rbServiceRadio");
  AddService(frame, {QString::fromUtf8("Radio Süd"), "0x0102", "", "301"}, 0, 1);

  Click(frame, "sbAddCDDEntry");
  ClickRow(streams, 1);
  QCOMPARE(services->model()->rowCount(), 0);
  TypeRow(streams, 1, {"0x0010", "", "", "354", "", "", "6,9"});
  QVERIFY(PickInCell(streams, 1, 4, 1));  // no outer FEC coding
  Click(frame, "rbServiceOther");
  auto* other = Child<QComboBox>(frame, "cbServiceOther");
  other->setCurrentIndex(other->findText("0x19", Qt::MatchStartsWith));
  AddService(frame, {"Arte HD", "0x0201", "", "2"}, -1, 0);
  Click(frame, "rbServiceData");
  AddService(frame, {"Info", "0x0202", "", "900"}, -1, 1);

  // Sorted on screen: streams by TS-ID ascending (two clicks), services by name.
  ClickHeader(streams, 0);
  ClickHeader(streams, 0);
  QCOMPARE(ColumnTexts(streams, 0), (QStringList{"0x0010", "0x0011"}));
  ClickHeader(services, 0);
  QCOMPARE(ColumnTexts(services, 0), (QStringList{"Info", "Arte HD"}));
  QCOMPARE(app.TakeBoxes(), QStringList());

  // ---- save, close, open
  QVERIFY(frame->Modified());
  const fs::path project = data / "e2e.nip";
  app.files.answers = {Q(project)};
  form.aSaveAs->trigger();
  QVERIFY(fs::exists(project));
  QVERIFY(!frame->Modified());
  Click(frame, "sbClose");
  QTRY_VERIFY(!form.TableFrame());
  app.files.answers = {Q(project)};
  form.aLoad->trigger();
  frame = form.TableFrame();
  QVERIFY(frame);
  frame->PageControl1()->setCurrentIndex(1);
  streams = Child<TGridView>(frame, "vtCableDescr");
  services = Child<TGridView>(frame, "vtServices");
  // The rows come back in their sorted order, the focused one focused; the services in
  // list order.
  QCOMPARE(ColumnTexts(streams, 0), (QStringList{"0x0010", "0x0011"}));
  QCOMPARE(streams->currentIndex().row(), 0);
  const QStringList rowB{"0x0010", "0x0000", "0x0000", "354,000", "No Outer FEC Coding", "256 QAM", "6,900", "Not Defined"};
  for (int c = 0; c < rowB.size(); ++c) QCOMPARE(CellText(streams, 0, c), rowB[c]);
  QCOMPARE(ColumnTexts(services, 0), (QStringList{"Arte HD", "Info"}));
  QCOMPARE(ColumnTexts(services, 5), (QStringList{"1 - Haupt", "2 - Radio"}));
  ClickRow(streams, 1);
  const QStringList rowA{"0x0011", "0x0000", "0x0085", "346,000", "RS(204/188)", "64 QAM", "6,875", "3/4 Conv. Code Rate"};
  for (int c = 0; c < rowA.size(); ++c) QCOMPARE(CellText(streams, 1, c), rowA[c]);
  QCOMPARE(ColumnTexts(services, 0), (QStringList{"Das Erste", QString::fromUtf8("Radio Süd")}));
  QCOMPARE(ColumnTexts(services, 2), (QStringList{"Ja", "Nein"}));
  QCOMPARE(ColumnTexts(services, 4), (QStringList{"101", "0"}));
  QCOMPARE(ColumnTexts(services, 5), (QStringList{"1 - Haupt", "2 - Radio"}));

  // ---- export from the panel, and from the command-line tool
  frame->PageControl1()->setCurrentIndex(0);
  const fs::path exported = data / "gui.nit";
  app.files.answers = {Q(exported)};
  Click(frame, "btnExportNIT");
  QCOMPARE(form.StatusPanel(1)->text(), QString("Exportieren der NIT beendet"));
  const QByteArray gui = FileBytes(exported);
  QVERIFY(!gui.isEmpty());
  QCOMPARE(gui.size() % 188, 0);

  const fs::path json = app.dir / "e2e.json";
  WriteTextFile(json, kProjectJson);
  for (const fs::path& source : {json, project}) {
    const fs::path out = app.dir / (source.stem().string() + source.extension().string().substr(1) + "-cli.nit");
    QProcess tool;
    tool.start(Q(cli), {"export", Q(source), "-o", Q(out)});
    QVERIFY(tool.waitForFinished(30000));
    QVERIFY2(tool.exitCode() == 0, tool.readAllStandardError().constData());
    QVERIFY2(FileBytes(out) == gui, qPrintable(Q(source)));
  }
  QCOMPARE(app.TakeBoxes(), QStringList());
}

QTEST_MAIN(GridsEndToEndTest)
#include "grids_e2e_test.moc"
