// quillon-cli's conventions: --version, the overview and each command's help from the
// one table of commands, and "-o -" writing to standard output, whose failures are
// reported like any other output's.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli_runner.h"
#include "editor/project_file.h"
#include "support/test_util.h"

namespace quillon::cli {
namespace {

namespace fs = std::filesystem;
using test::Result;
using test::RunOptions;
using ::testing::HasSubstr;
using ::testing::Not;
using ::testing::StartsWith;

class CliConventionsTest : public ::testing::Test {
 protected:
  Result Run(const std::vector<std::string>& args, const RunOptions& options = {}) {
    return test::RunCli(args, options);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string Example(const std::string& name) { return (test::kExamples / name).string(); }

  test::TempDir dir_;
};

TEST_F(CliConventionsTest, VersionIsTheBuildsVersion) {
  Result r = Run({"--version"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, std::string("quillon-cli ") + kProgramVersion + "\n");
  EXPECT_EQ(r.err, "");
}

// What each command's help must show: its options and the exit statuses it can give.
struct CommandCase {
  const char* name;
  std::vector<const char*> options;
  std::vector<int> exits;
};

const CommandCase kCommands[] = {
    {"convert", {"--yes"}, {0, 1, 2, 3}},
    {"info", {}, {0, 2, 3}},
    {"build", {"-o", "--yes"}, {0, 1, 2, 3}},
    {"export", {"-o", "--yes"}, {0, 1, 2, 3}},
    {"upload", {"--host", "--channel", "--port", "--yes"}, {0, 1, 2, 3, 4}},
    {"descramble", {"-o"}, {0, 2, 3}},
    {"dump", {"--network", "--yes"}, {0, 1, 2, 3}},
    {"help", {}, {0, 2, 3}},
};

TEST_F(CliConventionsTest, EveryCommandHasItsHelp) {
  const Result overview = Run({"--help"});
  ASSERT_EQ(overview.code, 0);
  EXPECT_EQ(Run({"-h"}).out, overview.out);
  EXPECT_EQ(Run({"help"}).out, overview.out);
  for (const CommandCase& c : kCommands) {
    SCOPED_TRACE(c.name);
    const Result help = Run({"help", c.name});
    EXPECT_EQ(help.code, 0);
    EXPECT_EQ(help.err, "");
    for (const char* flag : {"--help", "-h"}) {
      const Result own = Run({c.name, flag});
      EXPECT_EQ(own.code, 0) << flag;
      EXPECT_EQ(own.out, help.out) << flag;
    }
    // The usage line is the overview's line for the command.
    const std::string prefix = "Aufruf: ";
    ASSERT_THAT(help.out, StartsWith(prefix + "quillon-cli " + c.name + " "));
    const std::string usage = help.out.substr(prefix.size(), help.out.find('\n') - prefix.size());
    const size_t line = overview.out.find("\n  " + usage);
    ASSERT_NE(line, std::string::npos) << usage;
    EXPECT_THAT(" \n", HasSubstr(overview.out.substr(line + 3 + usage.size(), 1))) << usage;  // all of it

    const std::string options = help.out.substr(help.out.find("\nOptionen:\n"));
    for (const char* option : c.options) EXPECT_THAT(options, HasSubstr(std::string("\n  ") + option + " ")) << option;
    EXPECT_THAT(options, HasSubstr("\n  -h, --help "));
    EXPECT_THAT(help.out, Not(HasSubstr("--timeout")));
    const std::string exits = help.out.substr(help.out.find("\nRückgabewert:\n"));
    for (int code = 0; code <= 4; ++code) {
      const bool listed = std::find(c.exits.begin(), c.exits.end(), code) != c.exits.end();
      EXPECT_EQ(exits.find("\n  " + std::to_string(code) + "  ") != std::string::npos, listed) << code;
    }
    // Each option the help names is one the command takes.
    for (const char* option : c.options) {
      if (std::string(option) == "--yes") continue;
      const Result r = Run({c.name, option});
      EXPECT_EQ(r.code, 2);
      EXPECT_THAT(r.err, HasSubstr(std::string("Die Option „") + option + "“ braucht einen Wert.")) << option;
    }
  }
}

TEST_F(CliConventionsTest, UsageErrorsPointToTheHelp) {
  struct Case {
    std::vector<std::string> args;
    const char* message;
    const char* hint;
  } cases[] = {
      {{"help", "nosuch"}, "Unbekannter Befehl „nosuch“.", "Hilfe: quillon-cli --help"},
      {{"help", "build", "info"}, "„help“ erwartet [BEFEHL].", "Hilfe: quillon-cli --help"},
      {{"nosuch", "--help"}, "Unbekannter Befehl „nosuch“.", "Hilfe: quillon-cli --help"},
      {{"build", Example("cable.json")}, "„build“ braucht die Option „-o“.", "Hilfe: quillon-cli build --help"},
      {{"dump", "-o", "x"}, "Unbekannte Option „-o“ für „dump“.", "Hilfe: quillon-cli dump --help"},
      {{"build", "--version"}, "Unbekannte Option „--version“ für „build“.", "Hilfe: quillon-cli build --help"},
  };
  for (const Case& c : cases) {
    const Result r = Run(c.args);
    EXPECT_EQ(r.code, 2) << c.message;
    EXPECT_THAT(r.err, HasSubstr(c.message));
    EXPECT_THAT(r.err, HasSubstr(c.hint));
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(CliConventionsTest, YesMayStandBeforeTheCommand) {
  const std::string project = Path("v2.json");
  test::WriteTextFile(project, R"({"options": {"logicalChannels": true, "variant": "NorDigV2"},
      "transportStreams": [{"frequency": 346, "services": [{"id": 1, "lcn": 1}]}]})");
  EXPECT_EQ(Run({"build", project, "-o", Path("no.ts")}).code, 1);
  const Result r = Run({"--yes", "build", project, "-o", Path("yes.ts")});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_THAT(r.err, HasSubstr("Question: Keine NorDigV2 Kanallisten vorhanden!"));
  EXPECT_TRUE(fs::exists(Path("yes.ts")));
}

// The same command with "-o FILE" and with "-o -".
struct StandardOutputCase {
  std::vector<std::string> args;  // before "-o"
  const char* message;            // on stderr for "-o -"
};

TEST_F(CliConventionsTest, DashWritesWhatTheFileWouldHold) {
  ASSERT_EQ(Run({"export", Example("terrestrial.json"), "-o", Path("in.nit")}).code, 0);
  const StandardOutputCase cases[] = {
      {{"build", Example("cable.json")}, "Information: NIT erzeugt: 1 Abschnitt(e), 1 Paket(e) auf die Standardausgabe.\n"},
      {{"build", Example("terrestrial.json")}, "Paket(e) auf die Standardausgabe.\n"},
      {{"export", Example("cable.json")}, "Information: Exportieren der NIT beendet\n"},
      {{"descramble", Path("in.nit")}, "Paket(e) auf die Standardausgabe.\n"},
  };
  for (const StandardOutputCase& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    std::vector<std::string> toFile = c.args, toStdout = c.args;
    toFile.insert(toFile.end(), {"-o", Path("out")});
    toStdout.insert(toStdout.end(), {"-o", "-"});
    ASSERT_EQ(Run(toFile).code, 0);
    const Result r = Run(toStdout);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, test::ReadTextFile(Path("out")));
    EXPECT_THAT(r.err, HasSubstr(c.message));
    // Not a file of that name.
    EXPECT_FALSE(fs::exists("-"));
  }
}

TEST_F(CliConventionsTest, AStandardOutputThatCannotBeWrittenIsAFileError) {
  ASSERT_EQ(Run({"export", Example("cable.json"), "-o", Path("in.nit")}).code, 0);
  const std::vector<std::vector<std::string>> commands = {
      {"build", Example("cable.json"), "-o", "-"},
      {"export", Example("cable.json"), "-o", "-"},
      {"descramble", Path("in.nit"), "-o", "-"},
      {"info", Example("cable.json")},
      {"dump", Example("cable.json")},
      {"--help"},
      {"--version"},
  };
  struct Target {
    const char* name;
    RunOptions options;
    const char* reason;
  };
  RunOptions full, gone;
  full.output = "/dev/full";
  gone.outputReaderGone = true;
  const Target targets[] = {{"full device", full, "No space left on device"}, {"closed pipe", gone, "Broken pipe"}};
  for (const Target& t : targets) {
    for (const auto& args : commands) {
      SCOPED_TRACE(std::string(t.name) + ": " + args[0]);
      const Result r = Run(args, t.options);
      EXPECT_EQ(r.code, 3);  // not ended by SIGPIPE (141), and not 0
      EXPECT_THAT(r.err, HasSubstr(std::string("Die Standardausgabe ließ sich nicht schreiben: ") + t.reason + "."));
    }
  }
}

TEST_F(CliConventionsTest, PacketsAreNotWrittenToATerminal) {
  if (!fs::exists("/dev/ptmx")) GTEST_SKIP() << "no pseudo-terminals here";
  RunOptions terminal;
  terminal.output = "/dev/ptmx";  // the master side of a new pseudo-terminal is a terminal
  const Result r = Run({"build", Example("cable.json"), "-o", "-"}, terminal);
  EXPECT_EQ(r.code, 2);
  EXPECT_THAT(r.err, HasSubstr("Die Standardausgabe ist ein Terminal"));
  // Text is fine there.
  EXPECT_EQ(Run({"--version"}, terminal).code, 0);
}

}  // namespace
}  // namespace quillon::cli
