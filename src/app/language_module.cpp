#include "app/language_module.h"

#include "app/settings.h"
#include "platform/dialogs.h"
#include "platform/errors.h"

namespace quillon {

TLanguageModule::TLanguageModule(const TProgramPaths& program, TProgramPaths settings, TLangDispatcher& dispatcher)
    : settings_(std::move(settings)), dispatcher_(dispatcher) {
  languageFile_ = TLangDispatcher::FindLanguageFile(program.ProgramFolder, program.ProgramName);
  if (!languageFile_.empty()) {
    try {
      dispatcher_.LoadFile(languageFile_);
    } catch (const QuillonError& e) {
      Dialogs().Show(DialogKind::ErrorOk, e.what());
    }
  }
  // Out-of-range indexes are clamped to the first or the last language.
  dispatcher_.SetActiveIndex(ReadSettingInteger(settings_, kLanguageSection, kActiveIdxKey, 1));
}

TLanguageModule::~TLanguageModule() {
  if (IsReadOnlyFolder(settings_.ProgramFolder)) return;
  try {
    WriteSettingInteger(settings_, kLanguageSection, kActiveIdxKey, dispatcher_.ActiveIndex());
  } catch (const QuillonError& e) {
    Dialogs().Show(DialogKind::ErrorOk, e.what());
  }
}

}  // namespace quillon
