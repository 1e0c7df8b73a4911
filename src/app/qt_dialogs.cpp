#include "app/qt_dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace quillon {

namespace {

struct TButtonText {
  QMessageBox::StandardButton button;
  DialogAnswer answer;
  const char* key;
  const char* german;
};

constexpr TButtonText kButtons[] = {
    {QMessageBox::Ok, DialogAnswer::Ok, "OK", "OK"},
    {QMessageBox::Cancel, DialogAnswer::Cancel, "Cancel", "Abbrechen"},
    {QMessageBox::Yes, DialogAnswer::Yes, "Yes", "&Ja"},
    {QMessageBox::No, DialogAnswer::No, "No", "&Nein"},
};

struct TKindLayout {
  DialogKind kind;
  QMessageBox::Icon icon;
  const char* titleKey;  // empty: the application's name
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton escape;  // also the answer when the box is closed otherwise
};

const TKindLayout kKinds[] = {
    {DialogKind::Message, QMessageBox::NoIcon, "", QMessageBox::Ok, QMessageBox::Ok},
    {DialogKind::ErrorCancel, QMessageBox::Critical, "Error", QMessageBox::Cancel, QMessageBox::Cancel},
    {DialogKind::ErrorOk, QMessageBox::Critical, "Error", QMessageBox::Ok, QMessageBox::Ok},
    {DialogKind::Information, QMessageBox::Information, "Information", QMessageBox::Ok, QMessageBox::Ok},
    {DialogKind::Warning, QMessageBox::Warning, "Warning", QMessageBox::Ok, QMessageBox::Ok},
    {DialogKind::QuestionYesCancel, QMessageBox::Question, "Confirmation", QMessageBox::Yes | QMessageBox::Cancel,
     QMessageBox::Cancel},
    {DialogKind::QuestionYesNo, QMessageBox::Question, "Confirmation", QMessageBox::Yes | QMessageBox::No,
     QMessageBox::No},
};

}  // namespace

TQtDialogs::TQtDialogs(TLangDispatcher* dispatcher) : lang_("TMessageDialogs", dispatcher) {
  // Read each time a box opens, so they follow the active language.
  lang_.Add("Error", "Fehler");
  lang_.Add("Information", "Informationen");
  lang_.Add("Warning", "Warnung");
  lang_.Add("Confirmation", "Bestätigen");
  for (const TButtonText& b : kButtons) lang_.Add(b.key, b.german);
}

QString TQtDialogs::Text(const char* key) const { return QString::fromStdString(lang_.Text(key)); }

DialogAnswer TQtDialogs::Show(DialogKind kind, const std::string& text) {
  const TKindLayout* layout = &kKinds[0];
  for (const TKindLayout& k : kKinds)
    if (k.kind == kind) layout = &k;

  QMessageBox box(QApplication::activeWindow());
  box.setIcon(layout->icon);
  box.setWindowTitle(*layout->titleKey ? Text(layout->titleKey) : QApplication::applicationName());
  box.setText(QString::fromStdString(text).replace("\r\n", "\n"));
  box.setStandardButtons(layout->buttons);
  for (const TButtonText& b : kButtons)
    if (QAbstractButton* button = box.button(b.button)) button->setText(Text(b.key));
  box.setEscapeButton(layout->escape);
  box.setDefaultButton(layout->buttons.testFlag(QMessageBox::Yes) ? QMessageBox::Yes : layout->escape);
  box.exec();

  QAbstractButton* clicked = box.clickedButton();
  for (const TButtonText& b : kButtons)
    if (clicked && clicked == box.button(b.button)) return b.answer;
  for (const TButtonText& b : kButtons)
    if (b.button == layout->escape) return b.answer;
  return DialogAnswer::Cancel;
}

}  // namespace quillon
