#include "platform/language.h"

#include <algorithm>
#include <cctype>

#include "platform/ini_file.h"

namespace quillon {

namespace {

// A text line cannot hold a line break: "\n" in the file stands for one (CR LF, as in the
// built-in texts), "\\" for a backslash.
std::string Unescape(const std::string& value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size() && (value[i + 1] == 'n' || value[i + 1] == '\\')) {
      out += value[++i] == 'n' ? "\r\n" : "\\";
    } else {
      out += value[i];
    }
  }
  return out;
}

}  // namespace

TLanguageTable::TLanguageTable(std::string window, TLangDispatcher* dispatcher)
    : window_(std::move(window)), dispatcher_(dispatcher ? dispatcher : &TLangDispatcher::Instance()) {
  dispatcher_->Attach(this);
}

TLanguageTable::~TLanguageTable() { dispatcher_->Detach(this); }

const std::string& TLanguageTable::Add(const std::string& key, const std::string& german) {
  return german_[key] = german;
}

std::string TLanguageTable::Text(const std::string& key) const {
  int active = dispatcher_->ActiveIndex();
  if (active > 1) {
    std::string t = dispatcher_->Lookup(window_, key, active);
    if (!t.empty()) return t;
  }
  auto it = german_.find(key);
  return it == german_.end() ? std::string() : it->second;
}

std::vector<std::string> TLanguageTable::Keys() const {
  std::vector<std::string> keys;
  for (const auto& entry : german_) keys.push_back(entry.first);
  return keys;
}

TLangDispatcher::TLangDispatcher() = default;

TLangDispatcher& TLangDispatcher::Instance() {
  static TLangDispatcher dispatcher;
  return dispatcher;
}

std::filesystem::path TLangDispatcher::FindLanguageFile(const std::filesystem::path& folder,
                                                        const std::string& programName) {
  for (const char* ext : {".sib", ".sil"}) {
    std::filesystem::path p = folder / (programName + ext);
    std::error_code ec;
    if (std::filesystem::is_regular_file(p, ec)) return p;
  }
  return {};
}

void TLangDispatcher::LoadFile(const std::filesystem::path& file) {
  names_ = {"German"};
  texts_ = {{}};
  IniFile ini(file);
  for (int i = 2;; ++i) {
    std::string name = ini.ReadString("Languages", std::to_string(i), "");
    if (name.empty()) break;
    std::map<std::string, std::string> texts;
    for (const std::string& key : ini.ReadSectionKeys(name)) texts[key] = Unescape(ini.ReadString(name, key, ""));
    names_.push_back(name);
    texts_.push_back(std::move(texts));
  }
  if (active_ > LanguageCount()) active_ = LanguageCount();
}

void TLangDispatcher::SetActiveIndex(int index) {
  index = std::clamp(index, 1, LanguageCount());
  bool changed = index != active_;
  active_ = index;
  if (!changed) return;
  // A copy: a handler may create or destroy windows.
  std::vector<TLanguageTable*> tables = tables_;
  for (TLanguageTable* t : tables)
    if (std::find(tables_.begin(), tables_.end(), t) != tables_.end() && t->OnChange) t->OnChange();
}

int TLangDispatcher::SwitchLanguage(int index) {
  if (index > LanguageCount()) return -1;
  if (index == active_) return 1;
  SetActiveIndex(index);
  return 0;
}

std::string TLangDispatcher::Lookup(const std::string& window, const std::string& key, int index) const {
  if (index < 1 || index > LanguageCount()) return {};
  const auto& texts = texts_[static_cast<size_t>(index - 1)];
  // The INI layer compares keys case-insensitively; the map keeps the file's spelling.
  auto it = texts.find(window + "." + key);
  if (it != texts.end()) return it->second;
  std::string wanted = window + "." + key;
  for (const auto& [k, v] : texts)
    if (k.size() == wanted.size() && std::equal(k.begin(), k.end(), wanted.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        }))
      return v;
  return {};
}

void TLangDispatcher::Attach(TLanguageTable* table) {
  if (std::find(tables_.begin(), tables_.end(), table) == tables_.end()) tables_.push_back(table);
}

void TLangDispatcher::Detach(TLanguageTable* table) { std::erase(tables_, table); }

}  // namespace quillon
