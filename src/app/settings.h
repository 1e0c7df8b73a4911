#pragma once
// The program's options and the settings file "<program>.dat" (INI form) that keeps
// them, the start splash's options and the active language. Standard C++ only: the
// windows call these, the tests call them without a window.
#include <filesystem>
#include <functional>
#include <string>

#include "platform/paths.h"

namespace quillon {

class TLangDispatcher;

struct TSettings {
  bool StartWithNew = false;  // open a new, empty project when the program starts
  int ActLangIdx = 1;         // 1-based index of the active language

  bool operator==(const TSettings&) const = default;
};
using PSettings = TSettings*;

inline constexpr char kSettingsSection[] = "SETTINGS";
inline constexpr char kOpenNewOnStartKey[] = "OpenNewOnStart";
inline constexpr char kLanguageSection[] = "LANGUAGE";
inline constexpr char kActiveIdxKey[] = "ActiveIdx";
inline constexpr char kSplashSection[] = "SPLASH";

// A settings value as an integer: decimal, or hexadecimal after "0x"; surrounding
// blanks allowed. Anything else (empty, trailing characters, out of range) is the default.
int ParseSettingInteger(const std::string& text, int defaultValue);

// Reads fall back to the default when the file is missing or unreadable; writes create
// the file and throw StreamError naming it when it cannot be written.
int ReadSettingInteger(const TProgramPaths& paths, const char* section, const char* key, int defaultValue);
// Any integer other than 0 is true.
bool ReadSettingBool(const TProgramPaths& paths, const char* section, const char* key, bool defaultValue);
std::string ReadSettingString(const TProgramPaths& paths, const char* section, const char* key,
                              const std::string& defaultValue);
void WriteSettingInteger(const TProgramPaths& paths, const char* section, const char* key, int value);
void WriteSettingBool(const TProgramPaths& paths, const char* section, const char* key, bool value);

// "OpenNewOnStart" of section "SETTINGS".
bool LoadStartWithNew(const TProgramPaths& paths);
void SaveStartWithNew(const TProgramPaths& paths, bool value);

// Section "SPLASH": read by the splash window, never written.
struct TSplashSettings {
  std::string PrgName1 = "Zarem";
  std::string PrgName2 = "Software";
  int ShowTime = 3000;  // milliseconds
  bool ShowSplash = true;
};
TSplashSettings LoadSplashSettings(const TProgramPaths& paths);

// Apply in the options dialog: the dialog's values go into `settings`, the language at
// list position `languagePosition` (0-based; past the end means the last) becomes active.
void ApplyOptions(TSettings& settings, bool startWithNew, int languagePosition, TLangDispatcher& dispatcher);

// True when `folder` lies on a read-only file system or cannot be written by this user.
bool IsReadOnlyFolder(const std::filesystem::path& folder);

// The paths the whole program uses. Normally the program's own folder; when that is
// read-only, `fallbackFolder` (the user's application-data folder, created here) takes
// its place for the settings file and the "Data" folder, so an installed program still
// keeps its options and projects. The program name stays.
TProgramPaths ResolveProgramPaths(const TProgramPaths& program, const std::filesystem::path& fallbackFolder,
                                  const std::function<bool(const std::filesystem::path&)>& readOnly = IsReadOnlyFolder);

}  // namespace quillon
