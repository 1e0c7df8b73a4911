// quillon: the desktop program.
#include <QApplication>
#include <QStandardPaths>

#include "app/language_module.h"
#include "app/main_form.h"
#include "app/qt_dialogs.h"
#include "app/settings.h"
#include "app/splash_form.h"
#include "platform/dialogs.h"

int main(int argc, char* argv[]) {
  using namespace quillon;
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quillon");
  QApplication::setApplicationVersion(QUILLON_VERSION);

  TQtDialogs dialogs;
  ScopedDialogs useDialogs(dialogs);

  // The program's own folder holds the language file; the settings file and "Data" move
  // to the user's application-data folder when that folder is read-only.
  const TProgramPaths program = RunningProgramPaths();
  const TProgramPaths paths =
      ResolveProgramPaths(program, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString());

  TLanguageModule languages(program, paths);
  TZaremSplash_01::ShowStartSplash(paths);

  TMainForm mainForm(paths);
  mainForm.show();
  return app.exec();
}
