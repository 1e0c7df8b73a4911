// quillon-cli run as a user runs it: every command on the sample projects and on bad
// input, with its exit status and its messages. Uploads go to 127.0.0.1 only.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <optional>
#include <thread>
#include <string>
#include <vector>

#include "cli/json_project.h"
#include "cli_runner.h"
#include "fake_modulators.h"
#include "core/rpages.h"
#include "editor/nit_editor.h"
#include "nit/nit_table.h"
#include "platform/dialogs.h"
#include "platform/stream.h"
#include "platform/udp_socket.h"
#include "support/test_util.h"
#include "support/tftpd_server.h"
#include "tftp/tftp_packet.h"

namespace quillon::cli {
namespace {

namespace fs = std::filesystem;
using test::kCli;
using test::TForgetfulModulator;
using test::kExamples;
using test::Result;
using ::testing::HasSubstr;
using ::testing::Not;

class CliTest : public ::testing::Test {
 protected:
  Result Run(const std::vector<std::string>& args) { return test::RunCli(args); }

  // A file in the test's folder.
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::string Write(const std::string& name, const std::string& content) const {
    test::WriteTextFile(dir_ / name, content);
    return Path(name);
  }
  static std::string Example(const std::string& name) { return (kExamples / name).string(); }
  static std::string Read(const std::string& path) { return test::ReadTextFile(path); }

  // The packets the editor builds for a JSON project, in this process; `yes` answers
  // the build's questions.
  static RawString BuiltPackets(const std::string& jsonFile, bool yes = false) {
    test::TempDir programFolder;
    RecordingDialogs dialogs;
    dialogs.defaultAnswer = yes ? DialogAnswer::Yes : DialogAnswer::Cancel;
    ScopedDialogs scope(dialogs);
    TNitEditor editor(TProgramPaths{programFolder.Path()});
    ProjectFromJson(editor, test::ReadTextFile(jsonFile));
    EXPECT_TRUE(editor.CreateNITTable());
    return BuildTablePackets(*editor.NIT().Actual());
  }

  test::TempDir dir_;
};

const char* const kExampleNames[] = {"cable", "terrestrial"};

// A cable project of one stream with `services` services and the given options.
std::string OneStream(int services, const std::string& options, const std::string& streamKeys = "") {
  std::string list;
  for (int i = 0; i < services; ++i)
    list += std::string(i ? ", " : "") + "{\"id\": " + std::to_string(i + 1) + ", \"lcn\": " + std::to_string(i + 1) + "}";
  return "{\"options\": {" + options + "}, \"transportStreams\": [{" + streamKeys + "\"frequency\": 346, \"services\": [" +
         list + "]}]}";
}

TEST_F(CliTest, UsageErrorsExitWithTwo) {
  const std::string project = Example("cable.json");
  struct Case {
    std::vector<std::string> args;
    const char* message;
  } cases[] = {
      {{}, "Aufruf:"},
      {{"frobnicate"}, "Unbekannter Befehl „frobnicate“."},
      {{"info"}, "„info“ erwartet PROJEKT."},
      {{"info", project, project}, "„info“ erwartet PROJEKT."},
      {{"info", project, "-x"}, "Unbekannte Option „-x“ für „info“."},
      {{"info", Path("p.txt")}, "die Dateiendung muss .nip oder .json sein."},
      {{"build", project}, "„build“ braucht die Option „-o“."},
      {{"build", project, "-o"}, "Die Option „-o“ braucht einen Wert."},
      {{"convert", project, Path("copy.json")}, "„convert“ wandelt .json in .nip oder .nip in .json."},
      {{"upload", project, "--channel", "A"}, "„upload“ braucht die Option „--host“."},
      {{"upload", project, "--host", "127.0.0.256", "--channel", "A"}, "„127.0.0.256“ ist keine IPv4-Adresse."},
      {{"upload", project, "--host", "localhost", "--channel", "A"}, "„localhost“ ist keine IPv4-Adresse."},
      {{"upload", project, "--host", "127.0.0.1", "--channel", "C"}, "Kanal „C“: erlaubt sind A und B."},
      {{"upload", project, "--host", "127.0.0.1", "--channel", "A", "--port", "0"}, "„0“ für „--port“: erlaubt ist 1..65535."},
      {{"upload", project, "--host", "127.0.0.1", "--channel", "A", "--port", "+69"}, "„+69“ für „--port“"},
      {{"upload", project, "--host", "127.0.0.1", "--channel", "A", "--port", "65536"}, "„65536“ für „--port“"},
      {{"descramble", Path("in.nit")}, "„descramble“ braucht die Option „-o“."},
  };
  for (const Case& c : cases) {
    Result r = Run(c.args);
    EXPECT_EQ(r.code, 2) << c.message;
    EXPECT_THAT(r.err, HasSubstr(c.message));
    EXPECT_EQ(r.out, "");
  }
  Result help = Run({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_THAT(help.out, HasSubstr("quillon-cli upload PROJEKT --host IPV4 --channel A|B [--port N]"));
  EXPECT_THAT(help.out, Not(HasSubstr("--timeout")));
}

TEST_F(CliTest, InfoSummarisesTheProject) {
  Result r = Run({"info", Example("cable.json")});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_THAT(r.out, HasSubstr("Netzwerk:         Kabel, „Zarem Network“, ID 0x1234, Version 1\n"));
  EXPECT_THAT(r.out, HasSubstr("Optionen:         Service-Listen ja, Logical Channels ja (EACEM), HD Simulcast ja\n"));
  EXPECT_THAT(r.out, HasSubstr("Transportströme:  2 mit 5 Service(s)\n"));
  EXPECT_THAT(r.out, HasSubstr("  TS-ID 0x0001  Org ID 0x0085  346,000 MHz  256 QAM  6,900 MSymbol/s  3 Service(s)\n"));
  EXPECT_THAT(r.out, HasSubstr("    Service-ID 0x0103  Kanal 301  „Radio Süd“  "));
  EXPECT_EQ(r.err, "");

  Result t = Run({"info", Example("terrestrial.json")});
  EXPECT_EQ(t.code, 0) << t.err;
  EXPECT_THAT(t.out, HasSubstr("Terrestrisch, „Zarem DVB-T“, ID 0x3001, Version 4"));
  EXPECT_THAT(t.out, HasSubstr("Kanallisten:      2\n"));
}

TEST_F(CliTest, ConvertRoundTripsByteForByte) {
  for (const char* name : kExampleNames) {
    SCOPED_TRACE(name);
    const std::string json = Example(std::string(name) + ".json");
    const std::string nip = Path("a.nip"), back = Path("b.json"), again = Path("c.nip");
    ASSERT_EQ(Run({"convert", json, nip}).code, 0);
    ASSERT_EQ(Run({"convert", nip, back}).code, 0);
    ASSERT_EQ(Run({"convert", back, again}).code, 0);
    EXPECT_EQ(Read(again), Read(nip));
    // The samples are written as the tool writes them, and their .nip is the one it makes.
    EXPECT_EQ(Read(back), Read(json));
    const std::string sample = Example(std::string(name) + ".nip");
    if (fs::exists(sample)) {
      EXPECT_EQ(Read(sample), Read(nip));
    }
    // Both forms describe the same project.
    EXPECT_EQ(Run({"info", nip}).out, Run({"info", json}).out);
  }
}

TEST_F(CliTest, BuildExportAndDescrambleWriteTheProjectsPackets) {
  for (const char* name : kExampleNames) {
    SCOPED_TRACE(name);
    const std::string json = Example(std::string(name) + ".json");
    const RawString packets = BuiltPackets(json);
    ASSERT_FALSE(packets.empty());

    Result built = Run({"build", json, "-o", Path("out.ts")});
    EXPECT_EQ(built.code, 0) << built.err;
    EXPECT_EQ(Read(Path("out.ts")), packets);
    EXPECT_THAT(built.err, HasSubstr("NIT erzeugt: 1 Abschnitt(e), " + std::to_string(packets.size() / 188) +
                                     " Paket(e) in „" + Path("out.ts") + "“."));

    Result exported = Run({"export", json, "-o", Path("out.nit")});
    EXPECT_EQ(exported.code, 0) << exported.err;
    EXPECT_THAT(exported.err, HasSubstr("Exportieren der NIT beendet"));
    EXPECT_EQ(Read(Path("out.nit")), ToRaw(TNitEditor::ScrambleExport(AsBytes(packets))));

    EXPECT_EQ(Run({"descramble", Path("out.nit"), "-o", Path("plain.ts")}).code, 0);
    EXPECT_EQ(Read(Path("plain.ts")), packets);
  }
}

TEST_F(CliTest, BadFilesExitWithThree) {
  ASSERT_EQ(Run({"convert", Example("cable.json"), Path("good.nip")}).code, 0);
  const std::string good = Read(Path("good.nip"));
  const std::string truncated = Write("truncated.nip", good.substr(0, good.size() / 2));
  const std::string text = Write("text.nip", "no project\n");
  const std::string wrongKey = Write("key.json", R"({"transportStreams": [{"services": [{"lcnn": 1}]}]})");
  const std::string syntax = Write("syntax.json", "{\"network\": }");
  const std::string odd = Write("odd.nit", std::string(189, '\0'));
  ASSERT_EQ(Run({"build", Example("cable.json"), "-o", Path("plain.ts")}).code, 0);
  struct Case {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"info", truncated}, truncated},
      {{"info", text}, "Die gewählte Datei ist kein NIT-Projekt!"},
      {{"info", Path("missing.json")}, Path("missing.json")},
      {{"build", wrongKey, "-o", Path("x.ts")}, wrongKey + ": transportStreams[0].services[0].lcnn: unbekannter Schlüssel eines Service"},
      {{"convert", syntax, Path("x.nip")}, syntax + ": kein gültiges JSON: parse error at line 1, column 13"},
      {{"descramble", odd, "-o", Path("x.ts")}, "„" + odd + "“ ist keine NIT-Exportdatei: ihre Länge 189 ist kein Vielfaches von 188."},
      {{"descramble", Path("plain.ts"), "-o", Path("x.ts")}, "Paket 0 beginnt nicht mit dem Sync-Byte 0x47."},
      {{"build", Example("cable.json"), "-o", Path("no/such/folder/x.ts")}, Path("no/such/folder/x.ts")},
      {{"export", Example("cable.json"), "-o", Path("no/such/folder/x.nit")}, "Fehler beim Exportieren der NIT"},
      {{"convert", Example("cable.json"), Path("no/such/folder/x.nip")}, Path("no/such/folder/x.nip")},
  };
  for (const Case& c : cases) {
    Result r = Run(c.args);
    EXPECT_EQ(r.code, 3) << c.args[0] << " " << c.args[1] << "\n" << r.err;
    EXPECT_THAT(r.err, HasSubstr(c.message));
    EXPECT_FALSE(fs::exists(Path("x.ts")) || fs::exists(Path("x.nip")));
  }
}

TEST_F(CliTest, FailedBuildsExitWithOneAndWriteNothing) {
  struct Case {
    std::string project;
    std::string message;
  } cases[] = {
      {OneStream(86, "\"serviceLists\": true"), "Die Länge des ServiceList-Descriptors ist zu groß."},
      {OneStream(64, "\"logicalChannels\": true"), "Die Länge des NorDig/EACEM-Descriptors ist zu groß."},
      {OneStream(1, "", "\"symbolRate\": 8000, "), "8000"},
      {OneStream(1, "\"logicalChannels\": true, \"variant\": \"NorDigV2\""),
       "Question: Keine NorDigV2 Kanallisten vorhanden!"},
  };
  for (const Case& c : cases) {
    const std::string project = Write("p.json", c.project);
    for (const char* command : {"build", "export", "convert"}) {
      const std::string out = Path(std::string(command) == "convert" ? "out.nip" : "out.bin");
      Result r = std::string(command) == "convert" ? Run({command, project, out}) : Run({command, project, "-o", out});
      EXPECT_EQ(r.code, 1) << command << ": " << c.message << "\n" << r.err;
      EXPECT_THAT(r.err, HasSubstr(c.message)) << command;
      EXPECT_FALSE(fs::exists(out)) << command;
    }
  }
}

TEST_F(CliTest, YesAnswersTheBuildsQuestions) {
  const std::string project = Write("v2.json", OneStream(1, "\"logicalChannels\": true, \"variant\": \"NorDigV2\""));
  Result r = Run({"build", project, "-o", Path("out.ts"), "--yes"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_THAT(r.err, HasSubstr("Question: Keine NorDigV2 Kanallisten vorhanden!"));
  EXPECT_EQ(Read(Path("out.ts")), BuiltPackets(project, true));
}

TEST_F(CliTest, UploadFailures) {
  const std::string project = Example("cable.json");
  // A loopback port that nobody listens on: the request goes unanswered.
  const uint16_t silent = TUdpSocket("127.0.0.1").LocalPort();
  Result timeout = Run({"upload", project, "--host", "127.0.0.1", "--port", std::to_string(silent), "--channel", "A",
                        "--timeout", "500"});
  EXPECT_EQ(timeout.code, 1);
  EXPECT_THAT(timeout.err, HasSubstr("Fehler beim Exportieren der NIT: "));

  // Addresses of no single device are refused with their reason before anything is sent.
  for (const char* host : {"0.0.0.0", "255.255.255.255", "239.1.2.3"}) {
    Result none = Run({"upload", project, "--host", host, "--channel", "B"});
    EXPECT_EQ(none.code, 2) << host;
    EXPECT_THAT(none.err, HasSubstr(std::string("„") + host + "“"));
    EXPECT_THAT(none.err, HasSubstr("Bitte die Adresse des Geräts angeben."));
  }
}

TEST_F(CliTest, UploadResultsSayWhatWasConfirmed) {
  struct Case {
    bool oack, ackLast;
    int code;
    const char* message;
  } cases[] = {
      {false, true, 0, "Exportieren der NIT beendet"},
      {false, false, 4, "Exportieren der NIT beendet, aber der Modulator hat den letzten Block nicht bestätigt"},
      // The whole small file in one block, never confirmed: nothing is known to have arrived.
      {true, false, 1, "Zeitüberschreitung"},
  };
  for (const Case& c : cases) {
    TForgetfulModulator modulator(c.oack, c.ackLast);
    Result r = Run({"upload", Example("cable.json"), "--host", "127.0.0.1", "--port", std::to_string(modulator.Port()),
                    "--channel", "A", "--timeout", "500"});
    EXPECT_EQ(r.code, c.code) << c.message << "\n" << r.err;
    EXPECT_THAT(r.err, HasSubstr(c.message));
    EXPECT_GE(modulator.Blocks(), c.oack ? 1 : 2);
  }
}

TEST_F(CliTest, UploadArrivesAtTftpdHpa) {
  if (std::string why = test::TftpdServer::Unavailable(); !why.empty()) GTEST_SKIP() << why;
  test::TftpdServer server;
  const std::string project = Example("terrestrial.json");
  Result r = Run({"upload", project, "--host", "127.0.0.1", "--port", std::to_string(server.Port()), "--channel", "B"});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_THAT(r.err, HasSubstr("Exportieren der NIT beendet"));

  // One packet per 512-byte block, padded with 0xFF.
  RawString expected;
  const RawString packets = BuiltPackets(project);
  for (size_t i = 0; i < packets.size(); i += 188) expected += packets.substr(i, 188) + std::string(512 - 188, '\xFF');
  EXPECT_EQ(ToRaw(server.Arrived("nit_b", expected.size())), expected);
}

TEST_F(CliTest, LeavesTheProgramFolderAlone) {
  const fs::path settings = kCli.parent_path() / (kCli.stem().string() + ".dat");
  if (fs::exists(settings)) GTEST_SKIP() << settings << " exists already";
  Run({"info", Example("cable.json")});
  Run({"upload", Example("cable.json"), "--host", "0.0.0.0", "--channel", "A"});
  EXPECT_FALSE(fs::exists(settings));
  EXPECT_FALSE(fs::exists(kCli.parent_path() / "Data"));
}

}  // namespace
}  // namespace quillon::cli
