// quillon-cli in German and in English: every message the tool can reach, once in each
// language and with nothing of the other language in it; how the tool picks its language;
// and the language file checked against every text the tool can show.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/json_project.h"
#include "cli_runner.h"
#include "editor/core_messages.h"
#include "fake_modulators.h"
#include "platform/ini_file.h"
#include "platform/language.h"
#include "platform/text.h"
#include "platform/udp_socket.h"
#include "support/language_fixture.h"
#include "support/test_util.h"

namespace quillon::cli {
namespace {

namespace fs = std::filesystem;
using test::Result;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

// The words of a text: runs of letters, a byte above 0x7F counting as one (UTF-8).
std::vector<std::string> Words(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  for (char c : text) {
    if (std::isalpha(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80) {
      word += c;
    } else if (!word.empty()) {
      words.push_back(std::move(word));
      word.clear();
    }
  }
  if (!word.empty()) words.push_back(word);
  return words;
}

// What gives a German text away in one meant to be English: umlauts, German quotation
// marks and small German words that no English message has.
std::vector<std::string> GermanIn(const std::string& text) {
  static const std::set<std::string> kWords = {
      "der",   "die",     "das",    "den",    "dem",     "des",    "ein",   "eine",     "einer",  "eines",
      "nicht", "kein",    "keine",  "ist",    "sind",    "und",    "oder",  "für",      "mit",    "von",
      "bei",   "auf",     "wird",   "werden", "kann",    "muss",   "Datei", "Fehler",   "Hinweis", "Zeile",
      "Aufruf", "Hilfe",  "Kanal",  "Projekt", "Netzwerk", "Paket", "erzeugt", "geschrieben", "ja", "nein",
      "Kabel", "Byte",    "Bitte",  "Verbunden", "Getrennt", "Sende", "gefunden", "erwartet", "braucht"};
  std::vector<std::string> found;
  for (const char* mark : {"ä", "ö", "ü", "ß", "Ä", "Ö", "Ü", "„", "“"})
    if (text.find(mark) != std::string::npos) found.push_back(mark);
  for (const std::string& w : Words(text))
    if (kWords.count(w)) found.push_back(w);
  return found;
}

// What gives an English text away in one meant to be German, once the parts that are
// English in both are gone: the tags of the message lines, the system's reasons and the
// JSON library's words.
std::vector<std::string> EnglishIn(std::string text) {
  static const std::set<std::string> kWords = {
      "the",    "The",     "is",       "not",      "cannot", "Cannot", "of",       "and",     "with",
      "found",  "expected", "must",    "written",  "built",  "Usage",  "unknown",  "Unknown", "failed",
      "file",   "from",    "has",      "holds",    "needs",  "allowed", "Note",    "Help",    "yes",
      "no",     "cable",   "terrestrial", "Transfer", "Sending", "Connected", "Disconnected", "Options"};
  for (int error : {ENOENT, ENOTDIR, EISDIR, EACCES})
    for (size_t at; (at = text.find(std::strerror(error))) != std::string::npos;)
      text.erase(at, std::strlen(std::strerror(error)));
  for (const char* tag : {"Error: ", "Information: ", "Question: ", "Warning: "})
    for (size_t at; (at = text.find(tag)) != std::string::npos;) text.erase(at, std::strlen(tag));
  for (size_t at; (at = text.find("kein gültiges JSON: ")) != std::string::npos;) text.erase(at, text.find('\n', at) - at);
  std::vector<std::string> found;
  for (const std::string& w : Words(text))
    if (kWords.count(w)) found.push_back(w);
  return found;
}

// One cable stream with `services` services.
std::string Streams(int services, const std::string& options, const std::string& extra = "") {
  std::string list;
  for (int i = 0; i < services; ++i) list += Format("%s{\"id\": %d, \"lcn\": %d}", i ? ", " : "", i + 1, i + 1);
  return "{\"options\": {" + options + "}, " + extra + "\"transportStreams\": [{\"frequency\": 346, \"services\": [" +
         list + "]}]}";
}

// `n` streams without services.
std::string ManyStreams(int n) {
  std::string list;
  for (int i = 0; i < n; ++i) list += i ? ", {}" : "{}";
  return "{\"transportStreams\": [" + list + "]}";
}

class CliLanguageTest : public ::testing::Test {
 protected:
  static constexpr const char* kLanguages[] = {"de", "en"};

  // The tool with "--lang `language`" after `args`.
  static Result RunIn(const std::string& language, std::vector<std::string> args,
                      const test::RunOptions& options = {}) {
    args.insert(args.end(), {"--lang", language});
    return test::RunCli(args, options);
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string Write(const std::string& name, const std::string& content) const {
    test::WriteTextFile(dir_ / name, content);
    return Path(name);
  }

  // Output of a run in `language`: it has `phrase`, and none of the other language.
  void ExpectSpoken(const std::string& language, const Result& r, const std::string& phrase) const {
    std::string all = r.out + r.err;
    EXPECT_THAT(all, HasSubstr(phrase)) << all;
    // The test's own paths and the tool's options say nothing of the language.
    for (const std::string& token : {dir_.Path().string(), std::string("--")})
      for (size_t at; (at = all.find(token)) != std::string::npos;)
        all.erase(at, all.find_first_of(" \"\n\xE2", at) - at);
    EXPECT_THAT(language == "en" ? GermanIn(all) : EnglishIn(all), IsEmpty()) << all;
  }

  test::TempDir dir_;
};

TEST_F(CliLanguageTest, EveryMessageInBothLanguages) {
  const std::string cable = Write("cable.json",
                                  R"({"network": {"name": "Plain"}, "transportStreams": [{"frequency": 346, )"
                                  R"("symbolRate": 6.9, "services": [{"id": 1, "lcn": 1, "name": "One"}]}]})");
  const std::string terrestrial =
      Write("terr.json", R"({"network": {"type": "terrestrial", "name": "Plain"}, "options": {"logicalChannels": true, )"
                         R"("variant": "NorDigV2"}, "channelLists": [{"id": 1, "name": "Main", "country": "NOR"}], )"
                         R"("transportStreams": [{"frequency": 506, "services": [{"id": 1, "lcn": 1, "name": "One", )"
                         R"("channelList": 1}]}]})");
  const std::string nip = Path("cable.nip"), ts = Path("cable.ts"), nit = Path("cable.nit");
  ASSERT_EQ(test::RunCli({"convert", cable, nip}).code, 0);
  ASSERT_EQ(test::RunCli({"build", cable, "-o", ts}).code, 0);
  ASSERT_EQ(test::RunCli({"export", cable, "-o", nit}).code, 0);
  const std::string nipBytes = test::ReadTextFile(nip), tsBytes = test::ReadTextFile(ts);
  fs::create_hard_link(cable, dir_ / "link.nip");
  fs::create_directory(dir_ / "folder.nip");
  // Two sections, of which only the first is kept: a network seen but incomplete.
  ASSERT_EQ(test::RunCli({"build", Write("two.json", ManyStreams(80)), "-o", Path("two.ts")}).code, 0);
  const std::string two = test::ReadTextFile(Path("two.ts"));
  const size_t firstSection = 3 + ((two[6] & 0x0F) << 8 | static_cast<uint8_t>(two[7]));
  const std::string partial = Write("partial.ts", two.substr(0, (firstSection + 1 + 183) / 184 * 188));

  struct Case {
    std::vector<std::string> args;
    int code;
    const char* german;  // a phrase of the message in each language
    const char* english;
  } cases[] = {
      // usage
      {{}, 2, "Aufruf:", "Usage:"},
      {{"frobnicate"}, 2, "Unbekannter Befehl „frobnicate“.", "Unknown command \"frobnicate\"."},
      {{"info"}, 2, "„info“ erwartet PROJEKT.", "\"info\" expects PROJECT."},
      {{"convert", cable}, 2, "„convert“ erwartet EIN AUS.", "\"convert\" expects IN OUT."},
      {{"dump"}, 2, "erwartet EINGABE", "expects INPUT"},
      {{"descramble"}, 2, "erwartet EIN.nit", "expects IN.nit"},
      {{"info", cable, "-x"}, 2, "Unbekannte Option „-x“ für „info“.", "Unknown option \"-x\" for \"info\"."},
      {{"info", Path("p.txt")}, 2, "die Dateiendung muss .nip oder .json sein", "the file extension must be .nip or"},
      {{"build", cable}, 2, "braucht die Option „-o“", "needs the option \"-o\""},
      {{"build", cable, "-o"}, 2, "Die Option „-o“ braucht einen Wert.", "The option \"-o\" needs a value."},
      {{"convert", cable, Path("copy.json")}, 2, "wandelt .json in .nip", "turns .json into .nip"},
      {{"convert", cable, Path("link.nip")}, 2, "ist zugleich die Eingabe", "is also the input"},
      {{"upload", cable, "--host", "localhost", "--channel", "A"}, 2, "ist keine IPv4-Adresse",
       "is not an IPv4 address"},
      {{"upload", cable, "--host", "255.255.255.255", "--channel", "A"}, 2, "Broadcast-Adresse", "broadcast address"},
      {{"upload", cable, "--host", "0.1.2.3", "--channel", "A"}, 2, "(„dieses Netz“)", "(\"this network\")"},
      {{"upload", cable, "--host", "239.1.2.3", "--channel", "A"}, 2, "Multicast-Adresse", "multicast address"},
      {{"upload", cable, "--host", "250.1.2.3", "--channel", "A"}, 2, "reservierten Bereich", "reserved range"},
      {{"upload", cable, "--host", "127.0.0.1", "--channel", "C"}, 2, "erlaubt sind A und B", "A and B are allowed"},
      {{"upload", cable, "--host", "127.0.0.1", "--channel", "A", "--port", "0"}, 2, "erlaubt ist 1..65535",
       "1..65535 is allowed"},
      {{"dump", Path("x.txt")}, 2, "die Dateiendung muss .nip, .json", "must be .nip, .json, .ts"},
      {{"dump", ts, "--network", "zz"}, 2, "„zz“ für „--network“", "\"zz\" for \"--network\""},
      // summaries and results
      {{"info", cable}, 0, "Kabel, „Plain“, ID 0x0000", "cable, \"Plain\", ID 0x0000"},
      {{"info", terrestrial}, 0, "Liste 1  „Main“", "List 1  \"Main\""},
      {{"info", nip}, 0, "Transportströme:  1 mit 1 Service(s)", "Transport streams: 1 with 1 service(s)"},
      {{"build", cable, "-o", Path("out.ts")}, 0, "NIT erzeugt: 1 Abschnitt(e)", "NIT built: 1 section(s)"},
      {{"convert", cable, Path("out.nip")}, 0, "geschrieben.", "written."},
      {{"export", cable, "-o", Path("out.nit")}, 0, "Exportieren der NIT beendet", "Export of the NIT finished"},
      {{"descramble", nit, "-o", Path("plain.ts")}, 0, "Paket(e) in", "packet(s) in"},
      // the build's limits and questions
      {{"build", Write("long.json", "{\"network\": {\"name\": \"" + std::string(256, 'x') + "\"}}"), "-o",
        Path("x.ts")},
       1, "Der Netzwerk-Name hat 256 Zeichen", "The network name has 256 characters"},
      {{"build", Write("wide.json", R"({"network": {"name": "Ω"}})"), "-o", Path("x.ts")}, 1,
       "enthält das Zeichen U+03A9", "holds the character U+03A9"},
      {{"build", Write("freq.json", R"({"transportStreams": [{"frequency": 9000}]})"), "-o", Path("x.ts")}, 1,
       "Transportstrom 1 (TSID 0): Die Frequenz 9000 MHz liegt außerhalb von 0 bis 7999,9999 MHz.",
       "Transport stream 1 (TSID 0): The frequency 9000 MHz is outside 0 to 7999.9999 MHz."},
      {{"build", Write("centre.json", R"({"network": {"type": "terrestrial"}, "transportStreams": [{"frequency": 50000}]})"),
        "-o", Path("x.ts")},
       1, "Die Mittenfrequenz", "The centre frequency"},
      {{"build", Write("sld.json", Streams(86, "\"serviceLists\": true, \"logicalChannels\": false")), "-o", Path("x.ts")},
       1, "ServiceList-Descriptors ist zu groß", "service list descriptor is too long"},
      {{"build", Write("lcd.json", Streams(64, "\"serviceLists\": false, \"logicalChannels\": true")), "-o", Path("x.ts")},
       1, "NorDig/EACEM-Descriptors ist zu groß", "NorDig/EACEM descriptor is too long"},
      {{"build", Write("v2.json", Streams(1, "\"logicalChannels\": true, \"variant\": \"NorDigV2\"")), "-o", Path("x.ts")},
       1, "Keine NorDigV2 Kanallisten vorhanden!", "No NorDig V2 channel lists present!"},
      {{"build",
        Write("list.json", R"({"options": {"logicalChannels": true, "variant": "NorDigV2"}, "channelLists": [{"id": 1, )"
                           R"("name": "Ω"}], "transportStreams": [{"services": [{"id": 1, "channelList": 1}]}]})"),
        "-o", Path("x.ts")},
       1, "Der Name der Kanalliste 1 enthält", "The name of channel list 1 holds"},
      {{"build", Write("sections.json", ManyStreams(14000)), "-o", Path("x.ts")}, 1, "passt nicht mehr in die NIT",
       "no longer fits the NIT"},
      {{"export", Write("packets.json", ManyStreams(3000)), "-o", Path("x.nit")}, 1,
       "Fehler beim Exportieren der NIT: Die NIT braucht", "Error exporting the NIT: The NIT needs"},
      // files
      {{"info", Path("missing.nip")}, 3, "kann nicht geöffnet werden", "Cannot open"},
      {{"info", Path("folder.nip")}, 3, "es ist ein Ordner, keine Datei", "it is a folder, not a file"},
      {{"info", Write("text.nip", "no project")}, 3, "Die gewählte Datei ist kein NIT-Projekt!",
       "The chosen file is not a NIT project!"},
      {{"info", Write("cut.nip", nipBytes.substr(0, 60))}, 3, "Beschädigte Daten", "Damaged data"},
      {{"info", Write("trailing.nip", nipBytes + "junk")}, 0, "Nach dem Ende des NIT-Projekts folgen noch 4 Byte",
       "The NIT project is followed by 4 bytes"},
      {{"build", cable, "-o", Path("no/such/x.ts")}, 3, "kann nicht geschrieben werden", "Cannot write"},
      {{"export", cable, "-o", Path("no/such/x.nit")}, 3, "Fehler beim Exportieren der NIT", "Error exporting the NIT"},
      {{"descramble", Write("odd.nit", std::string(189, '\0')), "-o", Path("x.ts")}, 3,
       "ist keine NIT-Exportdatei: ihre Länge 189 ist kein Vielfaches von 188.",
       "is no NIT export file: its length 189 is not a multiple of 188."},
      {{"descramble", ts, "-o", Path("x.ts")}, 3, "beginnt nicht mit dem Sync-Byte 0x47",
       "does not begin with the sync byte 0x47"},
      // the JSON form
      {{"info", Write("key.json", R"({"transportStreams": [{"services": [{"lcnn": 1}]}]})")}, 3,
       "lcnn: unbekannter Schlüssel eines Service", "lcnn: unknown key of a service"},
      {{"info", Write("syntax.json", "{\"network\": }")}, 3, "kein gültiges JSON: parse error", ": parse error"},
      {{"info", Write("range.json", R"({"network": {"version": 32}})")}, 3, "32 liegt außerhalb von 0..31",
       "32 is out of range 0..31"},
      {{"info", Write("dup.json", R"({"network": {"id": 1, "id": 2}})")}, 3, "doppelter Schlüssel", "duplicate key"},
      {{"info", Write("type.json", R"({"network": {"name": 5}})")}, 3, "erwartet wird ein Text", "expected a text"},
      {{"info", Write("rows.json", R"({"transportStreams": [{}, {}], "rowOrder": [0, 0]})")}, 3,
       "Die Zeilenfolge muss jeden der 2 Transportströme einmal nennen",
       "The row order must list each of the 2 transport streams once"},
      // captures
      {{"dump", Write("empty.ts", "")}, 3, "Keine vollständige NIT gefunden", "No complete NIT found"},
      {{"dump", ts, "--network", "0x9999"}, 3, "Keine vollständige NIT des Netzwerks 0x9999 gefunden",
       "No complete NIT of network 0x9999 found"},
      {{"dump", ts, "--network", "0x9999"}, 3, "Gefundene Netzwerke: 0x0000 (0x40)", "Networks found: 0x0000 (0x40)"},
      {{"dump", partial}, 3, "(0x40, unvollständig)", "(0x40, incomplete)"},
      {{"dump", Path("missing.ts")}, 3, "kann nicht geöffnet werden", "Cannot open"},
  };
  for (const Case& c : cases) {
    for (const std::string language : kLanguages) {
      const std::string phrase = language == "de" ? c.german : c.english;
      SCOPED_TRACE(language + ": " + phrase);
      const Result r = RunIn(language, c.args);
      EXPECT_EQ(r.code, c.code) << r.err;
      ExpectSpoken(language, r, phrase);
    }
  }
  // The tree's field names are the standard's own in both languages.
  EXPECT_EQ(RunIn("en", {"dump", ts}).out, RunIn("de", {"dump", ts}).out);
  // Each detector finds the language it looks for.
  const std::vector<std::string> missing = {"info", Path("missing.nip")};
  EXPECT_THAT(GermanIn(RunIn("de", missing).err), Not(IsEmpty()));
  EXPECT_THAT(EnglishIn(RunIn("en", missing).err), Not(IsEmpty()));
}

TEST_F(CliLanguageTest, UploadsInBothLanguages) {
  const std::string project = Write("p.json", ManyStreams(1));
  const auto upload = [&](const std::string& language, uint16_t port) {
    return RunIn(language, {"upload", project, "--host", "127.0.0.1", "--port", std::to_string(port), "--channel", "A",
                            "--timeout", "500"});
  };
  for (const std::string language : kLanguages) {
    SCOPED_TRACE(language);
    const bool de = language == "de";
    {
      test::TForgetfulModulator modulator(false, true);
      const Result r = upload(language, modulator.Port());
      EXPECT_EQ(r.code, 0) << r.err;
      for (const char* phrase : de ? std::vector<const char*>{"Verbunden", "Byte) an 127.0.0.1:",
                                                              "Übertragung von „nit_a“ abgeschlossen", "Getrennt",
                                                              "Exportieren der NIT beendet"}
                                   : std::vector<const char*>{"Connected", "bytes) to 127.0.0.1:",
                                                              "Transfer of \"nit_a\" complete", "Disconnected",
                                                              "Export of the NIT finished"})
        ExpectSpoken(language, r, phrase);
    }
    {
      test::TForgetfulModulator modulator(false, false);
      const Result r = upload(language, modulator.Port());
      EXPECT_EQ(r.code, 4) << r.err;
      ExpectSpoken(language, r, de ? "(letzter Block nicht bestätigt)" : "(last block not acknowledged)");
      ExpectSpoken(language, r,
                   de ? "aber der Modulator hat den letzten Block nicht bestätigt"
                      : "but the modulator did not confirm the last block");
    }
    {
      // Blocks of 1500 bytes: the packet's 512 are the only block, and it counts.
      test::TForgetfulModulator modulator(true, false);
      const Result r = upload(language, modulator.Port());
      EXPECT_EQ(r.code, 1) << r.err;
      ExpectSpoken(language, r,
                   de ? "hat Block 1 von 1 für „nit_a“ nicht bestätigt; die Übertragung ist fehlgeschlagen"
                      : "did not confirm block 1 of 1 for \"nit_a\"; the transfer failed");
    }
    {
      test::TRefusingModulator modulator(2, "denied");
      const Result r = upload(language, modulator.Port());
      EXPECT_EQ(r.code, 1) << r.err;
      ExpectSpoken(language, r, de ? "Fehler beim Exportieren der NIT: Zugriff verweigert: denied"
                                   : "Error exporting the NIT: Access violation: denied");
    }
    // A loopback port nobody listens on.
    const Result silent = upload(language, TUdpSocket("127.0.0.1").LocalPort());
    EXPECT_EQ(silent.code, 1) << silent.err;
    ExpectSpoken(language, silent,
                 de ? "hat die Schreibanfrage für „nit_a“ nicht beantwortet"
                    : "did not answer the write request for \"nit_a\"");
  }
}

TEST_F(CliLanguageTest, TheLanguageComesFromTheOptionElseFromTheLocale) {
  const std::string missing = Path("x.nip");
  struct Case {
    std::vector<std::string> args;
    std::map<std::string, std::string> environment;
    bool english;
  } cases[] = {
      {{"info", missing}, {}, false},
      {{"info", missing}, {{"LANG", "en_US.UTF-8"}}, true},
      {{"info", missing}, {{"LANG", "fr_FR.UTF-8"}}, true},
      {{"info", missing}, {{"LANG", "de_DE.UTF-8"}}, false},
      {{"info", missing}, {{"LANG", "de"}}, false},
      {{"info", missing}, {{"LANG", "de_AT@euro"}}, false},
      {{"info", missing}, {{"LANG", "C.UTF-8"}}, false},
      {{"info", missing}, {{"LANG", "C"}}, false},
      {{"info", missing}, {{"LANG", "POSIX"}}, false},
      {{"info", missing}, {{"LANG", ""}}, false},
      // The first of LC_ALL, LC_MESSAGES, LANG that is set.
      {{"info", missing}, {{"LC_ALL", "de_DE.UTF-8"}, {"LANG", "en_US.UTF-8"}}, false},
      {{"info", missing}, {{"LC_ALL", ""}, {"LC_MESSAGES", "en_GB.UTF-8"}, {"LANG", "de_DE.UTF-8"}}, true},
      {{"info", missing}, {{"LC_MESSAGES", "C"}, {"LANG", "en_US.UTF-8"}}, false},
      // --lang anywhere wins.
      {{"--lang", "de", "info", missing}, {{"LANG", "en_US.UTF-8"}}, false},
      {{"info", "--lang", "en", missing}, {{"LANG", "de_DE.UTF-8"}}, true},
      {{"info", missing, "--lang", "de"}, {{"LC_ALL", "en_US.UTF-8"}}, false},
  };
  for (const Case& c : cases) {
    test::RunOptions options;
    options.environment = c.environment;
    std::string trace;
    for (const std::string& a : c.args) trace += a + " ";
    for (const auto& [name, value] : c.environment) trace += name + "=" + value + " ";
    SCOPED_TRACE(trace);
    const Result r = test::RunCli(c.args, options);
    EXPECT_EQ(r.code, 3);
    EXPECT_THAT(r.err, HasSubstr(c.english ? "Cannot open" : "kann nicht geöffnet werden"));
  }
}

TEST_F(CliLanguageTest, AnUnknownLanguageIsAUsageError) {
  const Result german = test::RunCli({"info", "--lang", "fr", Path("x.nip")});
  EXPECT_EQ(german.code, 2);
  EXPECT_THAT(german.err, HasSubstr("„fr“ für „--lang“: erlaubt sind de und en."));
  EXPECT_THAT(german.err, HasSubstr("Hilfe: quillon-cli --help"));
  test::RunOptions english;
  english.environment["LANG"] = "en_US.UTF-8";
  const Result inEnglish = test::RunCli({"--lang", "xx"}, english);
  EXPECT_EQ(inEnglish.code, 2);
  EXPECT_THAT(inEnglish.err, HasSubstr("\"xx\" for \"--lang\": de and en are allowed."));
  const Result noValue = test::RunCli({"info", Path("x.nip"), "--lang"});
  EXPECT_EQ(noValue.code, 2);
  EXPECT_THAT(noValue.err, HasSubstr("Die Option „--lang“ braucht einen Wert."));
}

// A copy of the tool in a folder of its own, with `languageFile` beside it unless empty.
fs::path LonelyTool(const fs::path& folder, const std::string& languageFile) {
  fs::create_directories(folder);
  fs::copy_file(test::kCli, folder / "quillon-cli");
  if (!languageFile.empty()) test::WriteTextFile(folder / "quillon.sil", languageFile);
  return folder / "quillon-cli";
}

TEST_F(CliLanguageTest, WithoutEnglishTextsTheToolSpeaksGermanAndSaysWhy) {
  struct Case {
    const char* name;
    std::string languageFile;
    const char* why;
  } cases[] = {
      {"no file", "", "quillon.sil fehlt in „"},
      {"no English in it", "[Languages]\n2=Français\n[Français]\nTQuillonCli.SeeHelp=Aide\n", "enthält kein Englisch"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path tool = LonelyTool(dir_ / c.name, c.languageFile);
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--lang", "en"}, std::vector<std::string>{}}) {
      test::RunOptions options;
      options.environment["LANG"] = "en_US.UTF-8";
      const Result r = test::RunProgram(tool, args, options);
      EXPECT_EQ(r.code, 2);
      EXPECT_THAT(r.err, HasSubstr("Aufruf:"));
      EXPECT_THAT(r.err, HasSubstr("English is not available, the texts stay German"));
      EXPECT_THAT(r.err, HasSubstr(c.why));
    }
    // German asked for: nothing to say.
    EXPECT_THAT(test::RunProgram(tool, {"--lang", "de"}).err, Not(HasSubstr("Hinweis")));
  }
}

// Every text the tool can show, as it lists them itself.
std::vector<std::pair<std::string, std::string>> ToolTextKeys() {
  test::RunOptions options;
  options.environment["QUILLON_LIST_TEXT_KEYS"] = "1";
  const Result r = test::RunCli({}, options);
  EXPECT_EQ(r.code, 0);
  std::vector<std::pair<std::string, std::string>> keys;
  std::istringstream lines(r.out);
  for (std::string line; std::getline(lines, line);) {
    const size_t dot = line.find('.');
    if (dot != std::string::npos) keys.emplace_back(line.substr(0, dot), line.substr(dot + 1));
  }
  return keys;
}

TEST(CliLanguageFile, EnglishCoversEveryTextOfTheToolAndNothingElseInItsWindows) {
  TLangDispatcher languages;
  languages.LoadFile(test::ShippedLanguageFile());
  const auto keys = ToolTextKeys();
  ASSERT_GT(keys.size(), 100u);
  std::set<std::string> known;
  std::vector<std::string> missing;
  for (const auto& [window, key] : keys) {
    known.insert(window + "." + key);
    if (languages.Lookup(window, key, 2).empty()) missing.push_back(window + "." + key);
  }
  EXPECT_THAT(missing, IsEmpty());
  // The windows only the tool has; the desktop program's test checks the others.
  std::vector<std::string> unknown;
  for (const std::string& key : IniFile(test::ShippedLanguageFile()).ReadSectionKeys("English"))
    if ((key.rfind("TQuillonCli.", 0) == 0 || key.rfind("TJsonProject.", 0) == 0) && !known.count(key))
      unknown.push_back(key);
  EXPECT_THAT(unknown, IsEmpty());
}

TEST(CliLanguageFile, EveryEnglishTextOfTheCoreTakesTheArgumentsOfItsGermanOne) {
  AttachCoreMessages();
  JsonMessages();
  const test::TEnglishTexts english;
  const TLangDispatcher& languages = TLangDispatcher::Instance();
  for (const TLanguageTable* table : languages.Tables())
    for (const std::string& key : table->Keys()) {
      SCOPED_TRACE(table->Window() + "." + key);
      const std::string text = languages.Lookup(table->Window(), key, 2);
      EXPECT_NE(text, "");
      // A translation of other conversions is not used: the table would give the German text.
      EXPECT_EQ(PrintfConversions(table->Text(key)), PrintfConversions(text));
    }
}

}  // namespace
}  // namespace quillon::cli
