#pragma once
// Run-time language switching. Every window keeps a language table with its German texts
// built in; the one dispatcher owns the list of languages (German first, then those of
// the language file beside the program) and the active language, and tells every
// attached table when it changes. Texts are UTF-8.
//
// Language file (".sib", else ".sil", named like the program): UTF-8 INI text.
//   [Languages]        1=German, 2=English, ...  (entry 1 is always the built-in German)
//   [English]          <Window>.<key>=<text>, where key is "<component>.<property>" for a
//                      widget text or a message id such as "strsAskForSaving"; "\n" in a
//                      text is a line break (CR LF, or LF where the German text has LF
//                      alone), "\\" a backslash, "\s" a space (kept at either end)
// A translation whose printf conversions differ from the German text's is not used: it
// would read arguments of other types, or more of them, than the caller passes.
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/message_table.h"

namespace quillon {

class TLangDispatcher;

class TLanguageTable {
 public:
  // `window` names the window in the language file, e.g. "TMainForm".
  explicit TLanguageTable(std::string window, TLangDispatcher* dispatcher = nullptr);
  ~TLanguageTable();
  TLanguageTable(const TLanguageTable&) = delete;
  TLanguageTable& operator=(const TLanguageTable&) = delete;

  const std::string& Window() const { return window_; }
  // Registers a German text; returns it so declarations can read `T.Add("x", "Text")`.
  const std::string& Add(const std::string& key, const std::string& german);
  // The text in the active language; the German one when the active language lacks it
  // or its printf conversions are not those of the German text.
  std::string Text(const std::string& key) const;
  // The keys of every registered text.
  std::vector<std::string> Keys() const;
  // Called after the active language changed.
  std::function<void()> OnChange;

 private:
  friend class TLangDispatcher;
  std::string window_;
  std::map<std::string, std::string> german_;
  TLangDispatcher* dispatcher_;
};

class TLangDispatcher {
 public:
  TLangDispatcher();
  // The application's dispatcher.
  static TLangDispatcher& Instance();

  // Loads languages and texts and tells every attached table; a file that cannot be read
  // leaves only German and throws StreamError naming the file.
  void LoadFile(const std::filesystem::path& file);
  // The language file beside the program: "<name>.sib", else "<name>.sil"; empty if none.
  static std::filesystem::path FindLanguageFile(const std::filesystem::path& folder, const std::string& programName);

  int LanguageCount() const { return static_cast<int>(names_.size()); }
  const std::vector<std::string>& LanguageNames() const { return names_; }
  int ActiveIndex() const { return active_; }  // 1-based
  // Clamps to 1..LanguageCount(), then switches every attached table.
  void SetActiveIndex(int index);
  // -1 when `index` exceeds the number of languages, 1 when already active, else 0.
  int SwitchLanguage(int index);

  // The text of `window`/`key` in language `index`, or empty.
  std::string Lookup(const std::string& window, const std::string& key, int index) const;

  void Attach(TLanguageTable* table);
  void Detach(TLanguageTable* table);
  const std::vector<TLanguageTable*>& Tables() const { return tables_; }

 private:
  void NotifyTables();
  std::vector<std::string> names_{"German"};
  std::vector<std::map<std::string, std::string>> texts_{{}};  // per language: "Window.key" -> text
  int active_ = 1;
  std::vector<TLanguageTable*> tables_;
};

// The printf conversions of `format` in order, each as what decides the arguments it
// reads: '*' for a width or precision taken from an argument, the length modifier and the
// conversion ("d", "*s", "zu", "llu"). Flags, widths and precisions in digits do not count;
// "%%" is none; anything else after a '%' (a "%1$s", a '%' at the end) is "?" and its
// character, which no German text has.
std::vector<std::string> PrintfConversions(std::string_view format);

// Registers the German texts of a message table (TMessageTable) with `lang`.
template <class Table>
void AddMessageRows(TLanguageTable& lang) {
  for (const auto& row : Table::Rows()) lang.Add(row.name, row.text);
}

// Gives every row of `table` its text in the active language of `lang`.
template <class Table>
void ApplyMessageRows(Table& table, const TLanguageTable& lang) {
  for (const auto& row : Table::Rows()) table.SetText(row.id, lang.Text(row.name));
}

// A module's message table that follows the active language: `window` names its rows in
// the language file.
template <class Table>
class TLanguageMessages : public Table {
 public:
  explicit TLanguageMessages(std::string window, TLangDispatcher* dispatcher = nullptr)
      : lang_(std::move(window), dispatcher) {
    AddMessageRows<Table>(lang_);
    lang_.OnChange = [this] { ApplyMessageRows<Table>(*this, lang_); };
    ApplyMessageRows<Table>(*this, lang_);
  }
  TLanguageMessages(const TLanguageMessages&) = delete;
  TLanguageMessages& operator=(const TLanguageMessages&) = delete;

 private:
  TLanguageTable lang_;
};

// The program's table of one module's texts, made on first use and following the
// application's dispatcher from then on; the core's modules reach their texts this way,
// so that one switch of TLangDispatcher::Instance() changes them all.
template <class Table>
const Table& ModuleMessages(const char* window) {
  static TLanguageMessages<Table> table(window);
  return table;
}

}  // namespace quillon
