#pragma once
// The channel-list dialog (TChListForm, "Kanal Listen"): the editor's NorDig V2 channel
// lists in a grid of id, name and country. It edits the editor's own list objects, so
// there is nothing to apply when it closes; it refuses to close while a list lacks an
// id, a name or a country.
#include <QDialog>
#include <QSize>
#include <memory>

#include "editor/ch_list_grid.h"
#include "platform/language.h"

class QPushButton;
class QToolButton;

namespace quillon {

class TGridModel;
class TGridView;

class TChListForm : public QDialog {
  Q_OBJECT

 public:
  TChListForm(QWidget* owner, TChListDataList& chList);
  ~TChListForm() override;

  // A list was added, deleted or edited.
  bool Modified() const { return table_.Modified(); }

  TGridView* Grid() const { return vtChLists_; }
  void UpdateStrings();

  // Every way of closing comes here; an incomplete list keeps the dialog open.
  void done(int result) override;

  static constexpr QSize kClientSize{443, 249};

 private:
  void sbAddChListEntryClick();
  void sbDelChListEntryClick();
  void vtChListsFocusChanged();

  TLanguageTable lang_{"TChListForm"};
  TChListMessages messages_;
  TChListGridTable table_;
  TGridModel* model_ = nullptr;
  TGridView* vtChLists_ = nullptr;
  QToolButton* sbAddChListEntry_ = nullptr;
  QToolButton* sbDelChListEntry_ = nullptr;
  QPushButton* btnClose_ = nullptr;
};

}  // namespace quillon
