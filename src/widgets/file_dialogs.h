#pragma once
// Open and save dialogs behind a small interface, so tests can answer them. The desktop
// program uses QtFileDialogs; a test installs a ScriptedFileDialogs for its scope.
#include <QString>
#include <QWidget>
#include <deque>
#include <optional>
#include <vector>

namespace quillon {

struct TFileDialogOptions {
  QString Title;
  QString Filter;         // Qt form: "NIT-Datei (*.nit);;Alle Dateien (*.*)"
  QString DefaultSuffix;  // without the dot
  QString Folder;         // where the dialog starts
  bool ConfirmOverwrite = true;
};

// A filter written as "Text|patterns|Text|patterns" (the form the language texts keep)
// in Qt's form "Text;;Text".
QString QtFilterFromPairs(const QString& pairs);

class IFileDialogs {
 public:
  virtual ~IFileDialogs() = default;
  // The chosen file, or nothing when the user cancelled.
  virtual std::optional<QString> SaveFileName(QWidget* parent, const TFileDialogOptions& options) = 0;
  virtual std::optional<QString> OpenFileName(QWidget* parent, const TFileDialogOptions& options) = 0;
};

// The dialogs in use: QtFileDialogs until something else is installed.
IFileDialogs& FileDialogs();
void SetFileDialogs(IFileDialogs* dialogs);  // not owned; nullptr restores Qt's

class ScopedFileDialogs {
 public:
  explicit ScopedFileDialogs(IFileDialogs& dialogs);
  ~ScopedFileDialogs();
  ScopedFileDialogs(const ScopedFileDialogs&) = delete;
  ScopedFileDialogs& operator=(const ScopedFileDialogs&) = delete;

 private:
  IFileDialogs* previous_;
};

class QtFileDialogs : public IFileDialogs {
 public:
  std::optional<QString> SaveFileName(QWidget* parent, const TFileDialogOptions& options) override;
  std::optional<QString> OpenFileName(QWidget* parent, const TFileDialogOptions& options) override;
};

// Answers from a queue (an empty text, or an empty queue, is a cancel) and records the
// options of every dialog asked for.
class ScriptedFileDialogs : public IFileDialogs {
 public:
  std::optional<QString> SaveFileName(QWidget* parent, const TFileDialogOptions& options) override;
  std::optional<QString> OpenFileName(QWidget* parent, const TFileDialogOptions& options) override;

  std::deque<QString> answers;
  std::vector<TFileDialogOptions> asked;

 private:
  std::optional<QString> Next(const TFileDialogOptions& options);
};

}  // namespace quillon
