#include "widgets/captions.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QTabWidget>
#include <string>

#include "platform/language.h"
#include "widgets/radio_group.h"

namespace quillon {

namespace {

std::string Key(const TCaptionRow& row) { return std::string(row.Component) + "." + row.Property; }

// A page of a tab widget sits in the tab widget's stack.
QTabWidget* OwningTabs(QWidget* page) {
  QWidget* stack = page->parentWidget();
  return stack && qobject_cast<QStackedWidget*>(stack) ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

void SetCaption(QWidget* w, const QString& text) {
  if (auto* box = qobject_cast<QGroupBox*>(w)) box->setTitle(text);
  else if (auto* button = qobject_cast<QAbstractButton*>(w)) button->setText(text);
  else if (auto* label = qobject_cast<QLabel*>(w)) label->setText(text);
  else if (auto* menu = qobject_cast<QMenu*>(w)) menu->setTitle(text);
  else if (QTabWidget* tabs = OwningTabs(w)) tabs->setTabText(tabs->indexOf(w), text);
  else if (w->isWindow()) w->setWindowTitle(text);
}

}  // namespace

void AddCaptions(TLanguageTable& table, std::span<const TCaptionRow> rows) {
  for (const TCaptionRow& row : rows) table.Add(Key(row), row.German);
}

void ApplyCaptions(QWidget* root, const TLanguageTable& table, std::span<const TCaptionRow> rows) {
  for (const TCaptionRow& row : rows) {
    QObject* o = root->objectName() == row.Component ? root : root->findChild<QObject*>(row.Component);
    if (!o) continue;
    QString text = QString::fromStdString(table.Text(Key(row)));
    std::string property = row.Property;
    // An action's hint is its tool tip and the status bar's text while it is pointed at.
    if (auto* action = qobject_cast<QAction*>(o)) {
      if (property == "Hint") {
        action->setToolTip(text);
        action->setStatusTip(text);
      } else action->setText(text);
      continue;
    }
    QWidget* w = qobject_cast<QWidget*>(o);
    if (!w) continue;
    if (property == "Hint") w->setToolTip(text);
    else if (property == "Items") {
      if (auto* radios = qobject_cast<TRadioGroup*>(w)) radios->SetCaptions(text.split('|'));
    } else SetCaption(w, text);
  }
}

}  // namespace quillon
