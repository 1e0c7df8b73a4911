#pragma once
// The language module of the running program: at start it loads the language file
// beside the program and selects the language stored in the settings file; at the end
// it stores the active language again.
#include <filesystem>
#include <string>

#include "platform/language.h"
#include "platform/paths.h"

namespace quillon {

class TLanguageModule {
 public:
  // `program`: where the program file lies (the language file is beside it);
  // `settings`: the paths of the settings file ("ActiveIdx" of section "LANGUAGE").
  // A language file that cannot be read is reported through the dialogs; German stays.
  TLanguageModule(const TProgramPaths& program, TProgramPaths settings,
                  TLangDispatcher& dispatcher = TLangDispatcher::Instance());
  // Stores the active index, unless the settings folder is read-only.
  ~TLanguageModule();
  TLanguageModule(const TLanguageModule&) = delete;
  TLanguageModule& operator=(const TLanguageModule&) = delete;

  TLangDispatcher& Dispatcher() { return dispatcher_; }
  const std::filesystem::path& LanguageFile() const { return languageFile_; }

 private:
  TProgramPaths settings_;
  TLangDispatcher& dispatcher_;
  std::filesystem::path languageFile_;
};

}  // namespace quillon
