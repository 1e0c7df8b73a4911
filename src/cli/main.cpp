// quillon-cli: converts, summarises, builds, exports and uploads NIT projects without the
// desktop program. Exit status: 0 done, 1 the build or the transfer failed, 2 usage
// error, 3 a file could not be read or written or is malformed, 4 an upload was sent but
// its last block was not confirmed.
#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
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
#include "platform/files.h"
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
  Usage,
  SeeHelp,
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
  Written,
  Descrambled,
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
  ArgsInOut,
  ArgProject,
  ArgInput,
  ArgNitIn,
  Incomplete,
  BadLanguage,
  NoEnglish,
  LanguageFileMissing,
  NoEnglishInFile,
};

inline constexpr TMessageRow<CliMsg> kCliMessageRows[] = {
    {CliMsg::Usage, "Usage",
     "Aufruf:\n"
     "  quillon-cli convert EIN AUS               .json <-> .nip, nach den Dateiendungen\n"
     "  quillon-cli info PROJEKT                  Übersicht eines .nip- oder .json-Projekts\n"
     "  quillon-cli build PROJEKT -o AUS.ts       NIT erzeugen, ihre 188-Byte-Pakete schreiben\n"
     "  quillon-cli export PROJEKT -o AUS.nit     NIT erzeugen, verschlüsselte Headend-Datei schreiben\n"
     "  quillon-cli upload PROJEKT --host IPV4 --channel A|B [--port N]\n"
     "                                            NIT erzeugen und per TFTP zum Modulator senden\n"
     "  quillon-cli descramble EIN.nit -o AUS.ts  Headend-Datei in die Pakete zurückwandeln\n"
     "  quillon-cli dump EINGABE [--network ID]   NIT als Baum zeigen (.nip, .json, .ts, .nit, .bin;\n"
     "                                            - liest Pakete von der Standardeingabe)\n"
     "Option:\n"
     "  --yes   Fragen der NIT-Erzeugung mit „Ja“ beantworten (sonst „Abbrechen“)\n"
     "Rückgabewert: 0 erledigt, 1 Erzeugung oder Übertragung fehlgeschlagen, 2 Aufruffehler,\n"
     "3 Datei nicht lesbar, nicht schreibbar oder fehlerhaft, 4 gesendet, aber der letzte Block\n"
     "wurde nicht bestätigt.\n"},
    {CliMsg::SeeHelp, "SeeHelp", "Hilfe: quillon-cli --help"},
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
    {CliMsg::Written, "Written", "„%s“ geschrieben."},
    {CliMsg::Descrambled, "Descrambled", "%zu Paket(e) in „%s“."},
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
    // What a command expects, for ArgumentCount.
    {CliMsg::ArgsInOut, "ArgsInOut", "EIN und AUS"},
    {CliMsg::ArgProject, "ArgProject", "PROJEKT"},
    {CliMsg::ArgInput, "ArgInput", "EINGABE"},
    {CliMsg::ArgNitIn, "ArgNitIn", "EIN.nit"},
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

struct OptionSpec {
  const char* name;
  bool takesValue;
};

struct Args {
  std::vector<std::string> positional;
  std::map<std::string, std::string> options;
  bool yes = false;

  std::optional<std::string> Option(const std::string& name) const {
    auto it = options.find(name);
    return it == options.end() ? std::nullopt : std::optional(it->second);
  }
  std::string Required(const std::string& command, const std::string& name) const {
    auto v = Option(name);
    if (!v) Usage(Format(Msg(CliMsg::MissingOption), command.c_str(), name.c_str()));
    return *v;
  }
};

Args ParseArgs(const std::string& command, const std::vector<std::string>& argv,
               const std::vector<OptionSpec>& specs) {
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
    if (a == "--yes") {
      args.yes = true;
      continue;
    }
    const OptionSpec* option = nullptr;
    for (const OptionSpec& s : specs)
      if (a == s.name) option = &s;
    if (!option) Usage(Format(Msg(CliMsg::UnknownOption), a.c_str(), command.c_str()));
    if (!option->takesValue) {
      args.options[a] = "";
    } else if (i + 1 < argv.size()) {
      args.options[a] = argv[++i];
    } else {
      Usage(Format(Msg(CliMsg::MissingValue), a.c_str()));
    }
  }
  return args;
}

void ExpectPositional(const std::string& command, const Args& args, size_t count, const char* what) {
  if (args.positional.size() != count) Usage(Format(Msg(CliMsg::ArgumentCount), command.c_str(), what));
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

void WriteBytes(const std::filesystem::path& path, const RawString& bytes) {
  try {
    WriteFileBytes(path, AsBytes(bytes));
  } catch (const QuillonError& e) {
    throw CliError(kFileError, e.what());
  }
}

// ---------------------------------------------------------------- commands

int Convert(const Args& args) {
  ExpectPositional("convert", args, 2, Msg(CliMsg::ArgsInOut));
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
  ExpectPositional("info", args, 1, Msg(CliMsg::ArgProject));
  auto editor = LoadProject(args.positional[0]);
  const TNitEditor& e = *editor;
  const bool cable = e.NetworkType() == TNetworkType::Cable;
  const char* variants[] = {"EACEM", "ITC", "NorDig V1", "NorDig V2"};
  const auto yesNo = [](bool on) { return Msg(on ? CliMsg::Yes : CliMsg::No); };
  std::printf(Msg(CliMsg::InfoNetwork), Msg(cable ? CliMsg::Cable : CliMsg::Terrestrial), U8(e.NetworkName()).c_str(),
              Hex0x(e.NetworkID(), 4).c_str(), e.VersionNumber());
  std::printf(Msg(CliMsg::InfoOptions), yesNo(e.AddSLDs()), yesNo(e.AddLCDs()),
              variants[static_cast<int>(e.Variant())], yesNo(e.AddHDSimulLCN()));
  std::printf(Msg(CliMsg::InfoLists), e.ChannelList().size());
  for (const auto& l : e.ChannelList())
    std::printf(Msg(CliMsg::InfoList), l->ListID(), U8(l->ListName()).c_str(),
                U8(CountryCodeDisplayText(l->CountryCode())).c_str());
  size_t services = 0;
  for (size_t i = 0; i < e.StreamCount(); ++i) services += e.Stream(i)->ServiceList().size();
  std::printf(Msg(CliMsg::InfoStreams), e.StreamCount(), services);
  // In the grid's order.
  for (int32_t row : e.RowOrder()) {
    const TTransportStreamData& r = *e.Stream(static_cast<size_t>(row));
    const std::string tsid = Hex0x(r.TSID(), 4), onid = Hex0x(r.OrgNetID(), 4), freq = Decimal3(r.Freq());
    if (cable) {
      const TCableDescrData& c = *e.CableEntryList()[static_cast<size_t>(row)];
      std::printf(Msg(CliMsg::InfoCable), tsid.c_str(), onid.c_str(), freq.c_str(), U8(CableModulationText(c.Modu())).c_str(),
                  Decimal3(c.SymbRate()).c_str(), r.ServiceList().size());
    } else {
      const TTerrestrialDescrData& t = *e.TerrestrialEntryList()[static_cast<size_t>(row)];
      std::printf(Msg(CliMsg::InfoTerrestrial), tsid.c_str(), onid.c_str(), freq.c_str(),
                  U8(BandwidthText(t.BandWidth())).c_str(), U8(ConstellationText(t.Constellation())).c_str(),
                  U8(TransmissionModeText(t.Mode())).c_str(), r.ServiceList().size());
    }
    for (const auto& s : r.ServiceList())
      std::printf(Msg(CliMsg::InfoService), Hex0x(s->ServiceID(), 4).c_str(), s->LogicalNumber(),
                  U8(StripHexTags(StripControlChars(s->ServiceName()), false)).c_str(),
                  U8(ServiceTypeText(s->ServiceType())).c_str());
  }
  return kDone;
}

int BuildCommand(const Args& args) {
  ExpectPositional("build", args, 1, Msg(CliMsg::ArgProject));
  const std::filesystem::path out = args.Required("build", "-o");
  ExpectOtherFile(args.positional[0], out);
  auto editor = LoadProject(args.positional[0]);
  Build(*editor);
  const TNITTable& table = *editor->NIT().Actual();
  const RawString packets = BuildTablePackets(table);
  WriteBytes(out, packets);
  ShowInfo(Format(Msg(CliMsg::Built), table.Sections(), packets.size() / RPAGE_LEN, out.string().c_str()));
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
  ExpectPositional("export", args, 1, Msg(CliMsg::ArgProject));
  const std::filesystem::path out = args.Required("export", "-o");
  ExpectOtherFile(args.positional[0], out);
  auto editor = LoadProject(args.positional[0]);
  Build(*editor);
  bool ok = false;
  try {
    ok = editor->ExportNITFile(out);
  } catch (const StreamError& e) {
    throw CliError(kFileError, ExportFailure(*editor, e));
  } catch (const QuillonError& e) {
    throw CliError(kFailed, ExportFailure(*editor, e));
  }
  return ExportResult(*editor, ok);
}

// A private folder for the upload's temporary file, removed afterwards.
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

int Upload(const Args& args) {
  ExpectPositional("upload", args, 1, Msg(CliMsg::ArgProject));
  const std::string host = args.Required("upload", "--host");
  // Before anything is read, built or sent.
  if (const std::string problem = HostAddressProblem(host); !problem.empty()) Usage(problem);
  const std::string channel = args.Required("upload", "--channel");
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
  ExpectPositional("descramble", args, 1, Msg(CliMsg::ArgNitIn));
  const std::filesystem::path in = args.positional[0];
  const std::filesystem::path out = args.Required("descramble", "-o");
  ExpectOtherFile(in, out);
  Bytes bytes;
  try {
    bytes = ReadFileBytes(in, kMaxWholeFileBytes);
  } catch (const QuillonError& e) {
    throw CliError(kFileError, e.what());
  }
  const auto notExport = [&](const std::string& why) {
    return CliError(kFileError, Format(Msg(CliMsg::NotExportFile), in.string().c_str(), why.c_str()));
  };
  if (bytes.size() % RPAGE_LEN != 0) throw notExport(Format(Msg(CliMsg::LengthNotPackets), bytes.size()));
  const Bytes plain = TNitEditor::ScrambleExport(bytes);
  for (size_t i = 0; i < plain.size(); i += RPAGE_LEN)
    if (plain[i] != 0x47) throw notExport(Format(Msg(CliMsg::NoSyncByte), i / RPAGE_LEN));
  WriteBytes(out, ToRaw(plain));
  ShowInfo(Format(Msg(CliMsg::Descrambled), plain.size() / RPAGE_LEN, out.string().c_str()));
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
  ExpectPositional("dump", args, 1, Msg(CliMsg::ArgInput));
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
  std::fwrite(text.data(), 1, text.size(), stdout);
  return kDone;
}

struct Command {
  const char* name;
  int (*run)(const Args&);
  std::vector<OptionSpec> options;
};

int Run(const std::vector<std::string>& argv) {
  static const Command commands[] = {
      {"convert", Convert, {}},
      {"info", Info, {}},
      {"build", BuildCommand, {{"-o", true}}},
      {"export", Export, {{"-o", true}}},
      {"upload", Upload, {{"--host", true}, {"--channel", true}, {"--port", true}, {"--timeout", true}}},
      {"descramble", Descramble, {{"-o", true}}},
      {"dump", Dump, {{"--network", true}}},
  };
  if (argv.empty()) {
    std::fputs(Msg(CliMsg::Usage), stderr);
    return kUsage;
  }
  const std::string& name = argv[0];
  if (name == "--help" || name == "-h" || name == "help") {
    std::fputs(Msg(CliMsg::Usage), stdout);
    return kDone;
  }
  // Questions are answered "Cancel" unless --yes is given anywhere.
  const bool yes = std::find(argv.begin(), argv.end(), "--yes") != argv.end();
  StreamDialogs dialogs(stderr, yes);
  ScopedDialogs scope(dialogs);
  try {
    for (const Command& c : commands)
      if (name == c.name) return c.run(ParseArgs(name, {argv.begin() + 1, argv.end()}, c.options));
    Usage(Format(Msg(CliMsg::UnknownCommand), name.c_str()));
  } catch (const CliError& e) {
    if (*e.what()) ShowError(e.what());
    if (e.Code() == kUsage) std::fprintf(stderr, "%s\n", Msg(CliMsg::SeeHelp));
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
