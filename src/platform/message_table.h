#pragma once
// The message texts of one window or module: ids with German defaults that the language
// layer replaces at run time.
#include <map>
#include <string>

namespace quillon {

template <class Id>
struct TMessageRow {
  Id id;
  const char* name;  // the id as written in language files, "strsExportOK"
  const char* text;  // German default, UTF-8
};

// `Rows` is the table of defaults, one row per id.
template <class Id, const auto& Rows>
class TMessageTable {
 public:
  TMessageTable() {
    for (const TMessageRow<Id>& row : Rows) texts_[row.id] = row.text;
  }
  const std::string& Text(Id id) const { return texts_.at(id); }
  void SetText(Id id, const std::string& text) { texts_[id] = text; }
  static const char* IdName(Id id) {
    for (const TMessageRow<Id>& row : Rows)
      if (row.id == id) return row.name;
    return "";
  }

 private:
  std::map<Id, std::string> texts_;
};

}  // namespace quillon
