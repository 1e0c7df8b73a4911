// An INI file from anywhere: the settings file, a language file. Reading must not fail;
// writing one key must change that key alone, and what was written must read back.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "platform/errors.h"
#include "platform/ini_file.h"
#include "platform/language.h"

using namespace quillon;

namespace {

// The names of the section headers as the file spells them, up to a handful; the
// INI class has no list of its sections.
std::vector<std::string> SectionNames(std::string_view text) {
  std::vector<std::string> names;
  while (!text.empty() && names.size() < 4) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    size_t b = line.find_first_not_of(" \t\r");
    if (b == std::string_view::npos || line[b] != '[') continue;
    size_t close = line.find(']', b);
    if (close == std::string_view::npos) continue;
    std::string_view name = line.substr(b + 1, close - b - 1);
    size_t nb = name.find_first_not_of(" \t");
    size_t ne = name.find_last_not_of(" \t");
    names.emplace_back(nb == std::string_view::npos ? std::string_view() : name.substr(nb, ne - nb + 1));
  }
  names.push_back("SETTINGS");
  return names;
}

bool SameName(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
           return lower(x) == lower(y);
         });
}

struct TKeyValue {
  std::string section, key, value;
};

std::vector<TKeyValue> Snapshot(const IniFile& ini, const std::vector<std::string>& sections) {
  std::vector<TKeyValue> all;
  for (const std::string& s : sections)
    for (const std::string& k : ini.ReadSectionKeys(s)) all.push_back({s, k, ini.ReadString(s, k, "\x01")});
  return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::BeginInput();
  const std::filesystem::path file = fuzz::ScratchDir() / "quillon.dat";
  fuzz::WriteScratchFile(file, ByteView(data, size));
  const std::vector<std::string> sections =
      SectionNames(std::string_view(reinterpret_cast<const char*>(data), size));

  {
    IniFile ini(file);
    const std::vector<TKeyValue> before = Snapshot(ini, sections);
    for (const std::string& s : sections) ini.ReadInteger(s, "Count", -1);
    const std::string written = "10.0.0.7";
    ini.WriteString("SETTINGS", "LastIP", written);
    ini.UpdateFile();

    IniFile reread(file);
    FUZZ_CHECK(reread.ReadString("SETTINGS", "LastIP", "") == written);
    for (const TKeyValue& kv : before) {
      if (SameName(kv.section, "SETTINGS") && SameName(kv.key, "LastIP")) continue;
      FUZZ_CHECK(reread.ReadString(kv.section, kv.key, "\x01") == kv.value);
    }
  }

  fuzz::WriteScratchFile(file, ByteView(data, size));
  TLangDispatcher languages;
  languages.LoadFile(file);
  FUZZ_CHECK(languages.LanguageCount() >= 1 && languages.LanguageNames()[0] == "German");
  for (int i = 1; i <= languages.LanguageCount() && i <= 4; ++i) {
    languages.SwitchLanguage(i);
    languages.Lookup("TMainForm", "strsAskForSaving", i);
  }
  return 0;
}
