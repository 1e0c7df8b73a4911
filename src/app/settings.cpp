#include "app/settings.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include <sys/statvfs.h>
#include <unistd.h>

#include "platform/errors.h"
#include "platform/ini_file.h"
#include "platform/language.h"

namespace quillon {

namespace fs = std::filesystem;

int ParseSettingInteger(const std::string& text, int defaultValue) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return defaultValue;
  const size_t last = text.find_last_not_of(" \t");
  const std::string value = text.substr(first, last - first + 1);
  const bool hex = value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X');
  const char* start = value.c_str() + (hex ? 2 : 0);
  // strtol would accept a sign or blanks after "0x"; the hex digits must follow at once.
  if (hex && !std::isxdigit(static_cast<unsigned char>(*start))) return defaultValue;
  errno = 0;
  char* end = nullptr;
  const long v = std::strtol(start, &end, hex ? 16 : 10);
  if (end == start || *end != '\0' || errno == ERANGE || v < INT_MIN || v > INT_MAX) return defaultValue;
  return static_cast<int>(v);
}

std::string ReadSettingString(const TProgramPaths& paths, const char* section, const char* key,
                              const std::string& defaultValue) {
  try {
    return IniFile(paths.SettingsFile()).ReadString(section, key, defaultValue);
  } catch (const QuillonError&) {
    return defaultValue;  // an unreadable file gives the defaults
  }
}

int ReadSettingInteger(const TProgramPaths& paths, const char* section, const char* key, int defaultValue) {
  return ParseSettingInteger(ReadSettingString(paths, section, key, ""), defaultValue);
}

bool ReadSettingBool(const TProgramPaths& paths, const char* section, const char* key, bool defaultValue) {
  return ReadSettingInteger(paths, section, key, defaultValue ? 1 : 0) != 0;
}

void WriteSettingInteger(const TProgramPaths& paths, const char* section, const char* key, int value) {
  IniFile ini(paths.SettingsFile());
  ini.WriteInteger(section, key, value);
  ini.UpdateFile();
}

void WriteSettingBool(const TProgramPaths& paths, const char* section, const char* key, bool value) {
  WriteSettingInteger(paths, section, key, value ? 1 : 0);
}

bool LoadStartWithNew(const TProgramPaths& paths) {
  return ReadSettingBool(paths, kSettingsSection, kOpenNewOnStartKey, false);
}

void SaveStartWithNew(const TProgramPaths& paths, bool value) {
  WriteSettingBool(paths, kSettingsSection, kOpenNewOnStartKey, value);
}

TSplashSettings LoadSplashSettings(const TProgramPaths& paths) {
  TSplashSettings s;
  s.PrgName1 = ReadSettingString(paths, kSplashSection, "PrgName1", s.PrgName1);
  s.PrgName2 = ReadSettingString(paths, kSplashSection, "PrgName2", s.PrgName2);
  s.ShowTime = ReadSettingInteger(paths, kSplashSection, "ShowTime", s.ShowTime);
  s.ShowSplash = ReadSettingBool(paths, kSplashSection, "ShowSplash", s.ShowSplash);
  return s;
}

void ApplyOptions(TSettings& settings, bool startWithNew, int languagePosition, TLangDispatcher& dispatcher) {
  settings.StartWithNew = startWithNew;
  const int index = std::min(languagePosition + 1, dispatcher.LanguageCount());
  dispatcher.SetActiveIndex(index);
  settings.ActLangIdx = dispatcher.ActiveIndex();
}

bool IsReadOnlyFolder(const fs::path& folder) {
  struct statvfs fsInfo {};
  if (::statvfs(folder.c_str(), &fsInfo) == 0 && (fsInfo.f_flag & ST_RDONLY)) return true;
  return ::access(folder.c_str(), W_OK) != 0;
}

TProgramPaths ResolveProgramPaths(const TProgramPaths& program, const fs::path& fallbackFolder,
                                  const std::function<bool(const fs::path&)>& readOnly) {
  if (fallbackFolder.empty() || !readOnly(program.ProgramFolder)) return program;
  std::error_code ec;
  fs::create_directories(fallbackFolder, ec);
  if (ec) return program;  // nowhere better: reads still work, writes report their error
  TProgramPaths paths = program;
  paths.ProgramFolder = fallbackFolder;
  return paths;
}

}  // namespace quillon
