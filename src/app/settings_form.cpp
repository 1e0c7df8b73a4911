#include "app/settings_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "widgets/captions.h"

namespace quillon {

namespace {

constexpr TCaptionRow kCaptions[] = {
    {"TSettingsForm", "Caption", "Einstellungen"},
    {"tsCommon", "Caption", "Allgemein"},
    {"lbStart", "Caption", "Bei Programmstart"},
    {"cbNewOnStart", "Caption", "Neues NIT-Projekt erstellen"},
    {"lbLanguages", "Caption", "Sprachen"},
    {"btnOK", "Caption", "&OK"},
    {"btnCancel", "Caption", "&Abbrechen"},
    {"btnApply", "Caption", "Ü&bernehmen"},
};

QLabel* Heading(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  return label;
}

}  // namespace

TSettingsForm::TSettingsForm(PSettings settings, std::function<void(const TSettings&)> settingsChanged,
                             QWidget* parent, TLangDispatcher* dispatcher)
    : QDialog(parent, Qt::Tool),
      PPrgSet(settings),
      dispatcher_(dispatcher ? *dispatcher : TLangDispatcher::Instance()),
      lang_("TSettingsForm", &dispatcher_),
      settingsChanged_(std::move(settingsChanged)) {
  setObjectName("TSettingsForm");

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName("PageControl1");
  tsCommon = new QWidget(PageControl1);
  tsCommon->setObjectName("tsCommon");
  PageControl1->addTab(tsCommon, QString());

  QLabel* lbStart = Heading(tsCommon, "lbStart");
  cbNewOnStart = new QCheckBox(tsCommon);
  cbNewOnStart->setObjectName("cbNewOnStart");
  QLabel* lbLanguages = Heading(tsCommon, "lbLanguages");
  siLangCombo1 = new QComboBox(tsCommon);
  siLangCombo1->setObjectName("siLangCombo1");
  for (const std::string& name : dispatcher_.LanguageNames()) siLangCombo1->addItem(QString::fromStdString(name));
  siLangCombo1->setCurrentIndex(dispatcher_.ActiveIndex() - 1);

  auto* page = new QVBoxLayout(tsCommon);
  page->setContentsMargins(12, 12, 12, 12);
  page->addWidget(lbStart);
  auto* startRow = new QHBoxLayout;
  startRow->setContentsMargins(16, 0, 0, 0);
  startRow->addWidget(cbNewOnStart);
  page->addLayout(startRow);
  page->addSpacing(12);
  page->addWidget(lbLanguages);
  auto* languageRow = new QHBoxLayout;
  languageRow->setContentsMargins(16, 0, 0, 0);
  languageRow->addWidget(siLangCombo1, 1);
  languageRow->addStretch(1);
  page->addLayout(languageRow);
  page->addStretch(1);

  btnOK = new QPushButton(this);
  btnOK->setObjectName("btnOK");
  btnCancel = new QPushButton(this);
  btnCancel->setObjectName("btnCancel");
  btnApply = new QPushButton(this);
  btnApply->setObjectName("btnApply");
  btnOK->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);
  buttons->addWidget(btnApply);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl1, 1);
  layout->addLayout(buttons);
  resize(380, 250);

  connect(cbNewOnStart, &QCheckBox::clicked, this, &TSettingsForm::ControlOnChange);
  connect(siLangCombo1, &QComboBox::currentIndexChanged, this, &TSettingsForm::ControlOnChange);
  connect(btnApply, &QPushButton::clicked, this, &TSettingsForm::btnApplyClick);
  connect(btnOK, &QPushButton::clicked, this, &TSettingsForm::btnOKClick);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  AddCaptions(lang_, kCaptions);
  lang_.OnChange = [this] { UpdateStrings(); };
  UpdateStrings();
  SetChanged(false);
}

void TSettingsForm::UpdateStrings() { ApplyCaptions(this, lang_, kCaptions); }

void TSettingsForm::SetChanged(bool value) {
  FOneChanged = value;
  btnApply->setEnabled(value);
}

void TSettingsForm::showEvent(QShowEvent* event) {
  PageControl1->setCurrentIndex(0);
  FOldSet = *PPrgSet;
  cbNewOnStart->setChecked(PPrgSet->StartWithNew);
  SetChanged(false);
  QDialog::showEvent(event);
}

void TSettingsForm::ControlOnChange() {
  if (sender() == siLangCombo1 && siLangCombo1->currentIndex() < 0 && siLangCombo1->count() > 0)
    siLangCombo1->setCurrentIndex(0);
  SetChanged(true);
}

void TSettingsForm::btnApplyClick() {
  ApplyOptions(*PPrgSet, cbNewOnStart->isChecked(), siLangCombo1->currentIndex(), dispatcher_);
  if (settingsChanged_) settingsChanged_(FOldSet);
  FOldSet = *PPrgSet;
  SetChanged(false);
}

void TSettingsForm::btnOKClick() {
  btnApplyClick();
  accept();
}

}  // namespace quillon
