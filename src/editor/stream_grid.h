#pragma once
// The transport-stream grids: cable (vtCableDescr) and terrestrial (vtTerrestDescr), one
// row per record of the editor's list of that type, shown in the editor's row order (the
// order the project block saves).
#include "editor/grid_table.h"
#include "editor/nit_editor.h"

namespace quillon {

class TStreamGridTable : public TGridTable {
 public:
  // The grid of one network type; it shows no rows while the editor has the other type.
  TStreamGridTable(TNitEditor& editor, TNetworkType type);

  TNetworkType Type() const { return type_; }
  static constexpr int kNetIDColumn = 1;  // carried, never shown
  struct Column;  // one column's header, kind and field

  int ColumnCount() const override;
  std::u16string Header(int column) const override;
  TCellEditor Editor(int column) const override;
  std::vector<TPickItem> PickList(int column) const override;

  size_t RowCount() const override;
  size_t RecordAt(size_t row) const override;
  // The display row of a record, or -1.
  int RowOfRecord(size_t record) const;

  std::u16string Text(size_t record, int column) override;
  bool Sortable(int column) const override;

 protected:
  // Accepted edits mark the editor modified. Ids refused show strsInvalidPID; texts
  // that are no numbers, and TSI/MFI values outside 0..255, their own messages.
  bool StoreText(size_t record, int column, std::u16string_view text) override;
  bool StoreCode(size_t record, int column, int32_t code) override;
  // A sort that moves rows changes the saved row order, so it marks the editor modified.
  void SetOrder(std::vector<int32_t> order) override;
  int Compare(size_t a, size_t b, int column) const override;

 private:
  const Column* Col(int column) const;
  TTransportStreamData* Record(size_t record) const;

  TNitEditor& editor_;
  TNetworkType type_;
};

}  // namespace quillon
