// quillon-cli: converts, summarises, builds, exports and uploads NIT projects without the
// desktop program. Exit status: 0 done, 1 the build or the transfer failed, 2 usage
// error, 3 a file could not be read or written or is malformed, 4 an upload was sent but
// its last block was not confirmed.
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "cli/json_project.h"
#include "core/rpages.h"
#include "editor/core_messages.h"
#include "editor/nit_editor.h"
#include "editor/project_file.h"
#include "nit/capture_reader.h"
#include "nit/nit_table.h"
#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/hex.h"
#include "platform/language.h"
#include "platform/message_table.h"
#include "platform/paths.h"
#include "platform/stream.h"
#include "platform/text.h"
#include "platform/udp_socket.h"
#include "vocabulary/countries.h"
#include "vocabulary/dvb_text.h"
#include "vocabulary/number_text.h"
#include "vocabulary/si_values.h"
#include "viewer/table_node.h"
#include "viewer/table_tree.h"

namespace quillon::cli {
namespace {

enum ExitCode { kDone = 0, kFailed = 1, kUsage = 2, kFileError = 3, kUnconfirmed = 4 };

// The tool's own texts, with their German defaults.
enum class CliMsg {
  UsageTitle,
  CommandUsage,
  OptionsTitle,
  ExitTitle,
  ExitOverview,
  CommandHelpHint,
  SeeHelp,
  SeeCommandHelp,
  UnknownCommand,
  UnknownOption,
  MissingValue,
  ArgumentCount,
  MissingOption,
  UnknownKind,
  SameKind,
  SameFile,
  OutOfMemory,
  FileSystem,
  BadChannel,
  BadNumber,
  NotExportFile,
  LengthNotPackets,
  NoSyncByte,
  Built,
  BuiltToStdout,
  Written,
  Descrambled,
  DescrambledToStdout,
  StdoutTerminal,
  StdoutFailed,
  InfoNetwork,
  InfoOptions,
  InfoLists,
  InfoList,
  InfoStreams,
  InfoCable,
  InfoTerrestrial,
  InfoService,
  DumpKind,
  NoNit,
  NetworksSeen,
  Cable,
  Terrestrial,
  Yes,
  No,
  // The commands: operands, a line for the overview, a paragraph for their own help.
  ConvertOperands,
  ConvertSummary,
  ConvertDetails,
  InfoOperands,
  InfoSummary,
  InfoDetails,
  BuildOperands,
  BuildSummary,
  BuildDetails,
  ExportOperands,
  ExportSummary,
  ExportDetails,
  UploadOperands,
  UploadSummary,
  UploadDetails,
  DescrambleOperands,
  DescrambleSummary,
  DescrambleDetails,
  DumpOperands,
  DumpSummary,
  DumpDetails,
  HelpOperands,
  HelpSummary,
  HelpDetails,
  // The options: the placeholder of the value, and what the option does.
  PacketsFileValue,
  PacketsFileHelp,
  HeadendFileValue,
  HeadendFileHelp,
  HostValue,
  HostHelp,
  ChannelValue,
  ChannelHelp,
  PortValue,
  PortHelp,
  NetworkValue,
  NetworkHelp,
  YesHelp,
  VersionHelp,
  OverviewHelp,
  CommandHelpHelp,
  // Exit statuses in a command's help.
  ExitDone,
  ExitBuildFailed,
  ExitConvertFailed,
  ExitExportFailed,
  ExitUploadFailed,
  ExitUsage,
  ExitFile,
  ExitUnconfirmed,
  LangValue,
  LangHelp,
  Incomplete,
  BadLanguage,
  NoEnglish,
  LanguageFileMissing,
  NoEnglishInFile,
};

inline constexpr TMessageRow<CliMsg> kCliMessageRows[] = {
    {CliMsg::UsageTitle, "UsageTitle", "Aufruf:"},
    {CliMsg::CommandUsage, "CommandUsage", "Aufruf: %s"},
    {CliMsg::OptionsTitle, "OptionsTitle", "Optionen:"},
    {CliMsg::ExitTitle, "ExitTitle", "Rückgabewert:"},
    {CliMsg::ExitOverview, "ExitOverview",
     "Rückgabewert: 0 erledigt, 1 Erzeugung oder Übertragung fehlgeschlagen, 2 Aufruffehler,\n"
     "3 Datei nicht lesbar, nicht schreibbar oder fehlerhaft, 4 gesendet, aber der letzte Block\n"
     "wurde nicht bestätigt."},
    {CliMsg::CommandHelpHint, "CommandHelpHint",
     "Hilfe zu einem Befehl: quillon-cli help BEFEHL oder quillon-cli BEFEHL --help"},
    {CliMsg::SeeHelp, "SeeHelp", "Hilfe: quillon-cli --help"},
    {CliMsg::SeeCommandHelp, "SeeCommandHelp", "Hilfe: quillon-cli %s --help"},
    {CliMsg::UnknownCommand, "UnknownCommand", "Unbekannter Befehl „%s“."},
    {CliMsg::UnknownOption, "UnknownOption", "Unbekannte Option „%s“ für „%s“."},
    {CliMsg::MissingValue, "MissingValue", "Die Option „%s“ braucht einen Wert."},
    {CliMsg::ArgumentCount, "ArgumentCount", "„%s“ erwartet %s."},
    {CliMsg::MissingOption, "MissingOption", "„%s“ braucht die Option „%s“."},
    {CliMsg::UnknownKind, "UnknownKind", "„%s“: die Dateiendung muss .nip oder .json sein."},
    {CliMsg::SameKind, "SameKind", "„convert“ wandelt .json in .nip oder .nip in .json."},
    {CliMsg::SameFile, "SameFile",
     "„%s“ ist zugleich die Eingabe „%s“ und würde überschrieben. Geben Sie eine andere Ausgabedatei an."},
    {CliMsg::OutOfMemory, "OutOfMemory", "Nicht genug Arbeitsspeicher."},
    {CliMsg::FileSystem, "FileSystem", "„%s“: %s."},
    {CliMsg::BadChannel, "BadChannel", "Kanal „%s“: erlaubt sind A und B."},
    {CliMsg::BadNumber, "BadNumber", "„%s“ für „%s“: erlaubt ist %d..%d."},
    {CliMsg::NotExportFile, "NotExportFile", "„%s“ ist keine NIT-Exportdatei: %s"},
    {CliMsg::LengthNotPackets, "LengthNotPackets", "ihre Länge %zu ist kein Vielfaches von 188."},
    {CliMsg::NoSyncByte, "NoSyncByte", "Paket %zu beginnt nicht mit dem Sync-Byte 0x47."},
    {CliMsg::Built, "Built", "NIT erzeugt: %d Abschnitt(e), %zu Paket(e) in „%s“."},
    {CliMsg::BuiltToStdout, "BuiltToStdout", "NIT erzeugt: %d Abschnitt(e), %zu Paket(e) auf die Standardausgabe."},
    {CliMsg::Written, "Written", "„%s“ geschrieben."},
    {CliMsg::Descrambled, "Descrambled", "%zu Paket(e) in „%s“."},
    {CliMsg::DescrambledToStdout, "DescrambledToStdout", "%zu Paket(e) auf die Standardausgabe."},
    {CliMsg::StdoutTerminal, "StdoutTerminal",
     "Die Standardausgabe ist ein Terminal; „-o -“ schreibt Pakete. Leiten Sie sie in eine Datei oder ein "
     "Programm um, oder geben Sie eine Ausgabedatei an."},
    {CliMsg::StdoutFailed, "StdoutFailed",
     "Die Standardausgabe ließ sich nicht schreiben: %s. Die Ausgabe ist unvollständig; prüfen Sie, "
     "wohin sie "
     "umgeleitet ist."},
    {CliMsg::InfoNetwork, "InfoNetwork", "Netzwerk:         %s, „%s“, ID %s, Version %u\n"},
    {CliMsg::InfoOptions, "InfoOptions", "Optionen:         Service-Listen %s, Logical Channels %s (%s), HD Simulcast %s\n"},
    {CliMsg::InfoLists, "InfoLists", "Kanallisten:      %zu\n"},
    {CliMsg::InfoList, "InfoList", "  Liste %d  „%s“  %s\n"},
    {CliMsg::InfoStreams, "InfoStreams", "Transportströme:  %zu mit %zu Service(s)\n"},
    {CliMsg::InfoCable, "InfoCable", "  TS-ID %s  Org ID %s  %s MHz  %s  %s MSymbol/s  %zu Service(s)\n"},
    {CliMsg::InfoTerrestrial, "InfoTerrestrial", "  TS-ID %s  Org ID %s  %s MHz  %s  %s  %s  %zu Service(s)\n"},
    {CliMsg::InfoService, "InfoService", "    Service-ID %s  Kanal %d  „%s“  %s\n"},
    {CliMsg::DumpKind, "DumpKind", "„%s“: die Dateiendung muss .nip, .json, .ts, .nit oder .bin sein."},
    {CliMsg::NoNit, "NoNit", "„%s“: %s."},
    {CliMsg::NetworksSeen, "NetworksSeen", "Gefundene Netzwerke: %s"},
    {CliMsg::Cable, "Cable", "Kabel"},
    {CliMsg::Terrestrial, "Terrestrial", "Terrestrisch"},
    {CliMsg::Yes, "Yes", "ja"},
    {CliMsg::No, "No", "nein"},
    {CliMsg::ConvertOperands, "ConvertOperands", "EIN AUS"},
    {CliMsg::ConvertSummary, "ConvertSummary", ".json <-> .nip, nach den Dateiendungen"},
    {CliMsg::ConvertDetails, "ConvertDetails",
     "Wandelt ein Projekt von seiner JSON-Form in die Projektdatei des Editors oder zurück; die "
     "Dateiendungen (.json, .nip) bestimmen die Richtung. Vor dem Schreiben einer .nip wird die NIT "
     "erzeugt, damit die Datei die NIT ihres Projekts enthält."},
    {CliMsg::InfoOperands, "InfoOperands", "PROJEKT"},
    {CliMsg::InfoSummary, "InfoSummary", "Übersicht eines .nip- oder .json-Projekts"},
    {CliMsg::InfoDetails, "InfoDetails",
     "Zeigt Netzwerk, Optionen, Kanallisten, Transportströme und Services des Projekts auf der "
     "Standardausgabe."},
    {CliMsg::BuildOperands, "BuildOperands", "PROJEKT"},
    {CliMsg::BuildSummary, "BuildSummary", "NIT erzeugen, ihre 188-Byte-Pakete schreiben"},
    {CliMsg::BuildDetails, "BuildDetails",
     "Erzeugt die NIT des Projekts (.nip oder .json) und schreibt ihre unverschlüsselten "
     "188-Byte-Pakete. Mit „-o -“ gehen die Pakete auf die Standardausgabe; die Meldungen bleiben auf "
     "der Standardfehlerausgabe."},
    {CliMsg::ExportOperands, "ExportOperands", "PROJEKT"},
    {CliMsg::ExportSummary, "ExportSummary", "NIT erzeugen, verschlüsselte Headend-Datei schreiben"},
    {CliMsg::ExportDetails, "ExportDetails",
     "Erzeugt die NIT des Projekts und schreibt sie als verschlüsselte Datei für das Headend "
     "(höchstens 255 Pakete). Mit „-o -“ geht die Datei auf die Standardausgabe."},
    {CliMsg::UploadOperands, "UploadOperands", "PROJEKT"},
    {CliMsg::UploadSummary, "UploadSummary", "NIT erzeugen und per TFTP zum Modulator senden"},
    {CliMsg::UploadDetails, "UploadDetails",
     "Erzeugt die NIT des Projekts und sendet sie per TFTP an den Modulator, als „nit_a“ für Kanal A "
     "oder „nit_b“ für Kanal B. Antworten werden nur von dieser Adresse angenommen."},
    {CliMsg::DescrambleOperands, "DescrambleOperands", "EIN.nit"},
    {CliMsg::DescrambleSummary, "DescrambleSummary", "Headend-Datei in die Pakete zurückwandeln"},
    {CliMsg::DescrambleDetails, "DescrambleDetails",
     "Entschlüsselt eine Headend-Datei, wie „export“ sie schreibt, und schreibt ihre 188-Byte-Pakete."},
    {CliMsg::DumpOperands, "DumpOperands", "EINGABE|-"},
    {CliMsg::DumpSummary, "DumpSummary",
     "NIT als Baum zeigen (.nip, .json, .ts, .nit, .bin;\n- liest Pakete von der Standardeingabe)"},
    {CliMsg::DumpDetails, "DumpDetails",
     "Zeigt die NIT als Baum auf der Standardausgabe, einen Knoten je Zeile. Aus einem Projekt (.nip, "
     ".json) wird sie erst erzeugt; aus Paketen (.ts, „-“ für die Standardeingabe), einer "
     "Headend-Datei (.nit) oder rohen Abschnitten (.bin) wird die erste vollständige NIT genommen."},
    {CliMsg::HelpOperands, "HelpOperands", "[BEFEHL]"},
    {CliMsg::HelpSummary, "HelpSummary", "diese Übersicht, oder die Hilfe zu BEFEHL"},
    {CliMsg::HelpDetails, "HelpDetails",
     "Zeigt ohne BEFEHL diese Übersicht, sonst Aufruf, Optionen und Rückgabewerte des Befehls, wie "
     "„quillon-cli BEFEHL --help“."},
    {CliMsg::PacketsFileValue, "PacketsFileValue", "AUS.ts|-"},
    {CliMsg::PacketsFileHelp, "PacketsFileHelp", "Datei für die Pakete; „-“ schreibt sie auf die Standardausgabe"},
    {CliMsg::HeadendFileValue, "HeadendFileValue", "AUS.nit|-"},
    {CliMsg::HeadendFileHelp, "HeadendFileHelp", "Headend-Datei; „-“ schreibt sie auf die Standardausgabe"},
    {CliMsg::HostValue, "HostValue", "IPV4"},
    {CliMsg::HostHelp, "HostHelp", "IPv4-Adresse des Modulators"},
    {CliMsg::ChannelValue, "ChannelValue", "A|B"},
    {CliMsg::ChannelHelp, "ChannelHelp", "Kanal des Modulators"},
    {CliMsg::PortValue, "PortValue", "N"},
    {CliMsg::PortHelp, "PortHelp", "UDP-Port des Modulators, 1..65535 (sonst 69)"},
    {CliMsg::NetworkValue, "NetworkValue", "ID"},
    {CliMsg::NetworkHelp, "NetworkHelp", "die NIT dieses Netzwerks (dezimal oder 0x...) statt der ersten"},
    {CliMsg::YesHelp, "YesHelp", "Fragen der NIT-Erzeugung mit „Ja“ beantworten (sonst „Abbrechen“)"},
    {CliMsg::VersionHelp, "VersionHelp", "Programmversion zeigen"},
    {CliMsg::OverviewHelp, "OverviewHelp", "diese Übersicht zeigen"},
    {CliMsg::CommandHelpHelp, "CommandHelpHelp", "diese Hilfe zeigen"},
    {CliMsg::ExitDone, "ExitDone", "erledigt"},
    {CliMsg::ExitBuildFailed, "ExitBuildFailed", "NIT-Erzeugung fehlgeschlagen"},
    {CliMsg::ExitConvertFailed, "ExitConvertFailed",
     "NIT-Erzeugung fehlgeschlagen, oder ein Text des Projekts hat keine JSON-Form"},
    {CliMsg::ExitExportFailed, "ExitExportFailed",
     "NIT-Erzeugung fehlgeschlagen, oder die NIT passt in keine Headend-Datei"},
    {CliMsg::ExitUploadFailed, "ExitUploadFailed", "NIT-Erzeugung oder Übertragung fehlgeschlagen"},
    {CliMsg::ExitUsage, "ExitUsage", "Aufruffehler"},
    {CliMsg::ExitFile, "ExitFile", "Datei oder Standardausgabe nicht lesbar, nicht schreibbar oder fehlerhaft"},
    {CliMsg::ExitUnconfirmed, "ExitUnconfirmed", "gesendet, aber der letzte Block wurde nicht bestätigt"},
    {CliMsg::LangValue, "LangValue", "de|en"},
    {CliMsg::LangHelp, "LangHelp", "Sprache der Texte (sonst nach LC_ALL, LC_MESSAGES, LANG)"},
    {CliMsg::Incomplete, "Incomplete", ", unvollständig"},
    {CliMsg::BadLanguage, "BadLanguage", "„%s“ für „--lang“: erlaubt sind de und en."},
    // Said in both languages: whoever asked for English may not read German.
    {CliMsg::NoEnglish, "NoEnglish",
     "Hinweis: Englisch ist nicht verfügbar, die Texte bleiben deutsch (English is not available, the texts stay "
     "German): %s"},
    {CliMsg::LanguageFileMissing, "LanguageFileMissing", "quillon.sil fehlt in „%s“"},
    {CliMsg::NoEnglishInFile, "NoEnglishInFile", "„%s“ enthält kein Englisch"},
};
using TCliMessages = TMessageTable<CliMsg, kCliMessageRows>;

// The tool's texts in the active language (window "TQuillonCli" of the language file).
const TCliMessages& Messages() { return ModuleMessages<TCliMessages>("TQuillonCli"); }
const char* Msg(CliMsg id) { return Messages().Text(id).c_str(); }

// Ends the command with an exit status; an empty text prints nothing (the core has
// already said why).
class CliError : public std::runtime_error {
 public:
  CliError(ExitCode code, const std::string& text) : std::runtime_error(text), code_(code) {}
  ExitCode Code() const { return code_; }

 private:
  ExitCode code_;
};

[[noreturn]] void Usage(const std::string& text) { throw CliError(kUsage, text); }

void ShowError(const std::string& text) { Dialogs().Show(DialogKind::ErrorCancel, text); }
void ShowInfo(const std::string& text) { Dialogs().Show(DialogKind::Information, text); }

// ---------------------------------------------------------------- arguments

// Every option of a command takes a value.
struct OptionSpec {
  const char* name;
  CliMsg value;  // the placeholder of the value in the help
  CliMsg help;
  bool required = false;
  bool listed = true;  // false: in no help (the tests' short time-out)
};

// Taken by every command, wherever it stands.
constexpr char kYesFlag[] = "--yes";
bool IsHelpFlag(const std::string& a) { return a == "-h" || a == "--help"; }

struct Args {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;
  bool help = false;  // -h or --help: the command's help instead of the command

  std::optional<std::string> Option(const std::string& name) const {
    auto it = options.find(name);
    return it == options.end() ? std::nullopt : std::optional(it->second);
  }
  // An option the command requires; parsing has made sure it is there.
  const std::string& Value(const std::string& name) const { return options.at(name); }
};

struct ExitSpec {
  ExitCode code;
  CliMsg text;
};

// One row for each command drives the overview, the command's own help and the parsing
// of its arguments.
struct Command {
  const char* name;
  int (*run)(const Args&);
  CliMsg operands;
  size_t minOperands, maxOperands;
  CliMsg summary, details;
  std::vector<OptionSpec> options;
  bool builds;  // builds the NIT and may ask its questions: --yes answers them
  std::vector<ExitSpec> exits;
};

const std::vector<Command>& Commands();

const Command* FindCommand(const std::string& name) {
  for (const Command& c : Commands())
    if (name == c.name) return &c;
  return nullptr;
}

Args ParseArgs(const Command& command, const std::vector<std::string>& argv) {
  Args args;
  bool optionsEnd = false;
  for (size_t i = 0; i < argv.size(); ++i) {
    const std::string& a = argv[i];
    if (optionsEnd || a.size() < 2 || a[0] != '-') {
      args.positional.push_back(a);
      continue;
    }
    if (a == "--") {
      optionsEnd = true;
      continue;
    }
    if (a == kYesFlag) continue;
    if (IsHelpFlag(a)) {
      args.help = true;
      return args;
    }
    const OptionSpec* option = nullptr;
    for (const OptionSpec& s : command.options)
      if (a == s.name) option = &s;
    if (!option) Usage(Format(Msg(CliMsg::UnknownOption), a.c_str(), command.name));
    if (i + 1 == argv.size()) Usage(Format(Msg(CliMsg::MissingValue), a.c_str()));
    args.options[a] = argv[++i];
  }
  if (args.positional.size() < command.minOperands || args.positional.size() > command.maxOperands)
    Usage(Format(Msg(CliMsg::ArgumentCount), command.name, Msg(command.operands)));
  for (const OptionSpec& s : command.options)
    if (s.required && !args.Option(s.name)) Usage(Format(Msg(CliMsg::MissingOption), command.name, s.name));
  return args;
}

int ParseNumber(const std::string& text, const char* option, int lo, int hi) {
  size_t used = 0;
  long v = 0;
  try {
    v = std::stol(text, &used, 10);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || text.empty() || !std::isdigit(static_cast<unsigned char>(text[0])) || v < lo || v > hi)
    Usage(Format(Msg(CliMsg::BadNumber), text.c_str(), option, lo, hi));
  return static_cast<int>(v);
}

// ---------------------------------------------------------------- help

// Columns count characters, not bytes: the texts are UTF-8.
size_t Width(const std::string& text) {
  return static_cast<size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Breaks `text` between words so that no line is longer than `width` where a word fits.
std::string Wrap(const std::string& text, size_t width) {
  std::string out;
  size_t lineStart = 0, lastSpace = std::string::npos;
  for (char c : text) {
    if (c == '\n') {
      lineStart = out.size() + 1;
      lastSpace = std::string::npos;
    } else if (c == ' ') {
      lastSpace = out.size();
    }
    out += c;
    if (Width(out.substr(lineStart)) > width && lastSpace != std::string::npos) {
      out[lastSpace] = '\n';
      lineStart = lastSpace + 1;
      lastSpace = std::string::npos;
    }
  }
  return out;
}

// "  left   right": `right` starts in column `column`, on a line of its own when `left`
// reaches into it; its further lines start there too.
std::string Row(const std::string& left, const std::string& right, size_t column) {
  std::string row = "  " + left;
  if (Width(row) + 2 > column) row += "\n" + std::string(column, ' ');
  else row += std::string(column - Width(row), ' ');
  for (char c : right) {
    row += c;
    if (c == '\n') row += std::string(column, ' ');
  }
  return row + "\n";
}

std::string Synopsis(const Command& c) {
  std::string text = std::string("quillon-cli ") + c.name + " " + Msg(c.operands);
  for (const OptionSpec& o : c.options) {
    if (!o.listed) continue;
    const std::string option = std::string(o.name) + " " + Msg(o.value);
    text += o.required ? " " + option : " [" + option + "]";
  }
  return text;
}

constexpr size_t kSummaryColumn = 46;
constexpr size_t kOptionColumn = 17;
constexpr size_t kLineWidth = 92;

std::string Overview() {
  std::string text = std::string(Msg(CliMsg::UsageTitle)) + "\n";
  for (const Command& c : Commands()) text += Row(Synopsis(c), Msg(c.summary), kSummaryColumn);
  text += std::string(Msg(CliMsg::OptionsTitle)) + "\n";
  text += Row(kYesFlag, Msg(CliMsg::YesHelp), kOptionColumn);
  text += Row(std::string("--lang ") + Msg(CliMsg::LangValue), Msg(CliMsg::LangHelp), kOptionColumn);
  text += Row("--version", Msg(CliMsg::VersionHelp), kOptionColumn);
  text += Row("-h, --help", Msg(CliMsg::OverviewHelp), kOptionColumn);
  return text + Msg(CliMsg::ExitOverview) + "\n" + Msg(CliMsg::CommandHelpHint) + "\n";
}

std::string CommandHelp(const Command& c) {
  std::string text = Format(Msg(CliMsg::CommandUsage), Synopsis(c).c_str()) + "\n" + Wrap(Msg(c.details), kLineWidth) +
                     "\n\n";
  std::vector<std::pair<std::string, CliMsg>> options;
  for (const OptionSpec& o : c.options)
    if (o.listed) options.emplace_back(std::string(o.name) + " " + Msg(o.value), o.help);
  if (c.builds) options.emplace_back(kYesFlag, CliMsg::YesHelp);
  options.emplace_back(std::string("--lang ") + Msg(CliMsg::LangValue), CliMsg::LangHelp);
  options.emplace_back("-h, --help", CliMsg::CommandHelpHelp);
  size_t column = 0;
  for (const auto& [name, help] : options) column = std::max(column, Width(name) + 5);
  text += std::string(Msg(CliMsg::OptionsTitle)) + "\n";
  for (const auto& [name, help] : options) text += Row(name, Msg(help), column);
  text += "\n" + std::string(Msg(CliMsg::ExitTitle)) + "\n";
  for (const ExitSpec& e : c.exits) text += Row(std::to_string(e.code), Msg(e.text), 5);
  return text;
}

// ---------------------------------------------------------------- projects

enum class FileKind { Json, Nip };

FileKind KindOf(const std::filesystem::path& path) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  if (ext == ".json") return FileKind::Json;
  if (ext == ".nip") return FileKind::Nip;
  Usage(Format(Msg(CliMsg::UnknownKind), path.string().c_str()));
}

// The tool takes the modulator address as an argument, so the editor need not remember it.
std::unique_ptr<TNitEditor> NewEditor() {
  auto editor = std::make_unique<TNitEditor>(RunningProgramPaths());
  editor->StoreLastIPOnClose = false;
  editor->StatusProc = [](const std::string& text) {
    if (!text.empty()) ShowInfo(text);
  };
  return editor;
}

std::unique_ptr<TNitEditor> LoadProject(const std::filesystem::path& path) {
  const FileKind kind = KindOf(path);
  auto editor = NewEditor();
  try {
    if (kind == FileKind::Nip) {
      const TProjectLoadResult loaded = LoadProjectFile(*editor, path);
      if (!loaded.Warning.empty()) Dialogs().Show(DialogKind::Warning, loaded.Warning);
    } else {
      const Bytes bytes = ReadFileBytes(path, kMaxWholeFileBytes);
      ProjectFromJson(*editor, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
  } catch (const JsonError& e) {
    throw CliError(kFileError, Format("%s: %s", path.string().c_str(), e.what()));
  } catch (const QuillonError& e) {
    throw CliError(kFileError, e.what());
  } catch (const std::bad_alloc&) {
    throw CliError(kFileError, Format("%s: %s", path.string().c_str(), Msg(CliMsg::OutOfMemory)));
  }
  return editor;
}

// Refuses, before anything is read or written, an output that is the input itself
// under another name, through a link or a hard link.
void ExpectOtherFile(const std::filesystem::path& in, const std::filesystem::path& out) {
  if (SameFile(in, out)) Usage(Format(Msg(CliMsg::SameFile), out.string().c_str(), in.string().c_str()));
}

void SaveProject(TNitEditor& editor, const std::filesystem::path& path) {
  try {
    if (KindOf(path) == FileKind::Nip) {
      SaveProjectFile(editor, path);
    } else {
      const std::string text = ProjectToJson(editor);
      WriteFileBytes(path, ByteView(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    }
  } catch (const JsonError& e) {
    // A text the project holds has no JSON form.
    throw CliError(kFailed, Format("%s: %s", path.string().c_str(), e.what()));
  } catch (const QuillonError& e) {
    throw CliError(kFileError, e.what());
  }
}

// Builds the NIT. The core reports limits and asks its questions through the dialogs.
void Build(TNitEditor& editor) {
  try {
    if (!editor.CreateNITTable()) throw CliError(kFailed, "");
  } catch (const QuillonError& e) {
    throw CliError(kFailed, e.what());
  }
}

// ---------------------------------------------------------------- outputs

[[noreturn]] void StandardOutputFailed(int error) {
  throw CliError(kFileError, Format(Msg(CliMsg::StdoutFailed), std::strerror(error)));
}

// Standard output is a pipe or whatever it was redirected to: written as it is, not
// replaced. SIGPIPE is ignored, so a reader that went away shows as EPIPE.
void WriteStandardOutput(ByteView bytes) {
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t n = ::write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd writable{STDOUT_FILENO, POLLOUT, 0};  // a non-blocking pipe that is full
      ::poll(&writable, 1, -1);
    } else if (n == 0 || errno != EINTR) {
      StandardOutputFailed(n < 0 ? errno : EIO);
    }
  }
}

// All the tool writes to standard output goes through here, so that every failed write
// is reported with its reason.
void Print(const std::string& text) { WriteStandardOutput(AsBytes(text)); }

// Where "-o" sends the bytes: a file, replaced once they are complete, or standard output
// for "-".
class TOutput {
 public:
  // Before anything is read: refuses a file that is the input, and bytes for a terminal.
  TOutput(const std::filesystem::path& in, const std::filesystem::path& out)
      : path_(out), standard_(IsStandardStream(out)) {
    if (!standard_) ExpectOtherFile(in, out);
    else if (::isatty(STDOUT_FILENO)) Usage(Msg(CliMsg::StdoutTerminal));
  }
  bool Standard() const { return standard_; }
  const std::filesystem::path& Path() const { return path_; }
  const char* Name() const { return path_.c_str(); }

  void Write(ByteView bytes) const {
    if (standard_) return WriteStandardOutput(bytes);
    try {
      WriteFileBytes(path_, bytes);
    } catch (const QuillonError& e) {
      throw CliError(kFileError, e.what());
    }
  }

 private:
  std::filesystem::path path_;
  bool standard_;
};

// A private folder for a temporary file, removed afterwards.
class TempFolder {
 public:
  TempFolder() {
    const char* env = std::getenv("TMPDIR");
    const std::filesystem::path base = env && *env ? env : "/tmp";
    std::string pattern = (base / "quillon-cli-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
      throw CliError(kFileError, Format(Msg(CliMsg::FileSystem), base.c_str(), std::strerror(errno)));
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

Bytes ReadWholeFile(const std::filesystem::path& path) {
  try {
    return ReadFileBytes(path, kMaxWholeFileBytes);
  } catch (const QuillonError& e) {
    throw CliError(kFileError, e.what());
  }
}

// ---------------------------------------------------------------- commands

int Convert(const Args& args) {
  const std::filesystem::path in = args.positional[0], out = args.positional[1];
  const FileKind from = KindOf(in), to = KindOf(out);
  if (from == to) Usage(Msg(CliMsg::SameKind));
  ExpectOtherFile(in, out);
  auto editor = LoadProject(in);
  // The stored container holds the NIT of the project it is stored with.
  if (to == FileKind::Nip) Build(*editor);
  SaveProject(*editor, out);
  ShowInfo(Format(Msg(CliMsg::Written), out.string().c_str()));
  return kDone;
}

std::string U8(const std::u16string& text) { return Utf16ToUtf8(text); }

// Three decimals, as the grids show frequencies and symbol rates.
std::string Decimal3(long double value) { return U8(DecimalText(static_cast<double>(value), 3)); }

int Info(const Args& args) {
  auto editor = LoadProject(args.positional[0]);
  const TNitEditor& e = *editor;
  const bool cable = e.NetworkType() == TNetworkType::Cable;
  const char* variants[] = {"EACEM", "ITC", "NorDig V1", "NorDig V2"};
  const auto yesNo = [](bool on) { return Msg(on ? CliMsg::Yes : CliMsg::No); };
  std::string text;
  text += Format(Msg(CliMsg::InfoNetwork), Msg(cable ? CliMsg::Cable : CliMsg::Terrestrial),
                 U8(e.NetworkName()).c_str(), Hex0x(e.NetworkID(), 4).c_str(), e.VersionNumber());
  text += Format(Msg(CliMsg::InfoOptions), yesNo(e.AddSLDs()), yesNo(e.AddLCDs()),
                 variants[static_cast<int>(e.Variant())], yesNo(e.AddHDSimulLCN()));
  text += Format(Msg(CliMsg::InfoLists), e.ChannelList().size());
  for (const auto& l : e.ChannelList())
    text += Format(Msg(CliMsg::InfoList), l->ListID(), U8(l->ListName()).c_str(),
                   U8(CountryCodeDisplayText(l->CountryCode())).c_str());
  size_t services = 0;
  for (size_t i = 0; i < e.StreamCount(); ++i) services += e.Stream(i)->ServiceList().size();
  text += Format(Msg(CliMsg::InfoStreams), e.StreamCount(), services);
  // In the grid's order.
  for (int32_t row : e.RowOrder()) {
    const TTransportStreamData& r = *e.Stream(static_cast<size_t>(row));
    const std::string tsid = Hex0x(r.TSID(), 4), onid = Hex0x(r.OrgNetID(), 4), freq = Decimal3(r.Freq());
    if (cable) {
      const TCableDescrData& c = *e.CableEntryList()[static_cast<size_t>(row)];
      text += Format(Msg(CliMsg::InfoCable), tsid.c_str(), onid.c_str(), freq.c_str(),
                     U8(CableModulationText(c.Modu())).c_str(), Decimal3(c.SymbRate()).c_str(), r.ServiceList().size());
    } else {
      const TTerrestrialDescrData& t = *e.TerrestrialEntryList()[static_cast<size_t>(row)];
      text += Format(Msg(CliMsg::InfoTerrestrial), tsid.c_str(), onid.c_str(), freq.c_str(),
                     U8(BandwidthText(t.BandWidth())).c_str(), U8(ConstellationText(t.Constellation())).c_str(),
                     U8(TransmissionModeText(t.Mode())).c_str(), r.ServiceList().size());
    }
    for (const auto& s : r.ServiceList())
      text += Format(Msg(CliMsg::InfoService), Hex0x(s->ServiceID(), 4).c_str(), s->LogicalNumber(),
                     U8(StripHexTags(StripControlChars(s->ServiceName()), false)).c_str(),
                     U8(ServiceTypeText(s->ServiceType())).c_str());
  }
  Print(text);
  return kDone;
}

int BuildCommand(const Args& args) {
  const TOutput out(args.positional[0], args.Value("-o"));
  auto editor = LoadProject(args.positional[0]);
  Build(*editor);
  const TNITTable& table = *editor->NIT().Actual();
  const RawString packets = BuildTablePackets(table);
  out.Write(AsBytes(packets));
  const size_t count = packets.size() / RPAGE_LEN;
  ShowInfo(out.Standard() ? Format(Msg(CliMsg::BuiltToStdout), table.Sections(), count)
                          : Format(Msg(CliMsg::Built), table.Sections(), count, out.Name()));
  return kDone;
}

// The result of an export as the editor reports it; failures raised inside it carry
// their own reason.
int ExportResult(TNitEditor& editor, bool ok) {
  const std::string& text = editor.Messages().Text(ok ? EditorMsg::strsExportOK : EditorMsg::strsExportError);
  if (!ok) throw CliError(kFailed, text);
  ShowInfo(text);
  return kDone;
}

std::string ExportFailure(TNitEditor& editor, const QuillonError& e) {
  return editor.Messages().Text(EditorMsg::strsExportError) + ": " + e.what();
}

int Export(const Args& args) {
  const TOutput out(args.positional[0], args.Value("-o"));
  auto editor = LoadProject(args.positional[0]);
  Build(*editor);
  // For standard output the editor writes the file into a folder of our own, so that
  // both outputs hold the same bytes under the same rules.
  std::optional<TempFolder> folder;
  const std::filesystem::path file = out.Standard() ? folder.emplace().Path() / "export.nit" : out.Path();
  bool ok = false;
  try {
    ok = editor->ExportNITFile(file);
  } catch (const StreamError& e) {
    throw CliError(kFileError, ExportFailure(*editor, e));
  } catch (const QuillonError& e) {
    throw CliError(kFailed, ExportFailure(*editor, e));
  }
  if (ok && out.Standard()) out.Write(ReadWholeFile(file));
  return ExportResult(*editor, ok);
}

int Upload(const Args& args) {
  const std::string& host = args.Value("--host");
  // Before anything is read, built or sent.
  if (const std::string problem = HostAddressProblem(host); !problem.empty()) Usage(problem);
  const std::string& channel = args.Value("--channel");
  if (channel != "A" && channel != "B") Usage(Format(Msg(CliMsg::BadChannel), channel.c_str()));
  const int port = ParseNumber(args.Option("--port").value_or("69"), "--port", 1, 65535);
  // Not in the usage text: the tests' short wait for a host that never answers.
  const auto timeout = args.Option("--timeout");

  auto editor = LoadProject(args.positional[0]);
  editor->SetModulatorAddress(host);
  editor->TftpPort = static_cast<uint16_t>(port);
  if (timeout) editor->TftpTimeoutMs = ParseNumber(*timeout, "--timeout", 1, 600000);
  Build(*editor);
  TempFolder folder;
  bool ok = false;
  try {
    ok = editor->TransmitNIT(folder.Path(), channel == "A" ? "nit_a" : "nit_b");
  } catch (const StreamError& e) {
    throw CliError(kFileError, ExportFailure(*editor, e));
  } catch (const QuillonError& e) {
    throw CliError(kFailed, ExportFailure(*editor, e));
  }
  if (ok && !editor->LastUploadConfirmed()) {
    ShowInfo(editor->Messages().Text(EditorMsg::strsExportUnconfirmed));
    return kUnconfirmed;
  }
  return ExportResult(*editor, ok);
}

int Descramble(const Args& args) {
  const std::filesystem::path in = args.positional[0];
  const TOutput out(in, args.Value("-o"));
  const Bytes bytes = ReadWholeFile(in);
  const auto notExport = [&](const std::string& why) {
    return CliError(kFileError, Format(Msg(CliMsg::NotExportFile), in.string().c_str(), why.c_str()));
  };
  if (bytes.size() % RPAGE_LEN != 0) throw notExport(Format(Msg(CliMsg::LengthNotPackets), bytes.size()));
  const Bytes plain = TNitEditor::ScrambleExport(bytes);
  for (size_t i = 0; i < plain.size(); i += RPAGE_LEN)
    if (plain[i] != 0x47) throw notExport(Format(Msg(CliMsg::NoSyncByte), i / RPAGE_LEN));
  out.Write(plain);
  const size_t count = plain.size() / RPAGE_LEN;
  ShowInfo(out.Standard() ? Format(Msg(CliMsg::DescrambledToStdout), count)
                          : Format(Msg(CliMsg::Descrambled), count, out.Name()));
  return kDone;
}

// A capture, a head-end file or raw sections (standard input: packets) into the
// container: the first complete NIT (of the asked network). Reading stops as soon as no
// later byte could change the choice. Throws CliError(kFileError) when there is none.
void LoadCapture(TNIT& nit, const std::filesystem::path& in, const std::string& ext, std::optional<uint16_t> network) {
  TCaptureOptions options;
  options.NetworkID = network;
  TCaptureReader reader(ext == ".bin" ? TCaptureFormat::Sections : TCaptureFormat::Packets, options);
  try {
    // Piece by piece, so a recording of any size fits in memory.
    TInputFile input(in);
    for (uint64_t offset = 0; !reader.Settled();) {
      const std::span<uint8_t> piece = input.ReadPiece();
      if (piece.empty()) break;
      if (ext == ".nit") TNitEditor::ScrambleExport(piece, offset);
      reader.Feed(piece);
      offset += piece.size();
    }
  } catch (const QuillonError& e) {
    throw CliError(kFileError, e.what());
  }
  TCaptureResult result = reader.Finish();
  if (!result.Ok()) {
    std::string seen;
    for (const TSeenNetwork& n : result.Networks)
      seen += Format("%s0x%04X (0x%02X%s)", seen.empty() ? "" : ", ", n.NetworkID, n.TableID,
                     n.Complete ? "" : Msg(CliMsg::Incomplete));
    std::string text = Format(Msg(CliMsg::NoNit), in.string().c_str(), result.Error.c_str());
    if (!seen.empty()) text += "\n" + Format(Msg(CliMsg::NetworksSeen), seen.c_str());
    throw CliError(kFileError, text);
  }
  if (!LoadCaptureRun(nit, std::move(*result.Run)))
    throw CliError(kFileError, Format(Msg(CliMsg::NoNit), in.string().c_str(), result.Error.c_str()));
}

int Dump(const Args& args) {
  const std::filesystem::path in = args.positional[0];
  std::string ext = in.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  std::optional<uint16_t> network;
  if (auto id = args.Option("--network")) {
    const std::string text = *id;
    const bool hex = text.rfind("0x", 0) == 0 || text.rfind("0X", 0) == 0;
    char* end = nullptr;
    const unsigned long v = std::strtoul(text.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
    if (text.size() <= (hex ? 2u : 0u) || *end != '\0' || v > 0xFFFF)
      Usage(Format(Msg(CliMsg::BadNumber), text.c_str(), "--network", 0, 0xFFFF));
    network = static_cast<uint16_t>(v);
  }

  std::unique_ptr<TNitEditor> editor;
  TNIT capture;
  const TNIT* nit = &capture;
  if (ext == ".nip" || ext == ".json") {
    editor = LoadProject(in);
    Build(*editor);
    nit = &editor->NIT();
  } else if (ext == ".ts" || ext == ".nit" || ext == ".bin" || IsStandardStream(in)) {
    LoadCapture(capture, in, ext, network);
  } else {
    Usage(Format(Msg(CliMsg::DumpKind), in.string().c_str()));
  }
  const std::string text = RenderTreeText(CreateTree(*nit));
  Print(text);
  return kDone;
}

int Help(const Args& args) {
  if (args.positional.empty()) {
    Print(Overview());
    return kDone;
  }
  const Command* c = FindCommand(args.positional[0]);
  if (!c) Usage(Format(Msg(CliMsg::UnknownCommand), args.positional[0].c_str()));
  Print(CommandHelp(*c));
  return kDone;
}

const std::vector<Command>& Commands() {
  using M = CliMsg;
  const OptionSpec packetsFile{"-o", M::PacketsFileValue, M::PacketsFileHelp, true};
  const ExitSpec done{kDone, M::ExitDone}, usage{kUsage, M::ExitUsage}, file{kFileError, M::ExitFile},
      buildFailed{kFailed, M::ExitBuildFailed};
  static const std::vector<Command> commands = {
      {"convert", Convert, M::ConvertOperands, 2, 2, M::ConvertSummary, M::ConvertDetails, {}, true,
       {done, {kFailed, M::ExitConvertFailed}, usage, file}},
      {"info", Info, M::InfoOperands, 1, 1, M::InfoSummary, M::InfoDetails, {}, false, {done, usage, file}},
      {"build", BuildCommand, M::BuildOperands, 1, 1, M::BuildSummary, M::BuildDetails, {packetsFile}, true,
       {done, buildFailed, usage, file}},
      {"export", Export, M::ExportOperands, 1, 1, M::ExportSummary, M::ExportDetails,
       {{"-o", M::HeadendFileValue, M::HeadendFileHelp, true}}, true,
       {done, {kFailed, M::ExitExportFailed}, usage, file}},
      {"upload", Upload, M::UploadOperands, 1, 1, M::UploadSummary, M::UploadDetails,
       {{"--host", M::HostValue, M::HostHelp, true},
        {"--channel", M::ChannelValue, M::ChannelHelp, true},
        {"--port", M::PortValue, M::PortHelp},
        {"--timeout", M::PortValue, M::PortHelp, false, false}},  // in no help: no texts of its own
       true,
       {done, {kFailed, M::ExitUploadFailed}, usage, file, {kUnconfirmed, M::ExitUnconfirmed}}},
      {"descramble", Descramble, M::DescrambleOperands, 1, 1, M::DescrambleSummary, M::DescrambleDetails,
       {packetsFile}, false, {done, usage, file}},
      {"dump", Dump, M::DumpOperands, 1, 1, M::DumpSummary, M::DumpDetails,
       {{"--network", M::NetworkValue, M::NetworkHelp}}, true, {done, buildFailed, usage, file}},
      {"help", Help, M::HelpOperands, 0, 1, M::HelpSummary, M::HelpDetails, {}, false, {done, usage, file}},
  };
  return commands;
}

int RunCommand(const std::vector<std::string>& argv) {
  // Options every command takes may also stand before it.
  const auto first = std::find_if(argv.begin(), argv.end(), [](const std::string& a) { return a != kYesFlag; });
  if (first == argv.end()) {
    std::fputs(Overview().c_str(), stderr);
    return kUsage;
  }
  const std::string& name = *first;
  const Command* command = FindCommand(name);
  try {
    if (name == "--version") {
      Print(Format("quillon-cli %s\n", kProgramVersion));
      return kDone;
    }
    if (IsHelpFlag(name)) return Help({});
    if (!command) Usage(Format(Msg(CliMsg::UnknownCommand), name.c_str()));
    const Args args = ParseArgs(*command, {first + 1, argv.end()});
    if (args.help) {
      Print(CommandHelp(*command));
      return kDone;
    }
    return command->run(args);
  } catch (const CliError& e) {
    if (*e.what()) ShowError(e.what());
    // A usage error points to the command's own help.
    if (e.Code() == kUsage) {
      const bool ownHelp = command && command->run != Help;
      const std::string hint = ownHelp ? Format(Msg(CliMsg::SeeCommandHelp), command->name) : Msg(CliMsg::SeeHelp);
      std::fprintf(stderr, "%s\n", hint.c_str());
    }
    return e.Code();
  } catch (const std::filesystem::filesystem_error& e) {
    const std::string reason = e.code().message();
    ShowError(e.path1().empty() ? reason + "." : Format(Msg(CliMsg::FileSystem), e.path1().c_str(), reason.c_str()));
    return kFileError;
  } catch (const std::bad_alloc&) {
    ShowError(Msg(CliMsg::OutOfMemory));
    return kFailed;
  } catch (const std::exception& e) {
    ShowError(e.what());
    return kFailed;
  }
}

int Run(const std::vector<std::string>& argv) {
  // A reader of standard output that goes away must not end the program without a word.
  std::signal(SIGPIPE, SIG_IGN);
  // Questions are answered "Cancel" unless --yes is given anywhere before "--".
  const auto optionsEnd = std::find(argv.begin(), argv.end(), "--");
  StreamDialogs dialogs(stderr, std::find(argv.begin(), optionsEnd, kYesFlag) != optionsEnd);
  ScopedDialogs scope(dialogs);
  return RunCommand(argv);
}

// ---------------------------------------------------------------- language

// German for a German locale, for "C" and "POSIX" and when none is set: the program's
// own language. English for any other.
bool LocaleWantsEnglish() {
  for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(variable);
    if (!value || !*value) continue;
    const std::string_view locale(value);
    const std::string_view language = locale.substr(0, locale.find_first_of("_.@"));
    return language != "de" && language != "C" && language != "POSIX";
  }
  return false;
}

// English from the language file beside the program; without it the texts stay German
// and a note says why.
void UseEnglish() {
  TLangDispatcher& languages = TLangDispatcher::Instance();
  const std::filesystem::path folder = RunningProgramPaths().ProgramFolder;
  const std::filesystem::path file = TLangDispatcher::FindLanguageFile(folder, "quillon");
  std::string problem;
  if (file.empty()) {
    problem = Format(Msg(CliMsg::LanguageFileMissing), folder.c_str());
  } else {
    try {
      languages.LoadFile(file);
    } catch (const QuillonError& e) {
      problem = e.what();
    }
  }
  const std::vector<std::string>& names = languages.LanguageNames();
  const auto english = std::find(names.begin(), names.end(), "English");
  if (problem.empty() && english == names.end()) problem = Format(Msg(CliMsg::NoEnglishInFile), file.c_str());
  if (!problem.empty()) {
    std::fprintf(stderr, "%s\n", Format(Msg(CliMsg::NoEnglish), problem.c_str()).c_str());
    return;
  }
  languages.SetActiveIndex(static_cast<int>(english - names.begin()) + 1);
}

// Takes "--lang de|en" out of the arguments (up to a "--") and switches to that language,
// else to the locale's. A usage error returns its exit status, after saying so in the
// locale's language.
std::optional<int> ChooseLanguage(std::vector<std::string>& argv) {
  std::optional<std::string> asked;
  bool valueMissing = false;
  for (auto it = argv.begin(); it != argv.end() && *it != "--";) {
    if (*it != "--lang") {
      ++it;
    } else if (it + 1 == argv.end()) {
      valueMissing = true;
      it = argv.erase(it);
    } else {
      asked = *(it + 1);
      it = argv.erase(it, it + 2);
    }
  }
  const bool valid = !valueMissing && (!asked || *asked == "de" || *asked == "en");
  if ((valid && asked) ? *asked == "en" : LocaleWantsEnglish()) UseEnglish();
  if (valid) return std::nullopt;
  ShowError(valueMissing ? Format(Msg(CliMsg::MissingValue), "--lang") : Format(Msg(CliMsg::BadLanguage), asked->c_str()));
  std::fprintf(stderr, "%s\n", Msg(CliMsg::SeeHelp));
  return kUsage;
}

// For the tests, with QUILLON_LIST_TEXT_KEYS set: every text the tool can show, one
// "<window>.<key>" a line, so that they can check the language file against it.
bool ListTextKeys() {
  if (!std::getenv("QUILLON_LIST_TEXT_KEYS")) return false;
  Messages();
  JsonMessages();
  AttachCoreMessages();
  for (const TLanguageTable* table : TLangDispatcher::Instance().Tables())
    for (const std::string& key : table->Keys()) std::printf("%s.%s\n", table->Window().c_str(), key.c_str());
  return true;
}

}  // namespace
}  // namespace quillon::cli

int main(int argc, char** argv) {
  if (quillon::cli::ListTextKeys()) return 0;
  std::vector<std::string> args(argv + 1, argv + argc);
  if (const std::optional<int> refused = quillon::cli::ChooseLanguage(args)) return *refused;
  return quillon::cli::Run(args);
}
