#pragma once
// An INI-form text file with the semantics of the platform's profile functions: read a
// key with a default, write a key, list a section's keys; the file is updated in place,
// keeping every other line (comments, order, unknown sections) as it was. Section and
// key names compare case-insensitively (ASCII). Text is UTF-8.
#include <filesystem>
#include <string>
#include <vector>

namespace quillon {

class IniFile {
 public:
  // Loads the file when it exists; a missing file is an empty one.
  // Throws StreamError when an existing file cannot be read or holds more than
  // kMaxIniFileBytes.
  explicit IniFile(std::filesystem::path path);

  const std::filesystem::path& Path() const { return path_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
  // Replaces the value of an existing key in place, or appends the key to its section
  // (the section is appended to the file when missing).
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int value);
  // The keys of a section in file order (empty when the section is missing).
  std::vector<std::string> ReadSectionKeys(const std::string& section) const;
  bool SectionExists(const std::string& section) const;

  // Writes the file when anything changed; throws StreamError naming the file.
  void UpdateFile();

 private:
  struct Line {
    std::string text;     // the line as in the file, without its line break
    std::string section;  // for key lines and section headers: the section's name
    std::string key;      // for key lines: the key (trimmed); empty otherwise
    bool isHeader = false;
  };
  int FindKey(const std::string& section, const std::string& key) const;
  int FindHeader(const std::string& section) const;
  static std::string ValueOf(const Line& line);

  std::filesystem::path path_;
  std::vector<Line> lines_;
  bool crlf_ = false;
  bool bom_ = false;
  bool dirty_ = false;
};

}  // namespace quillon
