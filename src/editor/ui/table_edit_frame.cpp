#include "editor/ui/table_edit_frame.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QIcon>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <initializer_list>
#include <utility>
#include <vector>

#include "editor/edit_page.h"
#include "editor/ui/ch_list_form.h"
#include "editor/ui/grid_model.h"
#include "editor/ui/grid_view.h"
#include "editor/ui/nit_edit_grids.h"
#include "platform/language.h"
#include "viewer/ui/table_tree_form.h"
#include "widgets/busy_cursor.h"
#include "widgets/captions.h"
#include "widgets/entry_fields.h"
#include "widgets/file_dialogs.h"
#include "widgets/radio_group.h"

namespace quillon {

namespace {

constexpr TCaptionRow kCaptions[] = {
    {"tsCommon", "Caption", "Allgemein"},
    {"tsNITEdit", "Caption", "NIT-Editor"},
    {"tsNIT", "Caption", "NIT-Vorschau"},
    {"sbClose", "Hint", "Schließen"},
    // Allgemein
    {"GroupBox1", "Caption", "Network Information Table"},
    {"rgNetworkType", "Caption", "Netzwerk Typ"},
    {"rgNetworkType", "Items", "Kabel|Terrestrisch"},
    {"lblNITVerNr", "Caption", "Versionsnummer:"},
    {"lblNetworkName", "Caption", "Netzwerk-Name:"},
    {"lblNetID", "Caption", "Netzwerk-ID:"},
    {"cbAddSLDs", "Caption", "Service List Deskriptoren hinzufügen"},
    {"cbAddLCDs", "Caption", "Logical Channel Deskriptoren hinzufügen"},
    {"cbAddHDSimulLCN", "Caption", "HD Simulcast LC Deskriptoren hinzufügen"},
    {"GroupBox7", "Caption", "PSI/SI-Tabellen zur Vorschau erzeugen"},
    {"btnMakeTables", "Caption", "Tabellen erzeugen"},
    {"gbExport", "Caption", "Export NIT"},
    {"rbBrava", "Caption", "Brava Compact Headend"},
    {"rbMerlo_A", "Caption", "Merlo - Kanal A"},
    {"rbMerlo_B", "Caption", "Merlo - Kanal B"},
    {"lblIPHostMerlo", "Caption", "IP-Adresse:"},
    // NIT-Editor
    {"gbCDD", "Caption", "Cable Delivery Descriptors"},
    {"gbTDD", "Caption", "Terrestrial Delivery Descriptors"},
    {"sbAddCDDEntry", "Hint", "Transportstrom hinzufügen"},
    {"sbDelCDDEntry", "Hint", "Transportstrom löschen"},
    {"sbAddTDDEntry", "Hint", "Transportstrom hinzufügen"},
    {"sbDelTDDEntry", "Hint", "Transportstrom löschen"},
    {"GroupBox4", "Caption", "Erweiterte Service Sortierung"},
    {"rbUseEACEM", "Caption", "EACEM / IEC 62216-1"},
    {"rbUseITC", "Caption", "ITC"},
    {"rbUseNorDigV1", "Caption", "NorDig LCN Version 1"},
    {"rbUseNorDigV2", "Caption", "NorDig LCN Version 2"},
    {"btnChLists", "Caption", "Listen"},
    {"sbAddCableServiceEntry", "Hint", "Service hinzufügen"},
    {"sbDelCableServiceEntry", "Hint", "Service löschen"},
    {"sbAddTerrestServiceEntry", "Hint", "Service hinzufügen"},
    {"sbDelTerrestServiceEntry", "Hint", "Service löschen"},
    {"rbServiceTV", "Caption", "TV"},
    {"rbServiceRadio", "Caption", "Radio"},
    {"rbServiceData", "Caption", "Daten"},
    {"rbServiceOther", "Caption", "Andere:"},
};

// Texts that are no component's caption.
constexpr const char* kExportCaption = "btnExportNIT.Caption";
constexpr const char* kTransmitCaption = "btnExportNIT.CaptionTransmit";
constexpr const char* kSaveTitle = "siSaveDialog1.Title";
constexpr const char* kSaveFilter = "siSaveDialog1.Filter";
// Column headers of the three grids, joined by '|'.
constexpr const char* kCableColumns = "vtCableDescr.Columns";
constexpr const char* kTerrestColumns = "vtTerrestDescr.Columns";
constexpr const char* kServiceColumns = "vtServices.Columns";

QString Q(const std::string& s) { return QString::fromStdString(s); }
QString Q(const std::u16string& s) { return QString::fromStdU16String(s); }

template <class W>
W* Named(W* w, const char* name) {
  w->setObjectName(name);
  return w;
}

QToolButton* SmallButton(QWidget* parent, const char* name, const QIcon& icon, const char* sign) {
  auto* b = Named(new QToolButton(parent), name);
  if (icon.isNull()) b->setText(sign);
  else b->setIcon(icon);
  b->setAutoRaise(true);
  b->setFixedSize(26, 26);
  return b;
}

// A radio button to make: its name and the member that holds it.
struct TRadioSlot {
  const char* name;
  QRadioButton*& button;
};

// The radio buttons of `made` in the exclusive `group`, with ids 0, 1, ... in that order.
void Radios(QWidget* parent, QButtonGroup* group, std::initializer_list<TRadioSlot> made) {
  int id = 0;
  for (const TRadioSlot& slot : made) {
    slot.button = Named(new QRadioButton(parent), slot.name);
    group->addButton(slot.button, id++);
  }
}

QToolButton* AddButton(QWidget* parent, const char* name) {
  return SmallButton(parent, name, QIcon::fromTheme("list-add"), "+");
}

QToolButton* DeleteButton(QWidget* parent, const char* name) {
  return SmallButton(parent, name, QIcon::fromTheme("list-remove"), "−");
}

}  // namespace

struct TTableEditFrame::Ui {
  TLanguageTable lang{"TTableEditFrame"};

  QTabWidget* PageControl1 = nullptr;
  QWidget* tsCommon = nullptr;
  QWidget* tsNITEdit = nullptr;
  QWidget* tsNIT = nullptr;
  TPSISITableTreeForm* FNITTree = nullptr;
  QToolButton* sbClose = nullptr;

  // Allgemein
  TRadioGroup* rgNetworkType = nullptr;
  TNumberEdit* neNITVerNr = nullptr;
  QLineEdit* edtNetworkName = nullptr;
  TBinHexEdit* bheNetID = nullptr;
  QCheckBox* cbAddSLDs = nullptr;
  QCheckBox* cbAddLCDs = nullptr;
  QCheckBox* cbAddHDSimulLCN = nullptr;
  QGroupBox* GroupBox7 = nullptr;
  QPushButton* btnMakeTables = nullptr;
  QGroupBox* gbExport = nullptr;
  QRadioButton* rbBrava = nullptr;
  QRadioButton* rbMerlo_A = nullptr;
  QRadioButton* rbMerlo_B = nullptr;
  QLabel* lblIPHostMerlo = nullptr;
  TIPv4Edit* IPHostMerlo = nullptr;
  QPushButton* btnExportNIT = nullptr;

  // NIT-Editor
  TNitEditGrids* grids = nullptr;
  QGroupBox* gbCDD = nullptr;
  TGridView* vtCableDescr = nullptr;
  QToolButton* sbAddCDDEntry = nullptr;
  QToolButton* sbDelCDDEntry = nullptr;
  QGroupBox* gbTDD = nullptr;
  TGridView* vtTerrestDescr = nullptr;
  QToolButton* sbAddTDDEntry = nullptr;
  QToolButton* sbDelTDDEntry = nullptr;
  QGroupBox* GroupBox4 = nullptr;
  QButtonGroup* variants = nullptr;
  QRadioButton* rbUseEACEM = nullptr;
  QRadioButton* rbUseITC = nullptr;
  QRadioButton* rbUseNorDigV1 = nullptr;
  QRadioButton* rbUseNorDigV2 = nullptr;
  QPushButton* btnChLists = nullptr;
  TGridView* vtServices = nullptr;
  QToolButton* sbAddCableServiceEntry = nullptr;
  QToolButton* sbDelCableServiceEntry = nullptr;
  QToolButton* sbAddTerrestServiceEntry = nullptr;
  QToolButton* sbDelTerrestServiceEntry = nullptr;
  QButtonGroup* presets = nullptr;
  QRadioButton* rbServiceTV = nullptr;
  QRadioButton* rbServiceRadio = nullptr;
  QRadioButton* rbServiceData = nullptr;
  QRadioButton* rbServiceOther = nullptr;
  QComboBox* cbServiceOther = nullptr;

  bool Terrestrial(const TNitEditor& e) const { return e.NetworkType() == TNetworkType::Terrestrial; }

  TServicePreset Preset() const {
    if (rbServiceTV->isChecked()) return TServicePreset::TV;
    if (rbServiceRadio->isChecked()) return TServicePreset::Radio;
    if (rbServiceData->isChecked()) return TServicePreset::Data;
    if (rbServiceOther->isChecked()) return TServicePreset::Other;
    return TServicePreset::None;
  }
};

// ---------------------------------------------------------------- construction

TTableEditFrame::TTableEditFrame(TProgramPaths paths, QWidget* parent)
    : QWidget(parent), editor_(std::make_unique<TNitEditor>(std::move(paths))), ui_(std::make_unique<Ui>()) {
  setObjectName("TableEditFrame");
  AddCaptions(ui_->lang, kCaptions);
  ui_->lang.Add(kExportCaption, "Export");
  ui_->lang.Add(kTransmitCaption, "Transmit");
  ui_->lang.Add(kSaveTitle, "NIT exportieren ...");
  ui_->lang.Add(kSaveFilter, "NIT-Datei (*.nit)|*.nit|Alle Dateien (*.*)|*.*");

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  ui_->PageControl1 = Named(new QTabWidget(this), "PageControl1");
  layout->addWidget(ui_->PageControl1);
  ui_->sbClose = SmallButton(this, "sbClose", style()->standardIcon(QStyle::SP_TitleBarCloseButton), "×");
  ui_->PageControl1->setCornerWidget(ui_->sbClose, Qt::TopRightCorner);

  BuildCommonPage();
  BuildEditPage();
  BuildPreviewPage();
  Connect();

  editor_->StatusProc = [this](const std::string& msg) {
    if (StatusProc) StatusProc(Q(msg));
  };
  ui_->lang.OnChange = [this] { UpdateStrings(); };
  UpdateStrings();
  editor_->ResetModified();
  RefreshFromEditor();
  resize(kDesignedClientSize);
}

TTableEditFrame::~TTableEditFrame() {
  // The widgets go first: their last signals must still find the editor.
  qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void TTableEditFrame::BuildCommonPage() {
  Ui& u = *ui_;
  u.tsCommon = Named(new QWidget, "tsCommon");
  u.PageControl1->addTab(u.tsCommon, QString());
  auto* page = new QVBoxLayout(u.tsCommon);

  auto* nit = Named(new QGroupBox(u.tsCommon), "GroupBox1");
  auto* nitLayout = new QVBoxLayout(nit);
  auto* top = new QHBoxLayout;
  u.rgNetworkType = Named(new TRadioGroup(nit), "rgNetworkType");
  u.rgNetworkType->SetItems({QString(), QString()});
  top->addWidget(u.rgNetworkType);
  auto* form = new QFormLayout;
  u.neNITVerNr = Named(new TNumberEdit(nit), "neNITVerNr");
  u.neNITVerNr->setRange(0, 31);
  u.neNITVerNr->setFixedWidth(70);
  u.edtNetworkName = Named(new QLineEdit(nit), "edtNetworkName");
  u.edtNetworkName->setMinimumWidth(260);
  u.bheNetID = Named(new TBinHexEdit(nit), "bheNetID");
  u.bheNetID->SetFormat(kNetworkIdEntry);
  u.bheNetID->setFixedWidth(70);
  form->addRow(Named(new QLabel(nit), "lblNITVerNr"), u.neNITVerNr);
  form->addRow(Named(new QLabel(nit), "lblNetworkName"), u.edtNetworkName);
  form->addRow(Named(new QLabel(nit), "lblNetID"), u.bheNetID);
  top->addSpacing(12);
  top->addLayout(form, 1);
  nitLayout->addLayout(top);
  u.cbAddSLDs = Named(new QCheckBox(nit), "cbAddSLDs");
  u.cbAddLCDs = Named(new QCheckBox(nit), "cbAddLCDs");
  u.cbAddHDSimulLCN = Named(new QCheckBox(nit), "cbAddHDSimulLCN");
  for (QCheckBox* c : {u.cbAddSLDs, u.cbAddLCDs, u.cbAddHDSimulLCN}) nitLayout->addWidget(c);
  page->addWidget(nit);

  // Kept for building the tables by hand; hidden like in the released layout.
  u.GroupBox7 = Named(new QGroupBox(u.tsCommon), "GroupBox7");
  auto* makeLayout = new QHBoxLayout(u.GroupBox7);
  u.btnMakeTables = Named(new QPushButton(u.GroupBox7), "btnMakeTables");
  makeLayout->addWidget(u.btnMakeTables);
  makeLayout->addStretch();
  u.GroupBox7->hide();
  page->addWidget(u.GroupBox7);

  u.gbExport = Named(new QGroupBox(u.tsCommon), "gbExport");
  auto* exportLayout = new QGridLayout(u.gbExport);
  Radios(u.gbExport, new QButtonGroup(u.gbExport),
         {{"rbBrava", u.rbBrava}, {"rbMerlo_A", u.rbMerlo_A}, {"rbMerlo_B", u.rbMerlo_B}});
  int row = 0;
  for (QRadioButton* r : {u.rbBrava, u.rbMerlo_A, u.rbMerlo_B}) exportLayout->addWidget(r, row++, 0);
  u.lblIPHostMerlo = Named(new QLabel(u.gbExport), "lblIPHostMerlo");
  u.IPHostMerlo = Named(new TIPv4Edit(u.gbExport), "IPHostMerlo");
  u.IPHostMerlo->setFixedWidth(130);
  exportLayout->addWidget(u.lblIPHostMerlo, 1, 1);
  exportLayout->addWidget(u.IPHostMerlo, 2, 1);
  exportLayout->setColumnMinimumWidth(1, 130);
  exportLayout->setColumnStretch(2, 1);
  exportLayout->setHorizontalSpacing(16);
  u.btnExportNIT = Named(new QPushButton(u.gbExport), "btnExportNIT");
  u.btnExportNIT->setMinimumWidth(100);
  exportLayout->addWidget(u.btnExportNIT, 2, 3);
  page->addWidget(u.gbExport);
  page->addStretch();
}

void TTableEditFrame::BuildEditPage() {
  Ui& u = *ui_;
  u.tsNITEdit = Named(new QWidget, "tsNITEdit");
  u.PageControl1->addTab(u.tsNITEdit, QString());
  auto* page = new QVBoxLayout(u.tsNITEdit);

  u.grids = new TNitEditGrids(*editor_, u.tsNITEdit);
  u.vtCableDescr = u.grids->vtCableDescr();
  u.vtTerrestDescr = u.grids->vtTerrestDescr();
  u.vtServices = u.grids->vtServices();
  for (auto [key, grid] : {std::pair{kCableColumns, u.vtCableDescr}, std::pair{kTerrestColumns, u.vtTerrestDescr},
                           std::pair{kServiceColumns, u.vtServices}})
    u.lang.Add(key, grid->GridModel()->GridHeaders().join('|').toStdString());

  // One group per network type at the same place; only the current type's is shown.
  auto streamGroup = [&](const char* box, TGridView* grid, const char* add, const char* del, QGroupBox*& g,
                         QToolButton*& a, QToolButton*& d) {
    g = Named(new QGroupBox(u.tsNITEdit), box);
    auto* h = new QHBoxLayout(g);
    h->addWidget(grid, 1);
    auto* buttons = new QVBoxLayout;
    a = AddButton(g, add);
    d = DeleteButton(g, del);
    buttons->addWidget(a);
    buttons->addWidget(d);
    buttons->addStretch();
    h->addLayout(buttons);
    page->addWidget(g, 2);
  };
  streamGroup("gbCDD", u.vtCableDescr, "sbAddCDDEntry", "sbDelCDDEntry", u.gbCDD, u.sbAddCDDEntry, u.sbDelCDDEntry);
  streamGroup("gbTDD", u.vtTerrestDescr, "sbAddTDDEntry", "sbDelTDDEntry", u.gbTDD, u.sbAddTDDEntry, u.sbDelTDDEntry);

  u.GroupBox4 = Named(new QGroupBox(u.tsNITEdit), "GroupBox4");
  auto* services = new QVBoxLayout(u.GroupBox4);
  auto* variantGrid = new QGridLayout;
  u.variants = new QButtonGroup(u.GroupBox4);
  // Ids are the TLcnVariant values; EACEM and ITC in the first column.
  Radios(u.GroupBox4, u.variants,
         {{"rbUseEACEM", u.rbUseEACEM}, {"rbUseITC", u.rbUseITC}, {"rbUseNorDigV1", u.rbUseNorDigV1},
          {"rbUseNorDigV2", u.rbUseNorDigV2}});
  int cell = 0;
  for (QRadioButton* r : {u.rbUseEACEM, u.rbUseITC, u.rbUseNorDigV1, u.rbUseNorDigV2}) {
    variantGrid->addWidget(r, cell % 2, cell / 2);
    ++cell;
  }
  variantGrid->setColumnStretch(2, 1);
  u.btnChLists = Named(new QPushButton(u.GroupBox4), "btnChLists");
  variantGrid->addWidget(u.btnChLists, 1, 3);
  services->addLayout(variantGrid);

  auto* grid = new QHBoxLayout;
  grid->addWidget(u.vtServices, 1);
  auto* buttons = new QVBoxLayout;
  u.sbAddCableServiceEntry = AddButton(u.GroupBox4, "sbAddCableServiceEntry");
  u.sbDelCableServiceEntry = DeleteButton(u.GroupBox4, "sbDelCableServiceEntry");
  u.sbAddTerrestServiceEntry = AddButton(u.GroupBox4, "sbAddTerrestServiceEntry");
  u.sbDelTerrestServiceEntry = DeleteButton(u.GroupBox4, "sbDelTerrestServiceEntry");
  for (QToolButton* b :
       {u.sbAddCableServiceEntry, u.sbDelCableServiceEntry, u.sbAddTerrestServiceEntry, u.sbDelTerrestServiceEntry})
    buttons->addWidget(b);
  buttons->addStretch();
  grid->addLayout(buttons);
  services->addLayout(grid, 1);

  auto* presetRow = new QHBoxLayout;
  u.presets = new QButtonGroup(u.GroupBox4);
  Radios(u.GroupBox4, u.presets,
         {{"rbServiceTV", u.rbServiceTV}, {"rbServiceRadio", u.rbServiceRadio}, {"rbServiceData", u.rbServiceData},
          {"rbServiceOther", u.rbServiceOther}});
  for (QRadioButton* r : {u.rbServiceTV, u.rbServiceRadio, u.rbServiceData, u.rbServiceOther}) presetRow->addWidget(r);
  u.cbServiceOther = Named(new QComboBox(u.GroupBox4), "cbServiceOther");
  for (uint8_t type : OtherServiceTypes()) u.cbServiceOther->addItem(Q(OtherServiceTypeText(type)), type);
  u.cbServiceOther->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  u.cbServiceOther->setMinimumContentsLength(24);
  presetRow->addWidget(u.cbServiceOther, 1);
  services->addLayout(presetRow);
  u.rbServiceTV->setChecked(true);
  u.cbServiceOther->setEnabled(false);
  // A network has a few streams but many services: the services grid gets more room.
  page->addWidget(u.GroupBox4, 3);
}

void TTableEditFrame::BuildPreviewPage() {
  Ui& u = *ui_;
  u.tsNIT = Named(new QWidget, "tsNIT");
  u.PageControl1->addTab(u.tsNIT, QString());
  auto* page = new QVBoxLayout(u.tsNIT);
  page->setContentsMargins(0, 0, 0, 0);
  u.FNITTree = Named(new TPSISITableTreeForm(u.tsNIT), "FNITTree");
  u.FNITTree->SetSIObject(&editor_->NIT());
  page->addWidget(u.FNITTree);
}

void TTableEditFrame::Connect() {
  Ui& u = *ui_;
  TNitEditor& e = *editor_;
  connect(u.sbClose, &QToolButton::clicked, this, [this] {
    if (CloseProc) CloseProc();
  });
  connect(u.PageControl1, &QTabWidget::currentChanged, this, &TTableEditFrame::PageControl1Change);

  connect(u.rgNetworkType, &TRadioGroup::itemClicked, this, &TTableEditFrame::rgNetworkTypeClick);
  connect(u.neNITVerNr, &TNumberEdit::valueEdited, this, [&e](int v) { e.SetVersionNumber(static_cast<uint8_t>(v)); });
  connect(u.edtNetworkName, &QLineEdit::textEdited, this,
          [&e](const QString& name) { e.SetNetworkName(name.toStdU16String()); });
  connect(u.bheNetID, &TBinHexEdit::valueEdited, this, [&e](uint32_t v) { e.SetNetworkID(static_cast<uint16_t>(v)); });
  connect(u.cbAddSLDs, &QCheckBox::clicked, this, [&e](bool on) { e.SetAddSLDs(on); });
  connect(u.cbAddLCDs, &QCheckBox::clicked, this, [this](bool on) {
    editor_->SetAddLCDs(on);
    UpdateOptionBoxes();
  });
  connect(u.cbAddHDSimulLCN, &QCheckBox::clicked, this, [this](bool on) {
    editor_->SetAddHDSimulLCN(on);
    UpdateOptionBoxes();
  });
  connect(u.btnMakeTables, &QPushButton::clicked, this, [this] { CreateNITTable(); });

  auto target = [this](TExportTarget t) {
    return [this, t] {
      editor_->SetExportTarget(t);
      UpdateExportWidgets();
    };
  };
  connect(u.rbBrava, &QRadioButton::clicked, this, target(TExportTarget::Brava));
  connect(u.rbMerlo_A, &QRadioButton::clicked, this, target(TExportTarget::MerloA));
  connect(u.rbMerlo_B, &QRadioButton::clicked, this, target(TExportTarget::MerloB));
  connect(u.IPHostMerlo, &TIPv4Edit::addressEdited, this,
          [&e](const QString& address) { e.SetModulatorAddress(address.toStdString()); });
  connect(u.btnExportNIT, &QPushButton::clicked, this, &TTableEditFrame::btnExportNITClick);

  // The grids refill the services for the focused stream themselves; buttons follow.
  connect(u.grids, &TNitEditGrids::FocusChanged, this, &TTableEditFrame::UpdateEditButtons);
  for (QToolButton* b : {u.sbAddCDDEntry, u.sbAddTDDEntry})
    connect(b, &QToolButton::clicked, this, &TTableEditFrame::AddStreamClick);
  for (QToolButton* b : {u.sbDelCDDEntry, u.sbDelTDDEntry})
    connect(b, &QToolButton::clicked, this, &TTableEditFrame::DeleteStreamClick);
  for (QToolButton* b : {u.sbAddCableServiceEntry, u.sbAddTerrestServiceEntry})
    connect(b, &QToolButton::clicked, this, &TTableEditFrame::AddServiceClick);
  for (QToolButton* b : {u.sbDelCableServiceEntry, u.sbDelTerrestServiceEntry})
    connect(b, &QToolButton::clicked, this, &TTableEditFrame::DeleteServiceClick);

  connect(u.variants, &QButtonGroup::idClicked, this, [this](int id) {
    editor_->SetVariant(static_cast<TLcnVariant>(id));
    UpdateVariantWidgets();
  });
  connect(u.btnChLists, &QPushButton::clicked, this, &TTableEditFrame::btnChListsClick);
  connect(u.presets, &QButtonGroup::buttonClicked, this,
          [this] { ui_->cbServiceOther->setEnabled(ui_->rbServiceOther->isChecked()); });
}

// ---------------------------------------------------------------- public operations

TNitEditor& TTableEditFrame::Editor() { return *editor_; }
bool TTableEditFrame::Modified() const { return editor_->Modified(); }
QTabWidget* TTableEditFrame::PageControl1() const { return ui_->PageControl1; }

bool TTableEditFrame::LoadConfiguration(TStream* stream, int fileVer, int prgVer) {
  bool ok = false;
  try {
    ok = editor_->LoadConfiguration(stream, fileVer, prgVer);
  } catch (...) {
    // The core keeps its project; the widgets show it again before the owner hears of it.
    RefreshFromEditor();
    throw;
  }
  RefreshFromEditor();
  if (ok) ResetFieldFlags();
  return ok;
}

bool TTableEditFrame::SaveConfiguration(TStream* stream) {
  bool ok = editor_->SaveConfiguration(stream);
  if (ok) ResetFieldFlags();
  return ok;
}

bool TTableEditFrame::CreateNITTable() {
  bool ok = editor_->CreateNITTable();
  if (ok) ui_->FNITTree->CreateTree();
  return ok;
}

void TTableEditFrame::UpdateStrings() {
  Ui& u = *ui_;
  ApplyCaptions(this, u.lang, kCaptions);
  auto columns = [&u](const char* key) { return Q(u.lang.Text(key)).split('|'); };
  u.grids->SetHeaders(columns(kCableColumns), columns(kTerrestColumns), columns(kServiceColumns));
  // "Ja" and "Nein" of the services grid are messages of the editor, which follow the
  // language by themselves.
  u.grids->ServiceModel()->Refresh();
  UpdateExportWidgets();
}

void TTableEditFrame::RefreshFromEditor() {
  Ui& u = *ui_;
  const TNitEditor& e = *editor_;
  u.rgNetworkType->SetItemIndex(static_cast<int>(e.NetworkType()));
  u.neNITVerNr->SetValue(e.VersionNumber());
  u.edtNetworkName->setText(Q(e.NetworkName()));
  u.bheNetID->SetValue(e.NetworkID());
  UpdateOptionBoxes();
  u.variants->button(static_cast<int>(e.Variant()))->setChecked(true);
  UpdateVariantWidgets();
  switch (e.ExportTarget()) {
    case TExportTarget::Brava: u.rbBrava->setChecked(true); break;
    case TExportTarget::MerloA: u.rbMerlo_A->setChecked(true); break;
    case TExportTarget::MerloB: u.rbMerlo_B->setChecked(true); break;
  }
  u.IPHostMerlo->SetAddress(Q(e.ModulatorAddress()));
  UpdateExportWidgets();
  UpdateLayout();
  FillStreams();
  // What the container holds now: nothing after a type switch, and nothing after a load
  // either, as a stored table keeps no packets; the next build fills it.
  u.FNITTree->CreateTree();
}

// ---------------------------------------------------------------- state shown

void TTableEditFrame::UpdateLayout() {
  Ui& u = *ui_;
  bool terrestrial = u.Terrestrial(*editor_);
  u.gbCDD->setVisible(!terrestrial);
  u.sbAddCableServiceEntry->setVisible(!terrestrial);
  u.sbDelCableServiceEntry->setVisible(!terrestrial);
  u.gbTDD->setVisible(terrestrial);
  u.sbAddTerrestServiceEntry->setVisible(terrestrial);
  u.sbDelTerrestServiceEntry->setVisible(terrestrial);
}

void TTableEditFrame::UpdateOptionBoxes() {
  Ui& u = *ui_;
  const TNitEditor& e = *editor_;
  u.cbAddSLDs->setChecked(e.AddSLDs());
  u.cbAddLCDs->setChecked(e.AddLCDs());
  u.cbAddHDSimulLCN->setChecked(e.AddHDSimulLCN());
  u.cbAddHDSimulLCN->setEnabled(e.AddHDSimulLCNEnabled());
  u.grids->FollowHDOption(e.AddHDSimulLCN());
}

void TTableEditFrame::UpdateVariantWidgets() {
  ui_->btnChLists->setEnabled(editor_->Variant() == TLcnVariant::NorDigV2);
  ui_->grids->FollowVariant(editor_->Variant());
}

void TTableEditFrame::UpdateExportWidgets() {
  Ui& u = *ui_;
  bool modulator = IsModulatorTarget(editor_->ExportTarget());
  u.lblIPHostMerlo->setVisible(modulator);
  u.IPHostMerlo->setVisible(modulator);
  u.btnExportNIT->setText(Q(u.lang.Text(modulator ? kTransmitCaption : kExportCaption)));
}

void TTableEditFrame::UpdateEditButtons() {
  Ui& u = *ui_;
  TEditButtons b = EditButtons(*editor_, FocusedStream());
  for (QToolButton* add : {u.sbAddCDDEntry, u.sbAddTDDEntry}) add->setEnabled(b.AddStream);
  for (QToolButton* del : {u.sbDelCDDEntry, u.sbDelTDDEntry}) del->setEnabled(b.DeleteStream);
  for (QToolButton* add : {u.sbAddCableServiceEntry, u.sbAddTerrestServiceEntry}) add->setEnabled(b.AddService);
  for (QToolButton* del : {u.sbDelCableServiceEntry, u.sbDelTerrestServiceEntry}) del->setEnabled(b.DeleteService);
}

// The stream rows in the editor's row order; its selected row keeps the focus, and the
// services grid shows that row's services.
void TTableEditFrame::FillStreams() { ui_->grids->ShowStreams(); }

int32_t TTableEditFrame::FocusedStream() const { return ui_->grids->FocusedStream(); }

int32_t TTableEditFrame::FocusedService() const { return ui_->grids->FocusedService(); }

void TTableEditFrame::ResetFieldFlags() {
  ui_->neNITVerNr->ResetUserModified();
  ui_->bheNetID->ResetUserModified();
  ui_->edtNetworkName->setModified(false);
}

// ---------------------------------------------------------------- handlers

void TTableEditFrame::rgNetworkTypeClick(int index) {
  TNetworkType type = index == 1 ? TNetworkType::Terrestrial : TNetworkType::Cable;
  if (type == editor_->NetworkType()) return;
  editor_->SetNetworkType(type);
  RefreshFromEditor();
}

void TTableEditFrame::PageControl1Change(int index) {
  if (ui_->PageControl1->widget(index) == ui_->tsNIT) CreateNITTable();
}

void TTableEditFrame::btnExportNITClick() {
  Ui& u = *ui_;
  TBusyCursor busy;
  TFileDialogOptions options{Q(u.lang.Text(kSaveTitle)), QtFilterFromPairs(Q(u.lang.Text(kSaveFilter))), "nit",
                             QString::fromStdString(editor_->Paths().DataFolder().string()), true};
  editor_->ExportNIT([this, &options]() -> std::optional<std::filesystem::path> {
    TNormalCursor normal;
    std::optional<QString> name = FileDialogs().SaveFileName(this, options);
    if (!name) return std::nullopt;
    return std::filesystem::path(name->toStdString());
  });
}

void TTableEditFrame::btnChListsClick() {
  TChListForm form(window(), editor_->ChannelList());
  form.exec();
  if (form.Modified()) editor_->SetModified();
  // Renamed lists show their new names; services of deleted lists drop out as they are drawn.
  ui_->grids->ServiceModel()->Refresh();
}

void TTableEditFrame::AddStreamClick() {
  editor_->AddStream();
  FillStreams();
}

void TTableEditFrame::DeleteStreamClick() {
  if (DeleteFocusedStream(*editor_, FocusedStream())) FillStreams();
}

void TTableEditFrame::AddServiceClick() {
  uint8_t type = SelectedServiceType(ui_->Preset(), static_cast<uint8_t>(ui_->cbServiceOther->currentData().toUInt()));
  if (AddServiceToFocused(*editor_, FocusedStream(), type)) ui_->grids->ServiceAdded();
}

void TTableEditFrame::DeleteServiceClick() {
  const int32_t service = FocusedService();
  if (DeleteFocusedService(*editor_, FocusedStream(), service)) ui_->grids->ServiceRemoved(service);
}

}  // namespace quillon
