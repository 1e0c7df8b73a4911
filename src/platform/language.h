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
//                      text is a line break (CR LF), "\\" a backslash
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

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
  // The text in the active language; the German one when the active language lacks it.
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

  // Loads languages and texts; a file that cannot be read leaves only German and throws
  // StreamError naming the file.
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
  std::vector<std::string> names_{"German"};
  std::vector<std::map<std::string, std::string>> texts_{{}};  // per language: "Window.key" -> text
  int active_ = 1;
  std::vector<TLanguageTable*> tables_;
};

}  // namespace quillon
