#pragma once
// Texts of a window's components kept in its language table under "<component>.<property>"
// and put on the widgets found by object name.
#include <span>

class QWidget;

namespace quillon {

class TLanguageTable;

struct TCaptionRow {
  const char* Component;  // object name
  const char* Property;   // "Caption", "Hint" or "Items" (item captions joined by '|')
  const char* German;
};

// Registers the German texts of `rows` in `table`.
void AddCaptions(TLanguageTable& table, std::span<const TCaptionRow> rows);
// Puts the active language's texts of `rows` on the children of `root` (and `root`):
// a page's caption becomes its tab text, a group box's or menu's its title, a button's,
// label's or action's its text, a window's its title; an action's hint is also its status tip.
void ApplyCaptions(QWidget* root, const TLanguageTable& table, std::span<const TCaptionRow> rows);

}  // namespace quillon
