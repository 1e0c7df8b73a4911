// The editor panel over its core: defaults, what each widget changes in the core, the
// button rules of the NIT-Editor page, the export button, the network-type switch, the
// preview page, and a save and load through the panel.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <memory>

#include "core/basic_table.h"
#include "editor/ui/table_edit_frame.h"
#include "platform/dialogs.h"
#include "platform/language.h"
#include "platform/stream.h"
#include "support/gui_fixture.h"
#include "support/test_util.h"
#include "viewer/ui/table_tree_form.h"
#include "viewer/ui/table_tree_model.h"
#include "widgets/file_dialogs.h"
#include "widgets/radio_group.h"

using namespace quillon;
using quillon::test::Child;
using quillon::test::Click;
using quillon::test::TypeInto;

namespace {

constexpr const char* kNoDelEntrySelected = "Kein Eintrag zum Löschen markiert!";

int SectionsOfTable0(TNitEditor& e) { return e.NIT().GetTable(0)->Sections(); }

struct TypeNames {
  const char* streams;
  const char* addStream;
  const char* delStream;
  const char* addService;
  const char* delService;
};

const TypeNames kCable{"vtCableDescr", "sbAddCDDEntry", "sbDelCDDEntry", "sbAddCableServiceEntry",
                       "sbDelCableServiceEntry"};
const TypeNames kTerrestrial{"vtTerrestDescr", "sbAddTDDEntry", "sbDelTDDEntry", "sbAddTerrestServiceEntry",
                             "sbDelTerrestServiceEntry"};

}  // namespace

class TableEditFrameTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void defaults_data();
  void defaults();
  void exportTargetSetsCaptionAndAddressField_data();
  void exportTargetSetsCaptionAndAddressField();
  void entryFieldsWriteTheCore();
  void optionBoxes();
  void variantButtons_data();
  void variantButtons();
  void streamAndServiceButtons_data();
  void streamAndServiceButtons();
  void deleteWithoutFocusedRow();
  void servicePresets_data();
  void servicePresets();
  void networkTypeSwitchClearsTheProject();
  void openingThePreviewBuildsTheNit();
  void stoppedBuildKeepsThePreview();
  void exportToFile();
  void exportCancelledAndModulatorWithoutAddress();
  void closeButtonCallsCloseProc();
  void saveAndLoadKeepWidgetValues();
  void loadingATerrestrialBlockSwitchesTheLayout();
  void languageSwitchReappliesTexts();

 private:
  TTableEditFrame& NewFrame();
  QWidget* W(const char* name) { return Child(frame.get(), name); }
  QListWidget* List(const char* name) { return Child<QListWidget>(frame.get(), name); }
  bool Enabled(const char* name) { return W(name)->isEnabled(); }
  TTableTreeModel* Tree() { return Child<TPSISITableTreeForm>(frame.get(), "FNITTree")->Model(); }
  QRadioButton* TypeItem(int i) { return Child<TRadioGroup>(frame.get(), "rgNetworkType")->Item(i); }

  std::unique_ptr<test::TempDir> program;
  RecordingDialogs dialogs;
  std::unique_ptr<ScopedDialogs> scopedDialogs;
  ScriptedFileDialogs files;
  std::unique_ptr<ScopedFileDialogs> scopedFiles;
  std::unique_ptr<TTableEditFrame> frame;
  QStringList status;
  int closeCalls = 0;
};

TTableEditFrame& TableEditFrameTest::NewFrame() {
  frame = std::make_unique<TTableEditFrame>(TProgramPaths{program->Path(), "quillon"});
  frame->StatusProc = [this](const QString& s) { status << s; };
  frame->CloseProc = [this] { ++closeCalls; };
  frame->show();
  return *frame;
}

void TableEditFrameTest::init() {
  program = std::make_unique<test::TempDir>();
  dialogs = RecordingDialogs();
  scopedDialogs = std::make_unique<ScopedDialogs>(dialogs);
  files = ScriptedFileDialogs();
  scopedFiles = std::make_unique<ScopedFileDialogs>(files);
  status.clear();
  closeCalls = 0;
  NewFrame();
}

void TableEditFrameTest::cleanup() {
  frame.reset();
  scopedFiles.reset();
  scopedDialogs.reset();
  program.reset();
}

// ---------------------------------------------------------------- defaults

void TableEditFrameTest::defaults_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("property");
  QTest::addColumn<QVariant>("value");
  auto row = [](const char* name, const char* property, QVariant value) {
    QTest::addRow("%s.%s", name, property) << name << property << value;
  };
  row("rgNetworkType", "title", "Netzwerk Typ");
  row("GroupBox1", "title", "Network Information Table");
  row("neNITVerNr", "value", 1);
  row("neNITVerNr", "maximum", 31);
  row("edtNetworkName", "text", "Zarem Network");
  row("bheNetID", "text", "0x0000");
  row("cbAddSLDs", "checked", false);
  row("cbAddLCDs", "text", "Logical Channel Deskriptoren hinzufügen");
  row("cbAddHDSimulLCN", "enabled", false);
  row("GroupBox7", "visible", false);
  row("btnMakeTables", "text", "Tabellen erzeugen");
  row("gbExport", "title", "Export NIT");
  row("rbBrava", "checked", true);
  row("rbMerlo_A", "text", "Merlo - Kanal A");
  row("IPHostMerlo", "visible", false);
  row("btnExportNIT", "text", "Export");
  row("gbCDD", "title", "Cable Delivery Descriptors");
  row("gbTDD", "title", "Terrestrial Delivery Descriptors");
  row("GroupBox4", "title", "Erweiterte Service Sortierung");
  row("rbUseEACEM", "checked", true);
  row("rbUseNorDigV2", "text", "NorDig LCN Version 2");
  row("btnChLists", "text", "Listen");
  row("btnChLists", "enabled", false);
  row("rbServiceTV", "checked", true);
  row("rbServiceOther", "text", "Andere:");
  row("cbServiceOther", "enabled", false);
  row("cbServiceOther", "currentText", "0x01 Digital Television Service");
  row("cbServiceOther", "count", 20);
  row("sbClose", "enabled", true);
}

void TableEditFrameTest::defaults() {
  QFETCH(QString, name);
  QFETCH(QString, property);
  QFETCH(QVariant, value);
  if (property == "visible") {
    QCOMPARE(!W(qPrintable(name))->isHidden(), value.toBool());
    return;
  }
  QVariant actual = W(qPrintable(name))->property(qPrintable(property));
  QVERIFY2(actual.isValid(), "no such property");
  QCOMPARE(actual.toString(), value.toString());
}

// ---------------------------------------------------------------- export target

void TableEditFrameTest::exportTargetSetsCaptionAndAddressField_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<int>("target");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<bool>("addressShown");
  QTest::newRow("Merlo A") << "rbMerlo_A" << int(TExportTarget::MerloA) << "Transmit" << true;
  QTest::newRow("Merlo B") << "rbMerlo_B" << int(TExportTarget::MerloB) << "Transmit" << true;
  QTest::newRow("Brava") << "rbBrava" << int(TExportTarget::Brava) << "Export" << false;
}

void TableEditFrameTest::exportTargetSetsCaptionAndAddressField() {
  QFETCH(QString, button);
  QFETCH(int, target);
  QFETCH(QString, caption);
  QFETCH(bool, addressShown);
  // From the other kind of target, so both directions of the switch are seen.
  Click(frame.get(), addressShown ? "rbBrava" : "rbMerlo_B");
  Click(frame.get(), qPrintable(button));
  QCOMPARE(int(frame->Editor().ExportTarget()), target);
  QCOMPARE(Child<QPushButton>(frame.get(), "btnExportNIT")->text(), caption);
  QCOMPARE(W("IPHostMerlo")->isVisible(), addressShown);
  // The export target is not part of the project.
  QVERIFY(!frame->Modified());
}

// ---------------------------------------------------------------- first page

void TableEditFrameTest::entryFieldsWriteTheCore() {
  TNitEditor& e = frame->Editor();
  TypeInto(Child<QLineEdit>(frame.get(), "bheNetID"), "0x1F2");
  QCOMPARE(e.NetworkID(), uint16_t{0x1F2});
  QVERIFY(e.Modified());
  e.ResetModified();

  TypeInto(Child<QLineEdit>(frame.get(), "bheNetID"), "0x12345");
  QCOMPARE(e.NetworkID(), uint16_t{0x1F2});
  QVERIFY(!e.Modified());
  QCOMPARE(dialogs.Texts(), std::vector<std::string>{"Wert außerhalb des Bereichs!"});

  TypeInto(Child<QSpinBox>(frame.get(), "neNITVerNr"), "17");
  QCOMPARE(e.VersionNumber(), uint8_t{17});
  QVERIFY(e.Modified());
  e.ResetModified();

  TypeInto(Child<QLineEdit>(frame.get(), "edtNetworkName"), "Netz Süd");
  QCOMPARE(QString::fromStdU16String(e.NetworkName()), QString("Netz Süd"));
  QVERIFY(e.Modified());
  e.ResetModified();

  // The modulator address is a setting, not part of the project.
  Click(frame.get(), "rbMerlo_A");
  TypeInto(Child<QLineEdit>(frame.get(), "IPHostMerlo"), "127.0.0.1");
  QCOMPARE(e.ModulatorAddress(), std::string("127.0.0.1"));
  QVERIFY(!e.Modified());
}

void TableEditFrameTest::optionBoxes() {
  TNitEditor& e = frame->Editor();
  auto* lcd = Child<QCheckBox>(frame.get(), "cbAddLCDs");
  auto* hd = Child<QCheckBox>(frame.get(), "cbAddHDSimulLCN");
  Click(frame.get(), "cbAddSLDs");
  QVERIFY(e.AddSLDs());
  QVERIFY(e.Modified());

  Click(frame.get(), "cbAddLCDs");
  QVERIFY(e.AddLCDs());
  QVERIFY(hd->isEnabled());
  Click(frame.get(), "cbAddHDSimulLCN");
  QVERIFY(e.AddHDSimulLCN());

  // Turning the logical channel descriptors off takes the HD option with it.
  Click(frame.get(), "cbAddLCDs");
  QVERIFY(!lcd->isChecked());
  QVERIFY(!hd->isEnabled());
  QVERIFY(!hd->isChecked());
  QVERIFY(!e.AddHDSimulLCN());
}

void TableEditFrameTest::variantButtons_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<int>("variant");
  QTest::addColumn<bool>("listsEnabled");
  QTest::newRow("NorDig V2") << "rbUseNorDigV2" << int(TLcnVariant::NorDigV2) << true;
  QTest::newRow("NorDig V1") << "rbUseNorDigV1" << int(TLcnVariant::NorDigV1) << false;
  QTest::newRow("ITC") << "rbUseITC" << int(TLcnVariant::ITC) << false;
  QTest::newRow("EACEM") << "rbUseEACEM" << int(TLcnVariant::EACEM) << false;
}

void TableEditFrameTest::variantButtons() {
  QFETCH(QString, button);
  QFETCH(int, variant);
  QFETCH(bool, listsEnabled);
  Click(frame.get(), listsEnabled ? "rbUseEACEM" : "rbUseNorDigV2");
  frame->Editor().ResetModified();
  Click(frame.get(), qPrintable(button));
  QCOMPARE(int(frame->Editor().Variant()), variant);
  QCOMPARE(Enabled("btnChLists"), listsEnabled);
  QVERIFY(frame->Modified());
}

// ---------------------------------------------------------------- NIT-Editor page

void TableEditFrameTest::streamAndServiceButtons_data() {
  QTest::addColumn<bool>("terrestrial");
  QTest::newRow("cable") << false;
  QTest::newRow("terrestrial") << true;
}

void TableEditFrameTest::streamAndServiceButtons() {
  QFETCH(bool, terrestrial);
  const TypeNames& n = terrestrial ? kTerrestrial : kCable;
  TNitEditor& e = frame->Editor();
  if (terrestrial) TypeItem(1)->click();
  QCOMPARE(e.NetworkType(), terrestrial ? TNetworkType::Terrestrial : TNetworkType::Cable);
  frame->PageControl1()->setCurrentIndex(1);
  e.ResetModified();

  auto buttons = [&] {
    return QList<bool>{Enabled(n.addStream), Enabled(n.delStream), Enabled(n.addService), Enabled(n.delService)};
  };
  QCOMPARE(buttons(), (QList<bool>{true, false, false, false}));

  // A new row goes to the end without taking the focus.
  Click(frame.get(), n.addStream);
  Click(frame.get(), n.addStream);
  QCOMPARE(e.StreamCount(), size_t{2});
  QCOMPARE(List(n.streams)->count(), 2);
  QVERIFY(e.Modified());
  QCOMPARE(buttons(), (QList<bool>{true, false, false, false}));

  List(n.streams)->setCurrentRow(1);
  QCOMPARE(buttons(), (QList<bool>{true, true, true, false}));

  e.ResetModified();
  Click(frame.get(), n.addService);
  Click(frame.get(), n.addService);
  QCOMPARE(e.Stream(1)->ServiceList().size(), size_t{2});
  QCOMPARE(e.Stream(0)->ServiceList().size(), size_t{0});
  QCOMPARE(List("vtServices")->count(), 2);
  QVERIFY(e.Modified());
  QCOMPARE(buttons(), (QList<bool>{true, true, true, true}));

  // The services shown follow the focused stream.
  List(n.streams)->setCurrentRow(0);
  QCOMPARE(List("vtServices")->count(), 0);
  QCOMPARE(buttons(), (QList<bool>{true, true, true, false}));
  List(n.streams)->setCurrentRow(1);
  QCOMPARE(List("vtServices")->count(), 2);

  List("vtServices")->setCurrentRow(0);
  Click(frame.get(), n.delService);
  List("vtServices")->setCurrentRow(0);
  Click(frame.get(), n.delService);
  QCOMPARE(e.Stream(1)->ServiceList().size(), size_t{0});
  QCOMPARE(buttons(), (QList<bool>{true, true, true, false}));

  // Deleting the focused stream leaves no row focused.
  Click(frame.get(), n.delStream);
  QCOMPARE(e.StreamCount(), size_t{1});
  QCOMPARE(List(n.streams)->count(), 1);
  QCOMPARE(buttons(), (QList<bool>{true, false, false, false}));
  QVERIFY(dialogs.shown.empty());
}

void TableEditFrameTest::deleteWithoutFocusedRow() {
  TNitEditor& e = frame->Editor();
  frame->PageControl1()->setCurrentIndex(1);
  Click(frame.get(), "sbAddCDDEntry");
  List("vtCableDescr")->setCurrentRow(0);
  Click(frame.get(), "sbAddCableServiceEntry");
  QVERIFY(Enabled("sbDelCableServiceEntry"));
  // The stream has services but none of them is focused.
  List("vtServices")->setCurrentRow(-1);
  Click(frame.get(), "sbDelCableServiceEntry");
  QCOMPARE(e.Stream(0)->ServiceList().size(), size_t{1});
  QCOMPARE(dialogs.shown.size(), size_t{1});
  QCOMPARE(dialogs.shown[0].kind, DialogKind::ErrorCancel);
  QCOMPARE(dialogs.shown[0].text, std::string(kNoDelEntrySelected));
}

void TableEditFrameTest::servicePresets_data() {
  QTest::addColumn<QString>("preset");
  QTest::addColumn<int>("otherIndex");
  QTest::addColumn<int>("serviceType");
  QTest::addColumn<bool>("otherEnabled");
  QTest::newRow("TV") << "rbServiceTV" << 3 << 0x01 << false;
  QTest::newRow("Radio") << "rbServiceRadio" << 3 << 0x02 << false;
  QTest::newRow("Daten") << "rbServiceData" << 3 << 0x0C << false;
  QTest::newRow("Andere, first entry") << "rbServiceOther" << 0 << 0x01 << true;
  QTest::newRow("Andere, Teletext") << "rbServiceOther" << 2 << 0x03 << true;
  QTest::newRow("Andere, MPEG-2 HD") << "rbServiceOther" << 13 << 0x11 << true;
  QTest::newRow("Andere, last entry") << "rbServiceOther" << 19 << 0x1B << true;
}

void TableEditFrameTest::servicePresets() {
  QFETCH(QString, preset);
  QFETCH(int, otherIndex);
  QFETCH(int, serviceType);
  QFETCH(bool, otherEnabled);
  TNitEditor& e = frame->Editor();
  frame->PageControl1()->setCurrentIndex(1);
  Click(frame.get(), "sbAddCDDEntry");
  List("vtCableDescr")->setCurrentRow(0);
  Child<QComboBox>(frame.get(), "cbServiceOther")->setCurrentIndex(otherIndex);
  e.ResetModified();
  Click(frame.get(), qPrintable(preset));
  QCOMPARE(Enabled("cbServiceOther"), otherEnabled);
  QVERIFY(!e.Modified());
  Click(frame.get(), "sbAddCableServiceEntry");
  QCOMPARE(int(e.Stream(0)->ServiceList().at(0)->ServiceType()), serviceType);
}

void TableEditFrameTest::networkTypeSwitchClearsTheProject() {
  TNitEditor& e = frame->Editor();
  auto item = [this](int i) { return TypeItem(i); };
  frame->PageControl1()->setCurrentIndex(1);
  Click(frame.get(), "sbAddCDDEntry");
  List("vtCableDescr")->setCurrentRow(0);
  Click(frame.get(), "sbAddCableServiceEntry");
  frame->PageControl1()->setCurrentIndex(2);
  QVERIFY(SectionsOfTable0(e) > 0);
  frame->PageControl1()->setCurrentIndex(1);
  e.ResetModified();

  item(1)->click();
  QCOMPARE(e.NetworkType(), TNetworkType::Terrestrial);
  QCOMPARE(e.CableEntryList().size(), size_t{0});
  QCOMPARE(e.StreamCount(), size_t{0});
  QCOMPARE(SectionsOfTable0(e), 0);
  QCOMPARE(List("vtCableDescr")->count(), 0);
  QCOMPARE(List("vtServices")->count(), 0);
  QVERIFY(e.Modified());
  QVERIFY(dialogs.shown.empty());
  for (const char* shown : {"gbTDD", "sbAddTerrestServiceEntry", "sbDelTerrestServiceEntry"})
    QVERIFY2(W(shown)->isVisible(), shown);
  for (const char* hidden : {"gbCDD", "sbAddCableServiceEntry", "sbDelCableServiceEntry"})
    QVERIFY2(!W(hidden)->isVisible(), hidden);
  QVERIFY(!Enabled("sbDelTDDEntry"));
  QVERIFY(!Enabled("sbAddTerrestServiceEntry"));

  // Picking the type already shown changes nothing.
  Click(frame.get(), "sbAddTDDEntry");
  e.ResetModified();
  item(1)->click();
  QCOMPARE(e.StreamCount(), size_t{1});
  QVERIFY(!e.Modified());

  item(0)->click();
  QCOMPARE(e.NetworkType(), TNetworkType::Cable);
  QCOMPARE(e.TerrestrialEntryList().size(), size_t{0});
  QVERIFY(W("gbCDD")->isVisible());
  QVERIFY(!W("gbTDD")->isVisible());
}

// ---------------------------------------------------------------- preview and export

void TableEditFrameTest::openingThePreviewBuildsTheNit() {
  TNitEditor& e = frame->Editor();
  QCOMPARE(Tree()->rowCount(), 0);
  frame->PageControl1()->setCurrentIndex(1);
  Click(frame.get(), "sbAddCDDEntry");
  Click(frame.get(), "sbAddCDDEntry");
  QCOMPARE(SectionsOfTable0(e), 0);
  frame->PageControl1()->setCurrentIndex(2);
  QCOMPARE(SectionsOfTable0(e), 1);
  QCOMPARE(Tree()->rowCount(), 1);
  QModelIndex section = Tree()->index(0, 0, Tree()->index(0, 0));
  QCOMPARE(section.data().toString(), QString("Network Information Section No. 0"));
  QCOMPARE(Child<TPSISITableTreeForm>(frame.get(), "FNITTree")->parentWidget(), W("tsNIT"));
  QVERIFY(W("FNITTree")->isVisible());
}

void TableEditFrameTest::stoppedBuildKeepsThePreview() {
  TNitEditor& e = frame->Editor();
  frame->PageControl1()->setCurrentIndex(2);
  QCOMPARE(Tree()->rowCount(), 1);
  // 86 services make a service list descriptor longer than 255 bytes.
  size_t stream = e.AddStream();
  for (int i = 0; i < 86; ++i) e.AddService(stream, 0x01);
  e.SetAddSLDs(true);
  frame->PageControl1()->setCurrentIndex(0);
  frame->PageControl1()->setCurrentIndex(2);
  QCOMPARE(SectionsOfTable0(e), 0);
  QCOMPARE(dialogs.shown.size(), size_t{1});
  QCOMPARE(Tree()->rowCount(), 1);

  // A type switch empties it.
  frame->PageControl1()->setCurrentIndex(0);
  TypeItem(1)->click();
  QCOMPARE(Tree()->rowCount(), 0);
}

void TableEditFrameTest::exportToFile() {
  TNitEditor& e = frame->Editor();
  const std::filesystem::path target = program->Path() / "out" / "netz.nit";
  std::filesystem::create_directories(target.parent_path());
  files.answers.push_back(QString::fromStdString(target.string()));
  Click(frame.get(), "btnExportNIT");

  QCOMPARE(files.asked.size(), size_t{1});
  const TFileDialogOptions& o = files.asked[0];
  QCOMPARE(o.Title, QString("NIT exportieren ..."));
  QCOMPARE(o.Filter, QString("NIT-Datei (*.nit);;Alle Dateien (*.*)"));
  QCOMPARE(o.DefaultSuffix, QString("nit"));
  QVERIFY(o.ConfirmOverwrite);
  QCOMPARE(o.Folder, QString::fromStdString(e.Paths().DataFolder().string()));
  QVERIFY(std::filesystem::is_directory(e.Paths().DataFolder()));

  QCOMPARE(status, QStringList{"Exportieren der NIT beendet"});
  QCOMPARE(std::filesystem::file_size(target), uintmax_t{188});
  QVERIFY(SectionsOfTable0(e) > 0);
  QVERIFY(!QGuiApplication::overrideCursor());
}

void TableEditFrameTest::exportCancelledAndModulatorWithoutAddress() {
  Click(frame.get(), "btnExportNIT");  // the dialog is cancelled
  QCOMPARE(status, QStringList{""});

  Click(frame.get(), "rbMerlo_B");
  TypeInto(Child<QLineEdit>(frame.get(), "IPHostMerlo"), "0.0.0.0");
  Click(frame.get(), "btnExportNIT");
  QCOMPARE(status, (QStringList{"", "Fehler beim Exportieren der NIT"}));
  QCOMPARE(files.asked.size(), size_t{1});
  QVERIFY(!QGuiApplication::overrideCursor());
}

void TableEditFrameTest::closeButtonCallsCloseProc() {
  Click(frame.get(), "sbClose");
  QCOMPARE(closeCalls, 1);
}

// ---------------------------------------------------------------- project block

void TableEditFrameTest::saveAndLoadKeepWidgetValues() {
  TNitEditor& e = frame->Editor();
  TypeItem(1)->click();
  TypeInto(Child<QLineEdit>(frame.get(), "edtNetworkName"), "Netz West");
  TypeInto(Child<QLineEdit>(frame.get(), "bheNetID"), "0xBEEF");
  TypeInto(Child<QSpinBox>(frame.get(), "neNITVerNr"), "9");
  Click(frame.get(), "cbAddLCDs");
  Click(frame.get(), "cbAddHDSimulLCN");
  Click(frame.get(), "rbUseNorDigV2");
  frame->PageControl1()->setCurrentIndex(1);
  Click(frame.get(), "sbAddTDDEntry");
  Click(frame.get(), "sbAddTDDEntry");
  e.Stream(1)->SetTSID(0x22);
  QVERIFY(frame->Modified());

  TMemoryStream stream;
  QVERIFY(frame->SaveConfiguration(&stream));
  QVERIFY(!frame->Modified());

  NewFrame();
  stream.Seek(0);
  QVERIFY(frame->LoadConfiguration(&stream, 2, 2));
  QVERIFY(!frame->Modified());
  QVERIFY(TypeItem(1)->isChecked());
  QCOMPARE(Child<QLineEdit>(frame.get(), "edtNetworkName")->text(), QString("Netz West"));
  QCOMPARE(Child<QLineEdit>(frame.get(), "bheNetID")->text(), QString("0xBEEF"));
  QCOMPARE(Child<QSpinBox>(frame.get(), "neNITVerNr")->value(), 9);
  QVERIFY(Child<QCheckBox>(frame.get(), "cbAddLCDs")->isChecked());
  QVERIFY(Child<QCheckBox>(frame.get(), "cbAddHDSimulLCN")->isChecked());
  QVERIFY(Child<QCheckBox>(frame.get(), "cbAddHDSimulLCN")->isEnabled());
  QVERIFY(!Child<QCheckBox>(frame.get(), "cbAddSLDs")->isChecked());
  QVERIFY(Child<QRadioButton>(frame.get(), "rbUseNorDigV2")->isChecked());
  QVERIFY(Enabled("btnChLists"));
  QCOMPARE(List("vtTerrestDescr")->count(), 2);
  QVERIFY(List("vtTerrestDescr")->item(1)->text().contains("0x0022"));
  QCOMPARE(frame->Editor().NetworkID(), uint16_t{0xBEEF});
}

void TableEditFrameTest::loadingATerrestrialBlockSwitchesTheLayout() {
  TMemoryStream stream;
  {
    TNitEditor source(TProgramPaths{program->Path(), "quillon"});
    source.SetNetworkType(TNetworkType::Terrestrial);
    source.AddStream();
    source.SaveConfiguration(&stream);
  }
  frame->PageControl1()->setCurrentIndex(2);
  QCOMPARE(Tree()->rowCount(), 1);
  frame->PageControl1()->setCurrentIndex(1);
  Click(frame.get(), "sbAddCDDEntry");
  stream.Seek(0);
  QVERIFY(frame->LoadConfiguration(&stream, 2, 2));
  // The stored table has no packets: the preview is empty until the next build.
  QCOMPARE(Tree()->rowCount(), 0);
  QVERIFY(W("gbTDD")->isVisible());
  QVERIFY(!W("gbCDD")->isVisible());
  QCOMPARE(List("vtTerrestDescr")->count(), 1);
  QCOMPARE(List("vtCableDescr")->count(), 0);
  QVERIFY(!frame->Modified());
}

void TableEditFrameTest::languageSwitchReappliesTexts() {
  const std::filesystem::path file = program->Path() / "quillon.sil";
  test::WriteTextFile(file,
                      "[Languages]\n1=German\n2=English\n"
                      "[English]\n"
                      "TTableEditFrame.tsCommon.Caption=General\n"
                      "TTableEditFrame.cbAddSLDs.Caption=Add service list descriptors\n"
                      "TTableEditFrame.btnExportNIT.CaptionTransmit=Send\n"
                      "TTableEditFrame.strsExportError=Export failed\n");
  TLangDispatcher& lang = TLangDispatcher::Instance();
  lang.LoadFile(file);
  lang.SetActiveIndex(2);
  QCOMPARE(frame->PageControl1()->tabText(0), QString("General"));
  QCOMPARE(Child<QCheckBox>(frame.get(), "cbAddSLDs")->text(), QString("Add service list descriptors"));
  // Texts the English table lacks stay German.
  QCOMPARE(frame->PageControl1()->tabText(1), QString("NIT-Editor"));
  QCOMPARE(frame->Editor().Messages().Text(EditorMsg::strsExportError), std::string("Export failed"));
  Click(frame.get(), "rbMerlo_A");
  QCOMPARE(Child<QPushButton>(frame.get(), "btnExportNIT")->text(), QString("Send"));

  lang.SetActiveIndex(1);
  QCOMPARE(frame->PageControl1()->tabText(0), QString("Allgemein"));
  QCOMPARE(Child<QPushButton>(frame.get(), "btnExportNIT")->text(), QString("Transmit"));
  QCOMPARE(frame->Editor().Messages().Text(EditorMsg::strsExportError), std::string("Fehler beim Exportieren der NIT"));
}

QTEST_MAIN(TableEditFrameTest)
#include "table_edit_frame_test.moc"
