#pragma once
// What the desktop program's tests share: a temporary program folder with its settings
// file, message boxes and file dialogs answered by the test, and the application's
// language dispatcher reset to German only.
#include <QApplication>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <filesystem>
#include <string>

#include "platform/dialogs.h"
#include "platform/paths.h"
#include "support/test_util.h"
#include "widgets/file_dialogs.h"

namespace quillon::test {

class TAppFixture {
 public:
  TAppFixture();
  ~TAppFixture();

  // The English language file shipped with the program (in the source tree).
  static std::filesystem::path ShippedLanguageFile();
  // Puts the shipped language file beside the temporary program and loads it.
  void UseShippedLanguages();

  void WriteSettings(const std::string& text);
  std::string SettingsText() const;
  // The value of `key` in `section` of the settings file, or "<none>".
  std::string Setting(const char* section, const char* key) const;

  // The texts of the boxes shown since the last call.
  QStringList TakeBoxes();

  TempDir dir;
  TProgramPaths paths;
  RecordingDialogs dialogs;
  ScriptedFileDialogs files;

 private:
  ScopedDialogs scopedDialogs_{dialogs};
  ScopedFileDialogs scopedFiles_{files};
};

// The top-level widget of type T that is shown, or nullptr.
template <class T>
T* ShownWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* t = qobject_cast<T*>(w); t && t->isVisible()) return t;
  return nullptr;
}

}  // namespace quillon::test
