#include "editor/grid_table.h"

#include <algorithm>

namespace quillon {

bool TGridSort::Click(int column, bool sortable) {
  if (!sortable) {
    Column = -1;
    return false;
  }
  if (column == Column) {
    Ascending = !Ascending;
  } else {
    Column = column;
    Ascending = true;
  }
  return true;
}

std::vector<TPickItem> TGridTable::PickList(int) const { return {}; }
bool TGridTable::RightAligned(int) const { return false; }

std::vector<int32_t> TGridTable::Order() const {
  std::vector<int32_t> order(RowCount());
  for (size_t row = 0; row < order.size(); ++row) order[row] = static_cast<int32_t>(RecordAt(row));
  return order;
}

int TGridTable::ImageIndex(size_t, int) const { return -1; }
bool TGridTable::Editable(size_t, int) const { return true; }

bool TGridTable::SetText(size_t record, int column, std::u16string_view text) {
  if (record >= RowCount() || column < 0 || column >= ColumnCount() || !Editable(record, column)) return false;
  // An editor closed without a change stores nothing, so a refused value (a stream's
  // TS-ID 0 of a new row) is not reported again, and names keep what the cell hides.
  if (text == Text(record, column)) return false;
  if (Editor(column) != TCellEditor::PickList) return StoreText(record, column, text);
  std::optional<int32_t> code = PickCode(column, text);
  return code && SetCode(record, column, *code);
}

std::optional<int32_t> TGridTable::PickCode(int column, std::u16string_view text) const {
  for (const TPickItem& item : PickList(column))
    if (item.Text == text) return item.Code;
  return std::nullopt;
}

bool TGridTable::SetCode(size_t record, int column, int32_t code) {
  if (record >= RowCount() || Editor(column) != TCellEditor::PickList || !Editable(record, column)) return false;
  std::vector<TPickItem> items = PickList(column);
  if (std::none_of(items.begin(), items.end(), [code](const TPickItem& i) { return i.Code == code; })) return false;
  return StoreCode(record, column, code);
}
bool TGridTable::Sortable(int) const { return false; }
void TGridTable::SetOrder(std::vector<int32_t>) {}
int TGridTable::Compare(size_t, size_t, int) const { return 0; }
bool TGridTable::IsNone(size_t, int) const { return false; }

bool TGridTable::HeaderClick(int column) {
  if (!sort_.Click(column, Sortable(column))) return false;
  return SortRows(sort_.Column, sort_.Ascending);
}

bool TGridTable::SortRows(int column, bool ascending) {
  std::vector<int32_t> order = Order();
  const std::vector<int32_t> before = order;
  // A stable merge sort: rows with equal keys keep their places, and the frequency keys,
  // which treat values less than half a unit apart as equal, cannot upset it.
  std::stable_sort(order.begin(), order.end(), [&](int32_t x, int32_t y) {
    const size_t a = static_cast<size_t>(x), b = static_cast<size_t>(y);
    const bool noneA = IsNone(a, column), noneB = IsNone(b, column);
    if (noneA || noneB) return !noneA;
    const int c = Compare(a, b, column);
    return ascending ? c < 0 : c > 0;
  });
  if (order == before) return false;
  SetOrder(std::move(order));
  return true;
}

}  // namespace quillon
