#include "widgets/file_dialogs.h"

#include <QFileDialog>

namespace quillon {

namespace {
QtFileDialogs g_qt;
IFileDialogs* g_current = nullptr;

std::optional<QString> Run(QWidget* parent, const TFileDialogOptions& o, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, o.Title, o.Folder, o.Filter);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(o.DefaultSuffix);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !o.ConfirmOverwrite);
  dialog.setSizeGripEnabled(true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front();
}
}  // namespace

QString QtFilterFromPairs(const QString& pairs) {
  // Qt reads the patterns from the text's parentheses; a text without them gets them.
  QStringList parts = pairs.split('|');
  QStringList texts;
  for (qsizetype i = 0; i < parts.size(); i += 2) {
    QString text = parts[i];
    if (!text.contains('(') && i + 1 < parts.size())
      text += " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    texts << text;
  }
  return texts.join(";;");
}

IFileDialogs& FileDialogs() { return g_current ? *g_current : g_qt; }
void SetFileDialogs(IFileDialogs* dialogs) { g_current = dialogs; }

ScopedFileDialogs::ScopedFileDialogs(IFileDialogs& dialogs) : previous_(g_current) { g_current = &dialogs; }
ScopedFileDialogs::~ScopedFileDialogs() { g_current = previous_; }

std::optional<QString> QtFileDialogs::SaveFileName(QWidget* parent, const TFileDialogOptions& options) {
  return Run(parent, options, QFileDialog::AcceptSave);
}

std::optional<QString> QtFileDialogs::OpenFileName(QWidget* parent, const TFileDialogOptions& options) {
  return Run(parent, options, QFileDialog::AcceptOpen);
}

std::optional<QString> ScriptedFileDialogs::Next(const TFileDialogOptions& options) {
  asked.push_back(options);
  if (answers.empty()) return std::nullopt;
  QString a = answers.front();
  answers.pop_front();
  if (a.isEmpty()) return std::nullopt;
  return a;
}

std::optional<QString> ScriptedFileDialogs::SaveFileName(QWidget*, const TFileDialogOptions& options) {
  return Next(options);
}

std::optional<QString> ScriptedFileDialogs::OpenFileName(QWidget*, const TFileDialogOptions& options) {
  return Next(options);
}

}  // namespace quillon
