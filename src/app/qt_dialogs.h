#pragma once
// The core's message boxes shown with QMessageBox, titles and button captions taken from
// the language table "TMessageDialogs" so they follow the active language.
#include <QString>

#include "platform/dialogs.h"
#include "platform/language.h"

namespace quillon {

class TQtDialogs : public IDialogs {
 public:
  explicit TQtDialogs(TLangDispatcher* dispatcher = nullptr);
  DialogAnswer Show(DialogKind kind, const std::string& text) override;

 private:
  QString Text(const char* key) const;

  TLanguageTable lang_;
};

}  // namespace quillon
