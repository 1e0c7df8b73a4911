#include "platform/language.h"

#include <algorithm>
#include <cctype>

#include "platform/ini_file.h"

namespace quillon {

namespace {

// A text line cannot hold a line break: "\n" in the file stands for one (CR LF, as in the
// built-in texts), "\\" for a backslash; "\s" is a space that the line's trimming keeps,
// for a text that begins or ends with one.
std::string Unescape(const std::string& value) {
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    const char next = i + 1 < value.size() ? value[i + 1] : '\0';
    if (value[i] == '\\' && (next == 'n' || next == '\\' || next == 's')) {
      out += next == 'n' ? "\r\n" : next == 's' ? " " : "\\";
      ++i;
    } else {
      out += value[i];
    }
  }
  return out;
}

// The line breaks of a translation as the German text has them: CR LF in the desktop
// program's texts, LF alone in the command-line tool's.
std::string LineBreaksLike(const std::string& german, std::string text) {
  if (german.find('\n') == std::string::npos || german.find("\r\n") != std::string::npos) return text;
  for (size_t at; (at = text.find("\r\n")) != std::string::npos;) text.erase(at, 1);
  return text;
}

}  // namespace

std::vector<std::string> PrintfConversions(std::string_view format) {
  constexpr std::string_view kFlags = "-+ #0'";
  constexpr std::string_view kLengths = "hlLqjzt";
  constexpr std::string_view kConversions = "diouxXeEfFgGaAcspn";
  std::vector<std::string> out;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') continue;
    if (i + 1 < format.size() && format[i + 1] == '%') {
      ++i;
      continue;
    }
    std::string conversion;
    size_t j = i + 1;
    while (j < format.size() && kFlags.find(format[j]) != std::string_view::npos) ++j;
    auto widthOrPrecision = [&] {
      if (j < format.size() && format[j] == '*') {
        conversion += '*';
        ++j;
      }
      while (j < format.size() && format[j] >= '0' && format[j] <= '9') ++j;
    };
    widthOrPrecision();
    if (j < format.size() && format[j] == '.') {
      ++j;
      widthOrPrecision();
    }
    while (j < format.size() && kLengths.find(format[j]) != std::string_view::npos) conversion += format[j++];
    if (j < format.size() && kConversions.find(format[j]) != std::string_view::npos) {
      conversion += format[j];
      out.push_back(std::move(conversion));
    } else {
      std::string unknown(1, '?');
      if (j < format.size()) unknown += format[j];
      out.push_back(std::move(unknown));
    }
    i = j < format.size() ? j : format.size();
  }
  return out;
}

TLanguageTable::TLanguageTable(std::string window, TLangDispatcher* dispatcher)
    : window_(std::move(window)), dispatcher_(dispatcher ? dispatcher : &TLangDispatcher::Instance()) {
  dispatcher_->Attach(this);
}

TLanguageTable::~TLanguageTable() { dispatcher_->Detach(this); }

const std::string& TLanguageTable::Add(const std::string& key, const std::string& german) {
  return german_[key] = german;
}

std::string TLanguageTable::Text(const std::string& key) const {
  auto it = german_.find(key);
  std::string german = it == german_.end() ? std::string() : it->second;
  int active = dispatcher_->ActiveIndex();
  if (active > 1) {
    std::string t = dispatcher_->Lookup(window_, key, active);
    if (!t.empty() && PrintfConversions(t) == PrintfConversions(german)) return LineBreaksLike(german, std::move(t));
  }
  return german;
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
  // Whatever the file holds, the tables show the texts of what is loaded afterwards.
  auto settle = [this] {
    if (active_ > LanguageCount()) active_ = LanguageCount();
    NotifyTables();
  };
  try {
    IniFile ini(file);
    for (int i = 2;; ++i) {
      std::string name = ini.ReadString("Languages", std::to_string(i), "");
      if (name.empty()) break;
      std::map<std::string, std::string> texts;
      for (const std::string& key : ini.ReadSectionKeys(name)) texts[key] = Unescape(ini.ReadString(name, key, ""));
      names_.push_back(name);
      texts_.push_back(std::move(texts));
    }
  } catch (...) {
    names_ = {"German"};
    texts_ = {{}};
    settle();
    throw;
  }
  settle();
}

void TLangDispatcher::SetActiveIndex(int index) {
  index = std::clamp(index, 1, LanguageCount());
  bool changed = index != active_;
  active_ = index;
  if (changed) NotifyTables();
}

void TLangDispatcher::NotifyTables() {
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
