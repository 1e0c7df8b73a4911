#pragma once
// One editing grid without its widget: its columns, the text of every cell, the editor a
// cell offers, how a new text or a picked entry is accepted, and the order of its rows.
// Each row names a record by its index in the record list, which keeps its own order
// (the NIT order); sorting moves rows, never records.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

enum class TCellEditor {
  Text,      // a text field
  IDText,    // a text field that starts with "0x" when the cell is empty
  PickList,  // a drop-down list of fixed entries; no free text
};

// One entry of a pick list: what it shows and the code choosing it stores.
struct TPickItem {
  std::u16string Text;
  int32_t Code;
  bool operator==(const TPickItem&) const = default;
};

// The sort state of a grid's header. A grid starts with column 0 ascending and its rows
// unsorted, so the first click on column 0 sorts descending.
struct TGridSort {
  int Column = 0;  // -1: no sort column
  bool Ascending = true;

  // A click on `column`: a column that does not sort clears the sort column and returns
  // false; otherwise the clicked column becomes the sort column (ascending) or, when it
  // already is, reverses its order, and the rows are to be sorted (true).
  bool Click(int column, bool sortable);
};

class TGridTable {
 public:
  virtual ~TGridTable() = default;

  virtual int ColumnCount() const = 0;
  virtual std::u16string Header(int column) const = 0;
  virtual TCellEditor Editor(int column) const = 0;
  // The entries of a pick-list column in list order; empty for other columns.
  virtual std::vector<TPickItem> PickList(int column) const;
  virtual bool RightAligned(int column) const;

  virtual size_t RowCount() const = 0;
  // The record shown in display row `row`.
  virtual size_t RecordAt(size_t row) const = 0;
  std::vector<int32_t> Order() const;

  // Drawing a cell may tidy its record (the channel-list column does), hence not const.
  virtual std::u16string Text(size_t record, int column) = 0;
  virtual int ImageIndex(size_t record, int column) const;
  virtual bool Editable(size_t record, int column) const;
  // A typed text, or the text of a pick-list entry. True when the record changed; a
  // refused text shows its message and changes nothing, and so does a text equal to the
  // one shown, a text no entry of a pick list has, and any edit of a cell that is not
  // editable.
  bool SetText(size_t record, int column, std::u16string_view text);
  // A pick-list entry chosen by its code; codes the column does not offer are ignored.
  bool SetCode(size_t record, int column, int32_t code);

  virtual bool Sortable(int column) const;
  const TGridSort& Sort() const { return sort_; }
  // A header click (left or middle button). True when rows moved.
  bool HeaderClick(int column);
  // Sorts the rows by `column` in the given direction without touching the sort state.
  // Rows with equal keys keep their order. True when rows moved.
  bool SortRows(int column, bool ascending);

 protected:
  // A changed text of a text column; shows the refusal message itself.
  virtual bool StoreText(size_t record, int column, std::u16string_view text) = 0;
  // Stores a code of the column's pick list. True when the record changed.
  virtual bool StoreCode(size_t record, int column, int32_t code) = 0;
  // The code a text names in a pick-list column: by default the code of the entry with
  // exactly that text. nullopt (after any message) when it names none.
  virtual std::optional<int32_t> PickCode(int column, std::u16string_view text) const;
  virtual void SetOrder(std::vector<int32_t> order);
  // Node1 minus Node2 by the column's key: <0, 0, >0.
  virtual int Compare(size_t a, size_t b, int column) const;
  // A record without a value in the column (-1): it sorts last in either direction.
  virtual bool IsNone(size_t record, int column) const;

 private:
  TGridSort sort_;
};

// The sign of a key difference, as the comparators return it.
template <class T>
int KeySign(T a, T b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace quillon
