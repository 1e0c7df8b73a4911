#pragma once
// Working an editing grid as a user does: opening a cell's editor, typing into it,
// choosing from its drop-down list, clicking rows and header sections.
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string_view>
#include <type_traits>

#include "editor/ui/grid_view.h"
#include "support/gui_fixture.h"
#include "vocabulary/countries.h"

namespace quillon::test {

// Opens the cell's editor as a double click does; nullptr when the cell offers none.
template <class E>
E* OpenCellEditor(TGridView* view, int row, int column) {
  // Editors closed before are deleted later; they must not be found again.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  const QModelIndex index = view->model()->index(row, column);
  view->setCurrentIndex(index);
  view->edit(index);
  if (!view->IsEditing()) return nullptr;
  return view->viewport()->findChild<E*>(std::is_same_v<E, QComboBox> ? "CellPickList" : "CellEdit");
}

// Types `text` over the cell's text and presses Return. False when no text field opened.
inline bool TypeIntoCell(TGridView* view, int row, int column, const QString& text) {
  QLineEdit* edit = OpenCellEditor<QLineEdit>(view, row, column);
  if (!edit) return false;
  TypeInto(edit, text);
  QCoreApplication::processEvents();  // the delegate commits after the key press
  return true;
}

// Chooses entry `entry` of the cell's drop-down list. False when no list opened.
inline bool PickInCell(TGridView* view, int row, int column, int entry) {
  QComboBox* combo = OpenCellEditor<QComboBox>(view, row, column);
  if (!combo || entry < 0 || entry >= combo->count()) return false;
  combo->setCurrentIndex(entry);
  emit combo->activated(entry);
  QCoreApplication::processEvents();
  return true;
}

inline void ClickHeader(TGridView* view, int column, Qt::MouseButton button = Qt::LeftButton) {
  if (view->model()->rowCount() > 0) view->scrollTo(view->model()->index(0, column));
  QHeaderView* header = view->horizontalHeader();
  const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2, header->height() / 2);
  QTest::mouseClick(header->viewport(), button, {}, at);
}

inline void ClickRow(TGridView* view, int row) {
  const QRect cell = view->visualRect(view->model()->index(row, 0));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
}

inline QString CellText(TGridView* view, int row, int column) {
  return view->model()->index(row, column).data().toString();
}

// A column's texts from the top row down.
inline QStringList ColumnTexts(TGridView* view, int column) {
  QStringList texts;
  for (int row = 0; row < view->model()->rowCount(); ++row) texts << CellText(view, row, column);
  return texts;
}

// Clicks `opener` of `root`, which opens a modal dialog of type D, runs `work` on the
// dialog while it is shown and clicks its button `closer`. True when the dialog closed;
// a dialog that refuses is hidden, so that the test never waits on it.
template <class D>
bool RunModal(QWidget* root, const char* opener, const std::function<void(D&)>& work, const char* closer) {
  bool closed = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    if (!dialog) return;
    work(*dialog);
    Click(dialog, closer);
    closed = !dialog->isVisible();
    if (!closed) dialog->hide();
  });
  Click(root, opener);
  // Without a dialog the timer fires here, while what it refers to still exists.
  QCoreApplication::processEvents();
  return closed;
}

// The entry of a country in the channel-list dialog's drop-down list, or -1.
inline int CountryIndex(std::u16string_view code3) {
  for (size_t i = 0; i < ISO_3166_1.size(); ++i)
    if (ISO_3166_1[i].CountryCode3 == code3) return static_cast<int>(i);
  return -1;
}

}  // namespace quillon::test
