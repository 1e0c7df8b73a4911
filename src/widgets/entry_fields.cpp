#include "widgets/entry_fields.h"

#include <QRegularExpressionValidator>
#include <algorithm>

#include "platform/dialogs.h"
#include "platform/language.h"

namespace quillon {

TLanguageTable& EntryFieldTexts() {
  static TLanguageTable table("TCompLangDM");
  static const bool filled = [] {
    for (const TMessageRow<EntryMsg>& row : kEntryMessageRows) table.Add(row.name, row.text);
    return true;
  }();
  (void)filled;
  return table;
}

namespace {

void ShowEntryError(EntryError error) {
  if (std::optional<EntryMsg> id = EntryErrorMessage(error))
    Dialogs().Show(DialogKind::ErrorOk, EntryFieldTexts().Text(TEntryMessages::IdName(*id)));
}

// Runs `commit` once per end of editing: a message box taking the focus would end the
// editing a second time.
template <class F>
void CommitOnce(QLineEdit* edit, bool& busy, F commit) {
  if (busy || !edit->isModified()) return;
  busy = true;
  edit->setModified(false);
  commit();
  busy = false;
}

}  // namespace

// ---------------------------------------------------------------- TBinHexEdit

TBinHexEdit::TBinHexEdit(QWidget* parent) : QLineEdit(parent) {
  SetValue(0);
  connect(this, &QLineEdit::editingFinished, this, &TBinHexEdit::Commit);
}

void TBinHexEdit::SetFormat(const TBaseEntryFormat& format) {
  format_ = format;
  SetValue(value_);
}

void TBinHexEdit::SetValue(uint32_t value) {
  value_ = std::clamp(value, format_.Min, format_.Max);
  setText(QString::fromStdString(BaseEntryText(value_, format_)));
}

void TBinHexEdit::Commit() {
  CommitOnce(this, committing_, [this] {
    TEntryResult<uint32_t> r = ParseBaseEntry(text().toStdString(), format_);
    bool changed = r.Ok() && r.Value != value_;
    SetValue(r.Ok() ? r.Value : value_);
    if (!r.Ok()) {
      ShowEntryError(r.Error);
    } else if (changed) {
      userModified_ = true;
      emit valueEdited(value_);
    }
  });
}

// ---------------------------------------------------------------- TNumberEdit

TNumberEdit::TNumberEdit(QWidget* parent) : QSpinBox(parent) {
  connect(this, &QSpinBox::valueChanged, this, [this](int v) {
    userModified_ = true;
    emit valueEdited(v);
  });
}

void TNumberEdit::SetValue(int value) {
  QSignalBlocker block(this);
  setValue(value);
}

// ---------------------------------------------------------------- TIPv4Edit

TIPv4Edit::TIPv4Edit(QWidget* parent) : QLineEdit(parent) {
  // Digits and dots only; the parts are checked when editing ends.
  setValidator(new QRegularExpressionValidator(QRegularExpression(R"([0-9.]{0,15})"), this));
  SetAddress(address_);
  connect(this, &QLineEdit::editingFinished, this, &TIPv4Edit::Commit);
}

void TIPv4Edit::SetAddress(const QString& address) {
  address_ = address;
  setText(address);
}

void TIPv4Edit::Commit() {
  CommitOnce(this, committing_, [this] {
    TEntryResult<std::string> r = ParseIPv4Entry(text().toStdString());
    if (!r.Ok()) {
      setText(address_);
      ShowEntryError(r.Error);
      return;
    }
    QString address = QString::fromStdString(r.Value);
    bool changed = address != address_;
    SetAddress(address);
    if (changed) {
      userModified_ = true;
      emit addressEdited(address_);
    }
  });
}

}  // namespace quillon
