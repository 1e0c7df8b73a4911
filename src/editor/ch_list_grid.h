#pragma once
// The NorDig V2 channel lists as the dialog TChListForm edits them: its grid vtChLists
// (id, name, country), adding and deleting lists, and when the dialog may close. The
// dialog works on the editor's own list objects, never on a copy.
#include <cstdint>
#include <string>
#include <string_view>

#include "editor/grid_table.h"
#include "platform/message_table.h"
#include "project/nit_data.h"

namespace quillon {

enum class ChListMsg { strsInvalidID, strsInvalidCountryCode, strsInvalidEntry, strsNoDelEntrySelected };

inline constexpr TMessageRow<ChListMsg> kChListMessageRows[] = {
    {ChListMsg::strsInvalidID, "strsInvalidID", "Eingegebene Listen-ID ist ungültig (0..255)!"},
    {ChListMsg::strsInvalidCountryCode, "strsInvalidCountryCode", "Eingegebener Länder-Code ist ungültig!"},
    {ChListMsg::strsInvalidEntry, "strsInvalidEntry", "Eingegebene Listen-Einträge sind ungültig!"},
    {ChListMsg::strsNoDelEntrySelected, "strsNoDelEntrySelected", "Kein Eintrag zum Löschen markiert!"},
};
using TChListMessages = TMessageTable<ChListMsg, kChListMessageRows>;

inline constexpr size_t kMaxChListName = 255;

class TChListGridTable : public TGridTable {
 public:
  enum Col : int { kID = 0, kName, kCountry, kColumnCount };

  TChListGridTable(TChListDataList& lists, const TChListMessages& messages);

  // A list was added, deleted or edited since the dialog opened.
  bool Modified() const { return modified_; }

  // Appends a list with id -1, no name and no country; returns its index.
  size_t AddList();
  // Removes a list; -1 or an index past the end shows strsNoDelEntrySelected (an error
  // box) and returns false. Services keep the id; their grid drops it when it draws them.
  bool DeleteList(int32_t index);
  // Closing is refused (strsInvalidEntry) at the first list without an id, a name or a
  // country.
  bool CanClose() const;

  int ColumnCount() const override { return kColumnCount; }
  std::u16string Header(int column) const override;
  TCellEditor Editor(int column) const override;
  // The 244 countries as "DEU - Germany", in table order, each storing its packed code.
  std::vector<TPickItem> PickList(int column) const override;
  bool RightAligned(int column) const override { return column == kID; }

  size_t RowCount() const override { return lists_.size(); }
  size_t RecordAt(size_t row) const override { return row; }

  std::u16string Text(size_t record, int column) override;

 protected:
  // Id: an integer -1..255 (a text that is no integer is -1), else strsInvalidID; an id
  // another list (or this one) has already is ignored without a message. Name: its first
  // 255 characters. Accepted edits count as modifications.
  bool StoreText(size_t record, int column, std::u16string_view text) override;
  bool StoreCode(size_t record, int column, int32_t code) override;
  // A country text counts by its first three characters, which must name a table entry
  // (in any letter case), else strsInvalidCountryCode.
  std::optional<int32_t> PickCode(int column, std::u16string_view text) const override;

 private:
  TChListData* List(size_t record) const;

  TChListDataList& lists_;
  const TChListMessages& messages_;
  bool modified_ = false;
};

// The first `max` UTF-16 units of a name, one less when the cut would split a pair.
std::u16string CutName(std::u16string_view name, size_t max);

}  // namespace quillon
