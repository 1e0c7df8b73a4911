#pragma once
// The program's languages in tests: the shipped language file, and English for the tests
// that check English texts (German is the default everywhere else).
#include <filesystem>

namespace quillon::test {

// src/app/quillon.sil of the source tree.
std::filesystem::path ShippedLanguageFile();

// The shipped English is active while the object lives; German only afterwards.
class TEnglishTexts {
 public:
  TEnglishTexts();
  ~TEnglishTexts();
  TEnglishTexts(const TEnglishTexts&) = delete;
  TEnglishTexts& operator=(const TEnglishTexts&) = delete;
};

}  // namespace quillon::test
