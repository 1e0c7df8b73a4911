#pragma once
// The message texts of one window or module: ids with German defaults that the language
// layer replaces at run time.
#include <cstddef>
#include <string>
#include <vector>

namespace quillon {

template <class Id>
struct TMessageRow {
  Id id;
  const char* name;  // the id as written in language files, "strsExportOK"
  const char* text;  // German default, UTF-8
};

// `kRows` is the table of defaults, one row per id.
template <class Id, const auto& kRows>
class TMessageTable {
 public:
  TMessageTable() {
    for (const TMessageRow<Id>& row : kRows) Slot(row.id) = row.text;
  }
  const std::string& Text(Id id) const { return texts_.at(Index(id)); }
  const char* CText(Id id) const { return Text(id).c_str(); }
  void SetText(Id id, const std::string& text) { Slot(id) = text; }
  static const auto& Rows() { return kRows; }
  static const char* IdName(Id id) { return Row(id).name; }
  // The built-in German text, whatever language is active.
  static const char* DefaultText(Id id) { return Row(id).text; }

 private:
  static const TMessageRow<Id>& Row(Id id) {
    static constexpr TMessageRow<Id> kNone{Id{}, "", ""};
    for (const TMessageRow<Id>& row : kRows)
      if (row.id == id) return row;
    return kNone;
  }

  static size_t Index(Id id) { return static_cast<size_t>(id); }
  std::string& Slot(Id id) {
    if (Index(id) >= texts_.size()) texts_.resize(Index(id) + 1);
    return texts_[Index(id)];
  }

  std::vector<std::string> texts_;  // by id: the ids are small enum values
};

}  // namespace quillon
