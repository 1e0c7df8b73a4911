#include "editor/ch_list_grid.h"

#include <algorithm>

#include "editor/cell_rules.h"
#include "platform/dialogs.h"
#include "platform/text.h"
#include "vocabulary/countries.h"

namespace quillon {

namespace {

constexpr const char16_t* kHeaders[TChListGridTable::kColumnCount] = {u"ID", u"Name", u"Länder-Code"};

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

std::u16string CutName(std::u16string_view name, size_t max) {
  if (name.size() <= max) return std::u16string(name);
  size_t n = max;
  if (n > 0 && IsHighSurrogate(name[n - 1])) --n;
  return std::u16string(name.substr(0, n));
}

TChListGridTable::TChListGridTable(TChListDataList& lists, const TChListMessages& messages)
    : lists_(lists), messages_(messages) {}

TChListData* TChListGridTable::List(size_t record) const { return record < lists_.size() ? lists_[record].get() : nullptr; }

size_t TChListGridTable::AddList() {
  lists_.push_back(std::make_unique<TChListData>());
  modified_ = true;
  return lists_.size() - 1;
}

bool TChListGridTable::DeleteList(int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= lists_.size()) {
    Dialogs().Show(DialogKind::ErrorCancel, messages_.Text(ChListMsg::strsNoDelEntrySelected));
    return false;
  }
  lists_.erase(lists_.begin() + index);
  modified_ = true;
  return true;
}

bool TChListGridTable::CanClose() const {
  for (const auto& list : lists_)
    if (list->ListID() == -1 || list->ListName().empty() || list->CountryCode() == 0) {
      Dialogs().Show(DialogKind::Message, messages_.Text(ChListMsg::strsInvalidEntry));
      return false;
    }
  return true;
}

std::u16string TChListGridTable::Header(int column) const {
  return column >= 0 && column < kColumnCount ? kHeaders[column] : u"";
}

TCellEditor TChListGridTable::Editor(int column) const {
  return column == kCountry ? TCellEditor::PickList : TCellEditor::Text;
}

std::vector<TPickItem> TChListGridTable::PickList(int column) const {
  if (column != kCountry) return {};
  std::vector<TPickItem> items;
  items.reserve(ISO_3166_1.size());
  for (const TISO3166_1Entry& entry : ISO_3166_1)
    items.push_back({CountryEntryText(entry), static_cast<int32_t>(PackCountryCode(entry.CountryCode3))});
  return items;
}

std::u16string TChListGridTable::Text(size_t record, int column) {
  const TChListData* list = List(record);
  if (!list) return {};
  switch (column) {
    case kID: return list->ListID() == -1 ? std::u16string() : Utf8ToUtf16(std::to_string(list->ListID()));
    case kName: return list->ListName();
    case kCountry: return CountryCodeDisplayText(list->CountryCode());
  }
  return {};
}

bool TChListGridTable::StoreText(size_t record, int column, std::u16string_view text) {
  TChListData* list = List(record);
  if (!list) return false;
  if (column == kID) {
    const int64_t v = ReadInteger(text).value_or(-1);
    if (v < -1 || v > 255) {
      Dialogs().Show(DialogKind::Message, messages_.Text(ChListMsg::strsInvalidID));
      return false;
    }
    // Ids stay unique: one that is taken (by this list too) is ignored without a word.
    if (std::any_of(lists_.begin(), lists_.end(), [v](const auto& l) { return l->ListID() == v; })) return false;
    list->SetListID(static_cast<int32_t>(v));
  } else if (column == kName) {
    std::u16string name = CutName(text, kMaxChListName);
    if (name == list->ListName()) return false;
    list->SetListName(name);
  } else {
    return false;
  }
  modified_ = true;
  return true;
}

std::optional<int32_t> TChListGridTable::PickCode(int column, std::u16string_view text) const {
  if (column != kCountry) return TGridTable::PickCode(column, text);
  if (const TISO3166_1Entry* entry = FindCountryEntry(PackCountryCode(text.substr(0, 3))))
    return static_cast<int32_t>(PackCountryCode(entry->CountryCode3));
  Dialogs().Show(DialogKind::Message, messages_.Text(ChListMsg::strsInvalidCountryCode));
  return std::nullopt;
}

bool TChListGridTable::StoreCode(size_t record, int column, int32_t code) {
  TChListData* list = List(record);
  if (!list || column != kCountry || static_cast<uint32_t>(code) == list->CountryCode()) return false;
  list->SetCountryCode(static_cast<uint32_t>(code));
  modified_ = true;
  return true;
}

}  // namespace quillon
