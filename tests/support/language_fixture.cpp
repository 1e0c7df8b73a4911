#include "support/language_fixture.h"

#include <stdexcept>

#include "platform/language.h"

namespace quillon::test {

std::filesystem::path ShippedLanguageFile() {
  return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "src" / "app" / "quillon.sil";
}

TEnglishTexts::TEnglishTexts() {
  TLangDispatcher& languages = TLangDispatcher::Instance();
  languages.LoadFile(ShippedLanguageFile());
  if (languages.LanguageCount() < 2 || languages.LanguageNames()[1] != "English")
    throw std::runtime_error("the shipped language file has no English as language 2");
  languages.SetActiveIndex(2);
}

TEnglishTexts::~TEnglishTexts() {
  TLangDispatcher& languages = TLangDispatcher::Instance();
  languages.SetActiveIndex(1);
  // A file that does not exist: only the built-in German.
  languages.LoadFile(ShippedLanguageFile().parent_path() / "no-such-language-file.sil");
}

}  // namespace quillon::test
