#include "editor/ui/ch_list_form.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "editor/ui/grid_model.h"
#include "editor/ui/grid_view.h"
#include "widgets/captions.h"

namespace quillon {

namespace {

constexpr TCaptionRow kCaptions[] = {
    {"ChListForm", "Caption", "Kanal Listen"},
    {"btnClose", "Caption", "Schliessen"},
    {"sbAddChListEntry", "Hint", "Liste hinzufügen"},
    {"sbDelChListEntry", "Hint", "Liste löschen"},
};
// The grid's headers, joined by '|'.
constexpr const char* kColumns = "vtChLists.Columns";

QToolButton* ListButton(QWidget* parent, const char* name, const char* theme, const char* sign) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  QIcon icon = QIcon::fromTheme(theme);
  if (icon.isNull()) b->setText(QString::fromUtf8(sign));
  else b->setIcon(icon);
  b->setAutoRaise(true);
  b->setFixedSize(26, 26);
  return b;
}

}  // namespace

TChListForm::TChListForm(QWidget* owner, TChListDataList& chList)
    : QDialog(owner), table_(chList, messages_) {
  setObjectName("ChListForm");
  setWindowFlag(Qt::Tool);
  setModal(true);
  AddCaptions(lang_, kCaptions);
  for (const TMessageRow<ChListMsg>& row : kChListMessageRows) lang_.Add(row.name, row.text);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  auto* top = new QHBoxLayout;
  vtChLists_ = new TGridView(this);
  vtChLists_->setObjectName("vtChLists");
  model_ = new TGridModel(table_, {}, this);
  lang_.Add(kColumns, model_->GridHeaders().join('|').toStdString());
  vtChLists_->setModel(model_);
  vtChLists_->SetColumnWidths({48, 170});
  top->addWidget(vtChLists_, 1);
  auto* buttons = new QVBoxLayout;
  sbAddChListEntry_ = ListButton(this, "sbAddChListEntry", "list-add", "+");
  sbDelChListEntry_ = ListButton(this, "sbDelChListEntry", "list-remove", "−");
  sbDelChListEntry_->setEnabled(false);
  buttons->addWidget(sbAddChListEntry_);
  buttons->addWidget(sbDelChListEntry_);
  buttons->addStretch();
  top->addLayout(buttons);
  layout->addLayout(top, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  btnClose_ = new QPushButton(this);
  btnClose_->setObjectName("btnClose");
  // Return ends a cell edit; it must not also try to close the dialog.
  btnClose_->setAutoDefault(false);
  bottom->addWidget(btnClose_);
  layout->addLayout(bottom);

  connect(sbAddChListEntry_, &QToolButton::clicked, this, &TChListForm::sbAddChListEntryClick);
  connect(sbDelChListEntry_, &QToolButton::clicked, this, &TChListForm::sbDelChListEntryClick);
  connect(btnClose_, &QPushButton::clicked, this, &QDialog::accept);
  connect(vtChLists_, &TGridView::CurrentRecordChanged, this, &TChListForm::vtChListsFocusChanged);

  // The grid gets no focus of its own at first: no row is focused, so nothing is offered
  // for deletion until the user picks a row.
  sbAddChListEntry_->setFocus();
  lang_.OnChange = [this] { UpdateStrings(); };
  UpdateStrings();
  resize(kClientSize);
}

TChListForm::~TChListForm() = default;

void TChListForm::UpdateStrings() {
  ApplyCaptions(this, lang_, kCaptions);
  model_->SetHeaders(QString::fromStdString(lang_.Text(kColumns)).split('|'));
  for (const TMessageRow<ChListMsg>& row : kChListMessageRows) messages_.SetText(row.id, lang_.Text(row.name));
}

void TChListForm::done(int result) {
  if (!table_.CanClose()) return;
  QDialog::done(result);
}

void TChListForm::sbAddChListEntryClick() {
  const size_t index = table_.AddList();
  model_->Reload();
  vtChLists_->SetCurrentRecord(static_cast<int>(index));
  vtChLists_->setFocus();
  vtChListsFocusChanged();
}

void TChListForm::sbDelChListEntryClick() {
  if (!table_.DeleteList(vtChLists_->CurrentRecord())) return;
  model_->Reload();
  vtChListsFocusChanged();
}

void TChListForm::vtChListsFocusChanged() { sbDelChListEntry_->setEnabled(vtChLists_->CurrentRecord() >= 0); }

}  // namespace quillon
