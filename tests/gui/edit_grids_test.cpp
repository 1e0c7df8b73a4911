// The three grids of the NIT-Editor page worked through the panel as a user works them:
// typing into cells, choosing from drop-down lists, the icons, header clicks, the focused
// stream deciding the services shown, and which columns are shown.
#include <QCheckBox>
#include <QComboBox>
#include <QMessageBox>
#include <QTimer>
#include <QTabWidget>
#include <QTest>
#include <filesystem>
#include <memory>

#include "app/qt_dialogs.h"
#include "editor/cell_rules.h"
#include "editor/ui/grid_model.h"
#include "editor/ui/grid_view.h"
#include "editor/ui/service_icons.h"
#include "editor/ui/table_edit_frame.h"
#include "platform/dialogs.h"
#include "platform/language.h"
#include "platform/text.h"
#include "support/grid_fixture.h"
#include "support/test_util.h"
#include "vocabulary/number_text.h"
#include "widgets/radio_group.h"

using namespace quillon;
using namespace quillon::test;

namespace {

constexpr const char* kInvalidPID = "Eingegebene PID ist ungültig!";
constexpr const char* kInvalidSID = "Eingegebene Service-ID ist ungültig!";
constexpr const char* kInvalidNr = "Eingegebene Kanal-Nummer ist ungültig (0..16383)!";
constexpr const char* kNoNumber = "Eingegebener Wert ist keine gültige Zahl!";
constexpr const char* kNoByte = "Eingegebener Wert ist ungültig (0..255)!";

}  // namespace

class EditGridsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void idCells_data();
  void idCells();
  void channelNumberCells_data();
  void channelNumberCells();
  void timeSlicingAndMpeFecCells_data();
  void timeSlicingAndMpeFecCells();
  void decimalCells_data();
  void decimalCells();
  void pickLists_data();
  void pickLists();
  void serviceNames();
  void automaticServicesKeepNameAndId();
  void icons_data();
  void icons();
  void sixDistinctImages();
  void headerClicks_data();
  void headerClicks();
  void sortingKeepsTheFocusedStream();
  void focusRefillsTheServices();
  void columnVisibility();
  void cellEditsMarkTheProjectModified();
  void aRefusalShowsOneMessageBox();
  void languageSwitch();

 private:
  TNitEditor& E() { return frame->Editor(); }
  TGridView* Grid(const QString& name) { return Child<TGridView>(frame.get(), name); }
  void SetTerrestrial(bool on) {
    if (on) Child<TRadioGroup>(frame.get(), "rgNetworkType")->Item(1)->click();
  }
  // A stream added with the button, focused; `services` TV services added with theirs.
  TTransportStreamData& AddStream(int services = 0) {
    const bool terrestrial = E().NetworkType() == TNetworkType::Terrestrial;
    Click(frame.get(), terrestrial ? "sbAddTDDEntry" : "sbAddCDDEntry");
    TGridView* grid = Grid(terrestrial ? "vtTerrestDescr" : "vtCableDescr");
    const int row = grid->model()->rowCount() - 1;
    grid->setCurrentIndex(grid->model()->index(row, 0));
    for (int i = 0; i < services; ++i) Click(frame.get(), terrestrial ? "sbAddTerrestServiceEntry" : "sbAddCableServiceEntry");
    return *E().Stream(static_cast<size_t>(grid->CurrentRecord()));
  }
  QStringList Boxes() {
    QStringList texts;
    for (const auto& e : dialogs.shown) texts << QString::fromStdString(e.text);
    dialogs.Clear();
    return texts;
  }

  std::unique_ptr<test::TempDir> program;
  RecordingDialogs dialogs;
  std::unique_ptr<ScopedDialogs> scopedDialogs;
  std::unique_ptr<TTableEditFrame> frame;
};

void EditGridsTest::init() {
  program = std::make_unique<test::TempDir>();
  dialogs = RecordingDialogs();
  scopedDialogs = std::make_unique<ScopedDialogs>(dialogs);
  SetDecimalSeparator(u',');
  frame = std::make_unique<TTableEditFrame>(TProgramPaths{program->Path(), "quillon"});
  frame->Editor().StoreLastIPOnClose = false;
  frame->show();
  frame->PageControl1()->setCurrentIndex(1);
  QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
}

void EditGridsTest::cleanup() {
  frame.reset();
  scopedDialogs.reset();
  SetDecimalSeparator(u',');
}

// ---------------------------------------------------------------- typing into cells

void EditGridsTest::idCells_data() {
  QTest::addColumn<QString>("grid");
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("stored");  // 7 before the edit
  QTest::addColumn<QString>("message");
  struct Cell {
    const char* grid;
    int column;
    const char* refusal;
  } const cells[] = {{"vtCableDescr", 0, kInvalidPID},   {"vtCableDescr", 2, kInvalidPID},
                     {"vtTerrestDescr", 0, kInvalidPID}, {"vtTerrestDescr", 2, kInvalidPID},
                     {"vtServices", 1, kInvalidSID}};
  struct Text {
    const char* text;
    int stored;
  } const texts[] = {{"0x0001", 1}, {"1", 1}, {"0", 7}, {"0x0000", 7}, {"65536", 7}, {"Sport", 7}, {"0xFFFF", 0xFFFF}};
  for (const Cell& c : cells)
    for (const Text& t : texts)
      QTest::addRow("%s %d %s", c.grid, c.column, t.text)
          << c.grid << c.column << t.text << t.stored << (t.stored == 7 ? QString::fromUtf8(c.refusal) : QString());
}

void EditGridsTest::idCells() {
  QFETCH(QString, grid);
  QFETCH(int, column);
  QFETCH(QString, text);
  QFETCH(int, stored);
  QFETCH(QString, message);
  SetTerrestrial(grid == "vtTerrestDescr");
  TTransportStreamData& stream = AddStream(grid == "vtServices" ? 1 : 0);
  stream.SetTSID(7);
  stream.SetOrgNetID(7);
  if (grid == "vtServices") stream.ServiceList()[0]->SetServiceID(7);
  QVERIFY(TypeIntoCell(Grid(grid), 0, column, text));
  const int value = grid == "vtServices" ? stream.ServiceList()[0]->ServiceID()
                    : column == 0        ? stream.TSID()
                                         : stream.OrgNetID();
  QCOMPARE(value, stored);
  QCOMPARE(Boxes(), message.isEmpty() ? QStringList() : QStringList{message});
  if (message.isEmpty()) QCOMPARE(dialogs.shown.size(), size_t{0});
  QCOMPARE(CellText(Grid(grid), 0, column), QString::asprintf("0x%04X", stored));
}

void EditGridsTest::channelNumberCells_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("stored");  // 5 before the edit
  QTest::addColumn<bool>("refused");
  for (int column : {3, 4}) {
    QTest::addRow("%d letters: 0", column) << column << "Sport" << 0 << false;
    QTest::addRow("%d 16383", column) << column << "16383" << 16383 << false;
    QTest::addRow("%d 12", column) << column << "12" << 12 << false;
    QTest::addRow("%d 16384", column) << column << "16384" << 5 << true;
    QTest::addRow("%d -1", column) << column << "-1" << 5 << true;
  }
}

void EditGridsTest::channelNumberCells() {
  QFETCH(int, column);
  QFETCH(QString, text);
  QFETCH(int, stored);
  QFETCH(bool, refused);
  TServiceData& s = *AddStream(1).ServiceList()[0];
  s.SetLogicalNumber(5);
  s.SetHDSimulLogicalNumber(5);
  QVERIFY(TypeIntoCell(Grid("vtServices"), 0, column, text));
  QCOMPARE(column == 3 ? s.LogicalNumber() : s.HDSimulLogicalNumber(), stored);
  QCOMPARE(Boxes(), refused ? QStringList{kInvalidNr} : QStringList());
  QCOMPARE(CellText(Grid("vtServices"), 0, column), QString::number(stored));
}

void EditGridsTest::timeSlicingAndMpeFecCells_data() {
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("stored");  // 1 before the edit
  QTest::addColumn<QString>("message");
  for (int column : {6, 7}) {
    QTest::addRow("%d 0", column) << column << "0" << 0 << "";
    QTest::addRow("%d 255", column) << column << "255" << 255 << "";
    QTest::addRow("%d 256", column) << column << "256" << 1 << kNoByte;
    QTest::addRow("%d -1", column) << column << "-1" << 1 << kNoByte;
    QTest::addRow("%d letters", column) << column << "viel" << 1 << kNoNumber;
  }
}

void EditGridsTest::timeSlicingAndMpeFecCells() {
  QFETCH(int, column);
  QFETCH(QString, text);
  QFETCH(int, stored);
  QFETCH(QString, message);
  SetTerrestrial(true);
  auto& r = static_cast<TTerrestrialDescrData&>(AddStream());
  QVERIFY(TypeIntoCell(Grid("vtTerrestDescr"), 0, column, text));
  QCOMPARE(column == 6 ? r.TimeSliceIndicator() : r.MpeFecIndictor(), stored);
  QCOMPARE(Boxes(), message.isEmpty() ? QStringList() : QStringList{message});
  if (!message.isEmpty()) QCOMPARE(CellText(Grid("vtTerrestDescr"), 0, column), QString("1"));
}

void EditGridsTest::decimalCells_data() {
  QTest::addColumn<QString>("separator");
  QTest::addColumn<QString>("grid");
  QTest::addColumn<int>("column");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("accepted");
  QTest::addColumn<QString>("shown");
  QTest::newRow("comma, frequency") << "," << "vtCableDescr" << 3 << "346,5" << true << "346,500";
  QTest::newRow("point, frequency") << "." << "vtCableDescr" << 3 << "346.5" << true << "346.500";
  QTest::newRow("comma refuses a point") << "," << "vtCableDescr" << 3 << "346.5" << false << "0,000";
  QTest::newRow("point refuses a comma") << "." << "vtCableDescr" << 6 << "6,875" << false << "6.900";
  QTest::newRow("comma, symbol rate") << "," << "vtCableDescr" << 6 << "6,875" << true << "6,875";
  QTest::newRow("letters") << "," << "vtCableDescr" << 6 << "schnell" << false << "6,900";
  QTest::newRow("terrestrial centre frequency") << "," << "vtTerrestDescr" << 3 << "474,166" << true << "474,166";
  QTest::newRow("no range is checked here") << "," << "vtCableDescr" << 3 << "99999" << true << "99999,000";
}

void EditGridsTest::decimalCells() {
  QFETCH(QString, separator);
  QFETCH(QString, grid);
  QFETCH(int, column);
  QFETCH(QString, text);
  QFETCH(bool, accepted);
  QFETCH(QString, shown);
  SetDecimalSeparator(separator.at(0).unicode());
  SetTerrestrial(grid == "vtTerrestDescr");
  TTransportStreamData& r = AddStream();
  QVERIFY(TypeIntoCell(Grid(grid), 0, column, text));
  QCOMPARE(CellText(Grid(grid), 0, column), shown);
  QCOMPARE(Boxes(), accepted ? QStringList() : QStringList{kNoNumber});
  if (accepted) {
    const long double value = column == 3 ? r.Freq() : static_cast<TCableDescrData&>(r).SymbRate();
    QVERIFY(value == ParseDecimalText(text.toStdU16String(), separator.at(0).unicode()).value());
  }
}

// ---------------------------------------------------------------- drop-down lists

void EditGridsTest::pickLists_data() {
  QTest::addColumn<QString>("grid");
  QTest::addColumn<int>("column");
  QTest::addColumn<int>("count");
  QTest::addColumn<QString>("shownBefore");
  QTest::addColumn<int>("entry");
  QTest::addColumn<int>("code");
  QTest::newRow("FEC outer") << "vtCableDescr" << 4 << 3 << "RS(204/188)" << 1 << 1;
  QTest::newRow("modulation") << "vtCableDescr" << 5 << 6 << "256 QAM" << 3 << 3;
  QTest::newRow("FEC inner, 9/10") << "vtCableDescr" << 7 << 16 << "Not Defined" << 9 << 9;
  QTest::newRow("FEC inner, fourth reserved entry") << "vtCableDescr" << 7 << 16 << "Not Defined" << 13 << 10;
  QTest::newRow("FEC inner, no coding") << "vtCableDescr" << 7 << 16 << "Not Defined" << 15 << 15;
  QTest::newRow("bandwidth") << "vtTerrestDescr" << 4 << 4 << "8 MHz" << 2 << 2;
  QTest::newRow("priority") << "vtTerrestDescr" << 5 << 2 << "HP (High Priority)" << 0 << 0;
  QTest::newRow("constellation") << "vtTerrestDescr" << 8 << 3 << "64 QAM" << 1 << 1;
  QTest::newRow("hierarchy") << "vtTerrestDescr" << 9 << 4 << "Non Hierarchical, Native Interleaver" << 3 << 3;
  QTest::newRow("HP code rate") << "vtTerrestDescr" << 10 << 5 << "7/8" << 0 << 0;
  QTest::newRow("LP code rate") << "vtTerrestDescr" << 11 << 5 << "7/8" << 2 << 2;
  QTest::newRow("guard interval") << "vtTerrestDescr" << 12 << 4 << "1/32" << 3 << 3;
  QTest::newRow("transmission mode") << "vtTerrestDescr" << 13 << 3 << "8k Mode" << 2 << 2;
  QTest::newRow("visible") << "vtServices" << 2 << 2 << "Ja" << 0 << 0;
}

void EditGridsTest::pickLists() {
  QFETCH(QString, grid);
  QFETCH(int, column);
  QFETCH(int, count);
  QFETCH(QString, shownBefore);
  QFETCH(int, entry);
  QFETCH(int, code);
  SetTerrestrial(grid == "vtTerrestDescr");
  TTransportStreamData& r = AddStream(grid == "vtServices" ? 1 : 0);
  TGridView* view = Grid(grid);
  // The list offers exactly the grid's entries, opens on the cell's entry, takes no text.
  auto* combo = OpenCellEditor<QComboBox>(view, 0, column);
  QVERIFY(combo);
  QVERIFY(!combo->isEditable());
  QCOMPARE(combo->count(), count);
  QCOMPARE(combo->currentText(), shownBefore);
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  QCOMPARE(items, view->model()->index(0, column).data(TGridModel::PickTextsRole).toStringList());
  QTest::keyClick(combo, Qt::Key_Escape);
  QVERIFY(!view->IsEditing());

  E().ResetModified();
  QVERIFY(PickInCell(view, 0, column, entry));
  int stored = -1;
  if (grid == "vtServices") {
    stored = r.ServiceList()[0]->Visible() ? 1 : 0;
  } else if (grid == "vtCableDescr") {
    auto& c = static_cast<TCableDescrData&>(r);
    stored = column == 4 ? c.FECOut() : column == 5 ? c.Modu() : c.FECIn();
  } else {
    auto& t = static_cast<TTerrestrialDescrData&>(r);
    const uint8_t codes[] = {t.BandWidth(), t.Priority(), 0, 0, t.Constellation(), t.Hierarchy(),
                             t.HPCodeRate(), t.LPCodeRate(), t.GuardInterval(), t.Mode()};
    stored = codes[column - 4];
  }
  QCOMPARE(stored, code);
  QVERIFY(E().Modified());
  QCOMPARE(CellText(view, 0, column), items[entry]);
  QCOMPARE(dialogs.shown.size(), size_t{0});
}

// ---------------------------------------------------------------- services

void EditGridsTest::serviceNames() {
  TServiceData& s = *AddStream(1).ServiceList()[0];
  s.SetServiceName(u"[0x0012] Sport");
  TGridView* view = Grid("vtServices");
  view->GridModel()->Refresh();
  QCOMPARE(CellText(view, 0, 0), QString(" Sport"));

  QVERIFY(TypeIntoCell(view, 0, 0, QString::fromUtf8("Café Ж")));
  QVERIFY(s.ServiceName() == u"Café Ж");
  QVERIFY(s.OrgServiceNameUni() == u"Café Ж");
  QVERIFY(s.OrgServiceName() == RawString("Caf\xE9 ?"));
  QCOMPARE(CellText(view, 0, 0), QString::fromUtf8("Café Ж"));
}

void EditGridsTest::automaticServicesKeepNameAndId() {
  TServiceData& s = *AddStream(1).ServiceList()[0];
  s.SetAuto(1);
  s.SetServiceName(u"Automatisch");
  TGridView* view = Grid("vtServices");
  for (int column = 0; column < 6; ++column)
    QCOMPARE(view->model()->flags(view->model()->index(0, column)).testFlag(Qt::ItemIsEditable), column >= 2);
  QVERIFY(!OpenCellEditor<QLineEdit>(view, 0, 0));
  QVERIFY(!OpenCellEditor<QLineEdit>(view, 0, 1));
  QVERIFY(TypeIntoCell(view, 0, 3, "4"));
  QCOMPARE(s.LogicalNumber(), 4);
  QVERIFY(s.ServiceName() == u"Automatisch");
}

void EditGridsTest::icons_data() {
  QTest::addColumn<int>("type");
  QTest::addColumn<bool>("visible");
  QTest::addColumn<int>("image");
  QTest::newRow("television") << 0x01 << true << 0;
  QTest::newRow("television, hidden") << 0x01 << false << 1;
  QTest::newRow("HD television") << 0x19 << true << 0;
  QTest::newRow("radio") << 0x02 << true << 2;
  QTest::newRow("advanced radio, hidden") << 0x0A << false << 3;
  QTest::newRow("data") << 0x0C << true << 4;
  QTest::newRow("MHP, hidden") << 0x10 << false << 5;
  QTest::newRow("RCS map: none") << 0x0E << true << -1;
  QTest::newRow("RCS map, hidden: none") << 0x0E << false << -1;
}

void EditGridsTest::icons() {
  QFETCH(int, type);
  QFETCH(bool, visible);
  QFETCH(int, image);
  TServiceData& s = *AddStream(1).ServiceList()[0];
  s.SetServiceType(static_cast<uint8_t>(type));
  TGridView* view = Grid("vtServices");
  // Visibility is chosen in the grid, and the icon follows it.
  QVERIFY(PickInCell(view, 0, 2, visible ? 1 : 0));
  QCOMPARE(s.Visible(), visible);
  const QVariant icon = view->model()->index(0, 0).data(Qt::DecorationRole);
  if (image < 0) {
    QVERIFY(!icon.isValid());
  } else {
    QCOMPARE(icon.value<QPixmap>().toImage(), ServiceImages()[image].toImage());
  }
  for (int column = 1; column < 6; ++column) QVERIFY(!view->model()->index(0, column).data(Qt::DecorationRole).isValid());
}

void EditGridsTest::sixDistinctImages() {
  const QList<QPixmap>& images = ServiceImages();
  QCOMPARE(images.size(), 6);
  for (int i = 0; i < 6; ++i) {
    QCOMPARE(images[i].size(), QSize(kServiceIconSize, kServiceIconSize));
    for (int j = i + 1; j < 6; ++j) QVERIFY2(images[i].toImage() != images[j].toImage(), qPrintable(QString("%1 %2").arg(i).arg(j)));
  }
  // Normal images have colour; dimmed ones are grey and lighter.
  for (int kind = 0; kind < 3; ++kind) {
    const QImage normal = images[2 * kind].toImage(), dimmed = images[2 * kind + 1].toImage();
    int coloured = 0, grey = 0, drawn = 0;
    long lightNormal = 0, lightDimmed = 0;
    for (int y = 0; y < kServiceIconSize; ++y)
      for (int x = 0; x < kServiceIconSize; ++x) {
        const QColor n = normal.pixelColor(x, y), d = dimmed.pixelColor(x, y);
        if (n.alpha() == 0) continue;
        ++drawn;
        if (n.hsvSaturation() > 80) ++coloured;
        if (qAbs(d.red() - d.green()) <= 1 && qAbs(d.green() - d.blue()) <= 1) ++grey;
        lightNormal += n.value();
        lightDimmed += d.value();
      }
    QVERIFY2(drawn > 60, qPrintable(QString::number(kind)));
    QVERIFY(coloured > drawn / 4);
    QCOMPARE(grey, drawn);
    QVERIFY(lightDimmed > lightNormal);
  }
}

// ---------------------------------------------------------------- sorting

void EditGridsTest::headerClicks_data() {
  QTest::addColumn<QString>("grid");
  QTest::addColumn<QString>("clicks");  // L, M or R and a column, e.g. "L0 M3"
  QTest::addColumn<int>("keyColumn");
  QTest::addColumn<QString>("shown");  // the key column's texts from the top, "|"-joined
  QTest::addColumn<int>("marker");     // the sort column shown, -1 none
  QTest::addColumn<bool>("ascending");
  QTest::addColumn<bool>("modified");  // rows of a stream grid moved: the saved row order changed
  // Cable rows in list order: TS-ID 2, 3, 1; Org ID 5, 5, 1; frequency 354, 346, 362;
  // modulation 3, 5, 1; symbol rate 6.9, 6.875, 5.0.
  const QString c = "vtCableDescr";
  QTest::newRow("at start nothing is sorted") << c << "" << 0 << "0x0002|0x0003|0x0001" << 0 << true << false;
  QTest::newRow("first click on TS-ID: descending") << c << "L0" << 0 << "0x0003|0x0002|0x0001" << 0 << false << true;
  QTest::newRow("second click on TS-ID: ascending") << c << "L0 L0" << 0 << "0x0001|0x0002|0x0003" << 0 << true << true;
  QTest::newRow("first click on Frequenz: ascending") << c << "L3" << 0 << "0x0003|0x0002|0x0001" << 3 << true << true;
  QTest::newRow("FEC Outer clears the marker") << c << "L4" << 0 << "0x0002|0x0003|0x0001" << -1 << true << false;
  QTest::newRow("FEC Inner leaves sorted rows") << c << "L0 L7" << 0 << "0x0003|0x0002|0x0001" << -1 << false << true;
  QTest::newRow("after clearing, TS-ID ascends") << c << "L4 L0" << 0 << "0x0001|0x0002|0x0003" << 0 << true << true;
  QTest::newRow("middle button sorts") << c << "M0" << 0 << "0x0003|0x0002|0x0001" << 0 << false << true;
  QTest::newRow("right button does nothing") << c << "R0 R3" << 0 << "0x0002|0x0003|0x0001" << 0 << true << false;
  QTest::newRow("Org ID, equal keys keep their rows") << c << "L2" << 0 << "0x0001|0x0002|0x0003" << 2 << true << true;
  QTest::newRow("Modulation") << c << "L5 L5" << 0 << "0x0003|0x0002|0x0001" << 5 << false << true;
  QTest::newRow("Symbolrate: 6.9 and 6.875 are equal") << c << "L6 L6" << 0 << "0x0002|0x0003|0x0001" << 6 << false << true;
  // Terrestrial rows: TS-ID 2, 3, 1.
  const QString t = "vtTerrestDescr";
  QTest::newRow("terrestrial TS-ID") << t << "L0" << 0 << "0x0003|0x0002|0x0001" << 0 << false << true;
  QTest::newRow("terrestrial Bandbreite clears") << t << "L0 L4" << 0 << "0x0003|0x0002|0x0001" << -1 << false << true;
  QTest::newRow("terrestrial TSI and TransMode do not sort") << t << "L6 L13" << 0 << "0x0002|0x0003|0x0001" << -1
                                                         << true << false;
  // Services: names "\x86zdf", "ARD", "arte"; channel numbers 2, -1, 1; visible yes, no, yes.
  const QString s = "vtServices";
  QTest::newRow("services by name, descending first") << s << "L0" << 0 << "zdf|arte|ARD" << 0 << false << false;
  QTest::newRow("services by name, ascending") << s << "L0 L0" << 0 << "ARD|arte|zdf" << 0 << true << false;
  QTest::newRow("services by channel number, -1 last") << s << "L3" << 3 << "1|2|-1" << 3 << true << false;
  QTest::newRow("services by channel number, -1 last descending") << s << "L3 L3" << 3 << "2|1|-1" << 3 << false << false;
  QTest::newRow("services visible first") << s << "L2" << 0 << "zdf|arte|ARD" << 2 << true << false;
}

void EditGridsTest::headerClicks() {
  QFETCH(QString, grid);
  QFETCH(QString, clicks);
  QFETCH(int, keyColumn);
  QFETCH(QString, shown);
  QFETCH(int, marker);
  QFETCH(bool, ascending);
  QFETCH(bool, modified);
  SetTerrestrial(grid == "vtTerrestDescr");
  const uint16_t tsids[] = {2, 3, 1};
  const uint16_t onids[] = {5, 5, 1};
  const long double freqs[] = {354, 346, 362};
  const uint8_t modus[] = {3, 5, 1};
  const long double rates[] = {6.9L, 6.875L, 5.0L};
  for (int i = 0; i < 3; ++i) {
    TTransportStreamData& r = AddStream(i == 0 ? 3 : 0);
    r.SetTSID(tsids[i]);
    r.SetOrgNetID(onids[i]);
    r.SetFreq(freqs[i]);
    if (auto* cable = dynamic_cast<TCableDescrData*>(&r)) {
      cable->SetModu(modus[i]);
      cable->SetSymbRate(rates[i]);
    }
  }
  TGridView* streams = Grid(grid == "vtTerrestDescr" ? "vtTerrestDescr" : "vtCableDescr");
  streams->setCurrentIndex(streams->model()->index(0, 0));
  TServiceList& services = E().Stream(0)->ServiceList();
  const char16_t* names[] = {u"\u0086zdf", u"ARD", u"arte"};
  for (int i = 0; i < 3; ++i) {
    services[i]->SetServiceName(names[i]);
    services[i]->SetLogicalNumber(i == 0 ? 2 : i == 1 ? -1 : 1);
    services[i]->SetVisible(i != 1);
  }
  TGridView* view = Grid(grid);
  view->GridModel()->Reload();
  E().ResetModified();

  for (const QString& click : clicks.split(' ', Qt::SkipEmptyParts)) {
    const Qt::MouseButton button = click[0] == 'L' ? Qt::LeftButton : click[0] == 'M' ? Qt::MiddleButton : Qt::RightButton;
    ClickHeader(view, click.mid(1).toInt(), button);
  }
  QCOMPARE(ColumnTexts(view, keyColumn).join('|'), shown);
  QHeaderView* header = view->horizontalHeader();
  QCOMPARE(header->sortIndicatorSection(), marker);
  if (marker >= 0) QCOMPARE(header->sortIndicatorOrder(), ascending ? Qt::AscendingOrder : Qt::DescendingOrder);

  // The records keep their order, which the NIT follows; a stream grid's row order is
  // the project's and counts as a change.
  if (grid != "vtServices") {
    for (size_t i = 0; i < 3; ++i) QCOMPARE(E().Stream(i)->TSID(), tsids[i]);
    std::vector<int32_t> rows;
    for (int row = 0; row < 3; ++row) rows.push_back(streams->GridModel()->RecordAt(row));
    QCOMPARE(rows, E().RowOrder());
  } else {
    QVERIFY(services[0]->ServiceName() == u"\u0086zdf");
  }
  QCOMPARE(E().Modified(), modified);
}

void EditGridsTest::sortingKeepsTheFocusedStream() {
  for (uint16_t ts : {2, 3, 1}) AddStream(ts).SetTSID(ts);
  TGridView* streams = Grid("vtCableDescr");
  TGridView* services = Grid("vtServices");
  streams->setCurrentIndex(streams->model()->index(1, 0));  // TS-ID 3, three services
  for (int i = 0; i < 3; ++i) E().Stream(1)->ServiceList()[static_cast<size_t>(i)]->SetServiceID(static_cast<uint16_t>(0x10 + i));
  services->GridModel()->Refresh();
  ClickHeader(services, 1);
  ClickHeader(services, 1);  // services by id, descending
  QCOMPARE(ColumnTexts(services, 1), (QStringList{"0x0012", "0x0011", "0x0010"}));

  ClickHeader(streams, 0);  // descending: 3, 2, 1
  QCOMPARE(streams->CurrentRecord(), 1);
  QCOMPARE(streams->currentIndex().row(), 0);
  QCOMPARE(E().SelectedRow(), 1);
  // The same stream keeps the focus, so the services grid is not refilled.
  QCOMPARE(ColumnTexts(services, 1), (QStringList{"0x0012", "0x0011", "0x0010"}));
}

void EditGridsTest::focusRefillsTheServices() {
  TTransportStreamData& a = AddStream(2);
  TTransportStreamData& b = AddStream(3);
  for (size_t i = 0; i < 2; ++i) a.ServiceList()[i]->SetServiceID(static_cast<uint16_t>(0xA0 + i));
  for (size_t i = 0; i < 3; ++i) b.ServiceList()[i]->SetServiceID(static_cast<uint16_t>(0xB0 + i));
  TGridView* streams = Grid("vtCableDescr");
  TGridView* services = Grid("vtServices");
  ClickHeader(services, 1);
  ClickHeader(services, 1);  // descending
  QCOMPARE(ColumnTexts(services, 1), (QStringList{"0x00B2", "0x00B1", "0x00B0"}));

  ClickRow(streams, 0);
  QCOMPARE(ColumnTexts(services, 1), (QStringList{"0x00A0", "0x00A1"}));  // list order after a refill
  QVERIFY(Child<QWidget>(frame.get(), "sbDelCableServiceEntry")->isEnabled());
  QTest::keyClick(streams, Qt::Key_Down);
  QCOMPARE(streams->CurrentRecord(), 1);
  QCOMPARE(ColumnTexts(services, 1), (QStringList{"0x00B0", "0x00B1", "0x00B2"}));
  QCOMPARE(E().SelectedRow(), 1);

  // A stream without services: an empty grid and no service delete button.
  AddStream(0);
  QCOMPARE(services->model()->rowCount(), 0);
  QVERIFY(!Child<QWidget>(frame.get(), "sbDelCableServiceEntry")->isEnabled());
  QVERIFY(Child<QWidget>(frame.get(), "sbAddCableServiceEntry")->isEnabled());
}

// ---------------------------------------------------------------- columns shown

void EditGridsTest::columnVisibility() {
  for (const char* grid : {"vtCableDescr", "vtTerrestDescr"}) QVERIFY(Grid(grid)->isColumnHidden(1));
  TGridView* services = Grid("vtServices");
  auto hd = [&] { return !services->isColumnHidden(4); };
  auto lists = [&] { return !services->isColumnHidden(5); };
  auto* lcds = Child<QCheckBox>(frame.get(), "cbAddLCDs");
  auto* hdBox = Child<QCheckBox>(frame.get(), "cbAddHDSimulLCN");
  // Shown at start although the option is off; afterwards it follows the option.
  QVERIFY(hd());
  QVERIFY(!lists());
  lcds->click();
  QVERIFY(hd());
  hdBox->click();
  QVERIFY(hd());
  hdBox->click();
  QVERIFY(!hd());
  hdBox->click();
  QVERIFY(hd());
  lcds->click();  // takes the HD option with it
  QVERIFY(!hdBox->isChecked());
  QVERIFY(!hd());

  for (auto [button, shown] : {std::pair{"rbUseNorDigV2", true}, std::pair{"rbUseITC", false},
                               std::pair{"rbUseNorDigV2", true}, std::pair{"rbUseNorDigV1", false},
                               std::pair{"rbUseNorDigV2", true}, std::pair{"rbUseEACEM", false}}) {
    Click(frame.get(), button);
    QCOMPARE(lists(), shown);
  }
}

void EditGridsTest::cellEditsMarkTheProjectModified() {
  AddStream(1);
  struct Edit {
    const char* grid;
    int column;
    const char* text;
    bool modifies;
  } const edits[] = {
      {"vtCableDescr", 0, "0x0000", false},  // unchanged
      {"vtCableDescr", 0, "0", false},       // refused
      {"vtCableDescr", 0, "0x0101", true},   {"vtCableDescr", 3, "330", true},
      {"vtServices", 0, "Eins", true},        {"vtServices", 0, "Eins", false},
      {"vtServices", 3, "16384", false},      {"vtServices", 3, "1", true},
  };
  for (const Edit& e : edits) {
    E().ResetModified();
    QVERIFY(TypeIntoCell(Grid(e.grid), 0, e.column, e.text));
    QVERIFY2(frame->Modified() == e.modifies, e.text);
  }
}

// With real message boxes: the editor losing its focus to the box must not commit the
// refused text a second time.
void EditGridsTest::aRefusalShowsOneMessageBox() {
  AddStream();
  TQtDialogs boxes;
  ScopedDialogs real(boxes);
  QStringList shown;
  QTimer closer;
  connect(&closer, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown << box->text();
      box->done(QMessageBox::Ok);
    }
  });
  closer.start(10);
  QVERIFY(TypeIntoCell(Grid("vtCableDescr"), 0, 0, "0"));
  QTest::qWait(100);
  QCOMPARE(shown, QStringList{kInvalidPID});
  QCOMPARE(E().Stream(0)->TSID(), 0);
}

void EditGridsTest::languageSwitch() {
  const std::filesystem::path file = program->Path() / "quillon.sil";
  test::WriteTextFile(file,
                      "[Languages]\n1=German\n2=English\n[English]\n"
                      "TTableEditFrame.vtServices.Columns=Name|SID|Visible|LCN|HD LCN|List\n"
                      "TTableEditFrame.strsVisible=Yes\nTTableEditFrame.strsNotVisible=No\n"
                      "TTableEditFrame.strsInvalidNr=Bad number\n");
  AddStream(1);
  TGridView* services = Grid("vtServices");
  TLangDispatcher& lang = TLangDispatcher::Instance();
  lang.LoadFile(file);
  lang.SetActiveIndex(2);
  QAbstractItemModel* m = services->model();
  QCOMPARE(m->headerData(3, Qt::Horizontal).toString(), QString("LCN"));
  QCOMPARE(Grid("vtCableDescr")->model()->headerData(3, Qt::Horizontal).toString(), QString("Frequenz"));
  QCOMPARE(CellText(services, 0, 2), QString("Yes"));
  QCOMPARE(m->index(0, 2).data(TGridModel::PickTextsRole).toStringList(), (QStringList{"No", "Yes"}));
  QVERIFY(PickInCell(services, 0, 2, 0));
  QVERIFY(!E().Stream(0)->ServiceList()[0]->Visible());
  QVERIFY(TypeIntoCell(services, 0, 3, "-1"));
  QCOMPARE(Boxes(), QStringList{"Bad number"});

  lang.SetActiveIndex(1);
  QCOMPARE(m->headerData(3, Qt::Horizontal).toString(), QString("Kanal Nummer"));
  QCOMPARE(CellText(services, 0, 2), QString("Nein"));
  lang.LoadFile(program->Path() / "none.sil");
}

QTEST_MAIN(EditGridsTest)
#include "edit_grids_test.moc"
