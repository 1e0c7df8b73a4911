// quillon: the desktop program. `quillon [PROJEKT.nip]`; --version and --help print and
// end without a window.
#include <QApplication>
#include <QLocale>
#include <QStandardPaths>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/language_module.h"
#include "app/main_form.h"
#include "app/qt_dialogs.h"
#include "app/settings.h"
#include "app/splash_form.h"
#include "editor/project_file.h"
#include "platform/dialogs.h"
#include "platform/message_table.h"
#include "platform/text.h"
#include "vocabulary/number_text.h"

namespace {

using namespace quillon;

enum class StartMsg { Usage, UnknownOption, OneProject };

// Printed before the language file is read: German only.
inline constexpr TMessageRow<StartMsg> kStartMessageRows[] = {
    {StartMsg::Usage, "Usage",
     "Aufruf: quillon [PROJEKT.nip]\n"
     "  PROJEKT.nip   dieses NIT-Projekt beim Start öffnen\n"
     "  --version     Programmversion zeigen\n"
     "  -h, --help    diese Hilfe zeigen\n"},
    {StartMsg::UnknownOption, "UnknownOption", "Unbekannte Option „%s“.\nHilfe: quillon --help\n"},
    {StartMsg::OneProject, "OneProject",
     "Ein Fenster hält ein NIT-Projekt; angegeben waren %zu Dateien. Geben Sie eine an.\nHilfe: quillon --help\n"},
};
using TStartMessages = TMessageTable<StartMsg, kStartMessageRows>;

const char* StartText(StartMsg id) {
  static const TStartMessages messages;
  return messages.Text(id).c_str();
}

bool IsOption(const std::string& a) { return a.size() > 1 && a[0] == '-'; }

// --version and --help, answered before the window system starts, so that they need no
// display. Nullopt when neither is asked for.
std::optional<int> AnswerInfoOption(int argc, char* argv[]) {
  for (int i = 1; i < argc && std::string(argv[i]) != "--"; ++i) {
    const std::string a = argv[i];
    if (a == "--version") {
      std::printf("quillon %s\n", kProgramVersion);
      return 0;
    }
    if (a == "-h" || a == "--help") {
      std::fputs(StartText(StartMsg::Usage), stdout);
      return 0;
    }
  }
  return std::nullopt;
}

// The project the command line names (empty: none), read once QApplication has taken its
// own options (-platform, -style ...) out of argv. Nullopt after a usage error, which it
// has reported.
std::optional<std::filesystem::path> ProjectArgument(int argc, char* argv[]) {
  std::vector<std::filesystem::path> files;
  bool optionsEnd = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (!optionsEnd && a == "--") {
      optionsEnd = true;
    } else if (!optionsEnd && IsOption(a)) {
      std::fputs(Format(StartText(StartMsg::UnknownOption), a.c_str()).c_str(), stderr);
      return std::nullopt;
    } else {
      files.emplace_back(a);
    }
  }
  if (files.size() > 1) {
    std::fputs(Format(StartText(StartMsg::OneProject), files.size()).c_str(), stderr);
    return std::nullopt;
  }
  return files.empty() ? std::filesystem::path() : files[0];
}

constexpr int kUsageError = 2;

}  // namespace

int main(int argc, char* argv[]) {
  if (const std::optional<int> answered = AnswerInfoOption(argc, argv)) return *answered;
  QApplication app(argc, argv);
  const std::optional<std::filesystem::path> project = ProjectArgument(argc, argv);
  if (!project) return kUsageError;
  QApplication::setApplicationName("Quillon");
  QApplication::setApplicationVersion(kProgramVersion);
  // Frequencies and symbol rates are shown and typed with the user's decimal separator.
  if (const QString point = QLocale().decimalPoint(); point.size() == 1) SetDecimalSeparator(point.at(0).unicode());

  TQtDialogs dialogs;
  ScopedDialogs useDialogs(dialogs);

  // The program's own folder holds the language file; the settings file and "Data" move
  // to the user's application-data folder when that folder is read-only.
  const TProgramPaths program = RunningProgramPaths();
  const TProgramPaths paths =
      ResolveProgramPaths(program, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString());

  TLanguageModule languages(program, paths);
  TZaremSplash_01::ShowStartSplash(paths);

  TMainForm mainForm(paths, nullptr, nullptr, *project);
  mainForm.show();
  return app.exec();
}
