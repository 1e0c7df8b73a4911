#include "support/app_fixture.h"

#include "platform/ini_file.h"
#include "platform/language.h"
#include "support/language_fixture.h"

namespace quillon::test {

namespace fs = std::filesystem;

TAppFixture::TAppFixture() {
  paths.ProgramFolder = dir.Path();
  paths.ProgramName = "quillon";
  TLangDispatcher& languages = TLangDispatcher::Instance();
  languages.SetActiveIndex(1);
  languages.LoadFile(dir / "no-language-file.sil");
}

TAppFixture::~TAppFixture() {
  TLangDispatcher::Instance().SetActiveIndex(1);
  TLangDispatcher::Instance().LoadFile(dir / "no-language-file.sil");
}

fs::path TAppFixture::ShippedLanguageFile() { return test::ShippedLanguageFile(); }

void TAppFixture::UseShippedLanguages() {
  fs::copy_file(ShippedLanguageFile(), dir / "quillon.sil", fs::copy_options::overwrite_existing);
  TLangDispatcher::Instance().LoadFile(TLangDispatcher::FindLanguageFile(dir.Path(), paths.ProgramName));
}

void TAppFixture::WriteSettings(const std::string& text) { WriteTextFile(paths.SettingsFile(), text); }

std::string TAppFixture::SettingsText() const {
  return fs::exists(paths.SettingsFile()) ? ReadTextFile(paths.SettingsFile()) : std::string();
}

std::string TAppFixture::Setting(const char* section, const char* key) const {
  return IniFile(paths.SettingsFile()).ReadString(section, key, "<none>");
}

QStringList TAppFixture::TakeBoxes() {
  QStringList texts;
  for (const std::string& t : dialogs.Texts()) texts << QString::fromStdString(t);
  dialogs.Clear();
  return texts;
}

}  // namespace quillon::test
