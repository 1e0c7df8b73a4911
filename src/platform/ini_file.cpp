#include "platform/ini_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <system_error>
#include <unordered_set>

#include "platform/files.h"

namespace quillon {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string Trim(std::string_view s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string_view::npos) return {};
  size_t e = s.find_last_not_of(" \t");
  return std::string(s.substr(b, e - b + 1));
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool IsComment(std::string_view trimmed) { return !trimmed.empty() && (trimmed[0] == ';' || trimmed[0] == '#'); }

}  // namespace

IniFile::IniFile(std::filesystem::path path) : path_(std::move(path)) {
  std::error_code ec;
  if (!std::filesystem::exists(path_, ec)) return;
  Bytes raw = ReadFileBytes(path_, kMaxIniFileBytes);
  std::string_view text(reinterpret_cast<const char*>(raw.data()), raw.size());
  if (text.starts_with(kBom)) {
    bom_ = true;
    text.remove_prefix(kBom.size());
  }
  bool inSection = false;  // key lines before the first section header belong to none
  std::string section;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view raw_line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (raw_line.ends_with('\r')) {
      raw_line.remove_suffix(1);
      crlf_ = true;
    }
    Line line;
    line.text = std::string(raw_line);
    std::string trimmed = Trim(raw_line);
    size_t close = trimmed.find(']');
    if (trimmed.starts_with('[') && close != std::string::npos) {
      section = Trim(std::string_view(trimmed).substr(1, close - 1));
      inSection = true;
      line.isHeader = true;
      line.section = section;
    } else if (inSection && !IsComment(trimmed)) {
      size_t eq = trimmed.find('=');
      if (eq != std::string::npos) {
        line.key = Trim(std::string_view(trimmed).substr(0, eq));
        if (!line.key.empty()) line.section = section;
      }
    }
    lines_.push_back(std::move(line));
  }
}

int IniFile::FindKey(const std::string& section, const std::string& key) const {
  for (size_t i = 0; i < lines_.size(); ++i)
    if (!lines_[i].key.empty() && SameName(lines_[i].key, key) && SameName(lines_[i].section, section))
      return static_cast<int>(i);
  return -1;
}

int IniFile::FindHeader(const std::string& section) const {
  for (size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].isHeader && SameName(lines_[i].section, section)) return static_cast<int>(i);
  return -1;
}

std::string IniFile::ValueOf(const Line& line) {
  return Trim(std::string_view(line.text).substr(line.text.find('=') + 1));
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
  int i = FindKey(section, key);
  return i < 0 ? defaultValue : ValueOf(lines_[i]);
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const {
  std::string value = ReadString(section, key, "");
  if (value.empty()) return defaultValue;
  errno = 0;
  char* end = nullptr;
  long v = std::strtol(value.c_str(), &end, 10);
  if (end == value.c_str() || errno == ERANGE || v < INT_MIN || v > INT_MAX) return defaultValue;
  return static_cast<int>(v);
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
  int i = FindKey(section, key);
  if (i >= 0) {
    Line& line = lines_[i];
    std::string text = line.key + "=" + value;
    if (line.text != text) {
      line.text = std::move(text);
      dirty_ = true;
    }
    return;
  }
  Line line;
  line.text = key + "=" + value;
  line.key = key;
  line.section = section;
  dirty_ = true;
  int header = FindHeader(section);
  if (header < 0) {
    Line head;
    head.text = "[" + section + "]";
    head.section = section;
    head.isHeader = true;
    lines_.push_back(std::move(head));
    lines_.push_back(std::move(line));
    return;
  }
  // After the section's last key line, so trailing comments and blank lines stay below.
  size_t at = static_cast<size_t>(header) + 1;
  for (size_t j = at; j < lines_.size() && !lines_[j].isHeader; ++j)
    if (!lines_[j].key.empty()) at = j + 1;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

std::vector<std::string> IniFile::ReadSectionKeys(const std::string& section) const {
  std::vector<std::string> keys;
  std::unordered_set<std::string> seen;  // lower-case; a repeated key is listed once
  for (const Line& line : lines_) {
    if (line.key.empty() || !SameName(line.section, section)) continue;
    std::string folded = line.key;
    for (char& c : folded) c = Lower(c);
    if (seen.insert(folded).second) keys.push_back(line.key);
  }
  return keys;
}

bool IniFile::SectionExists(const std::string& section) const { return FindHeader(section) >= 0; }

void IniFile::UpdateFile() {
  if (!dirty_) return;
  const std::string_view eol = crlf_ ? "\r\n" : "\n";
  std::string out;
  if (bom_) out.append(kBom);
  for (const Line& line : lines_) {
    out.append(line.text);
    out.append(eol);
  }
  WriteFileBytes(path_, AsBytes(out));
  dirty_ = false;
}

}  // namespace quillon
