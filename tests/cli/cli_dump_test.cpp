// quillon-cli dump: projects, packet files, head-end files and raw sections as a tree.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli_runner.h"
#include "support/test_util.h"

namespace quillon::cli {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

class DumpTest : public ::testing::Test {
 protected:
  test::Result Run(const std::vector<std::string>& args) { return test::RunCli(args); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string Example(const std::string& name) { return (test::kExamples / name).string(); }
  static std::string Sample(const std::string& name) { return (test::SamplesDir() / name).string(); }
  test::TempDir dir_;
};

TEST_F(DumpTest, ProjectPacketsAndHeadEndFileShowTheSameTree) {
  for (const char* name : {"cable", "terrestrial"}) {
    SCOPED_TRACE(name);
    const std::string json = Example(std::string(name) + ".json");
    test::Result fromProject = Run({"dump", json});
    ASSERT_EQ(fromProject.code, 0) << fromProject.err;
    ASSERT_EQ(Run({"build", json, "-o", Path("n.ts")}).code, 0);
    ASSERT_EQ(Run({"export", json, "-o", Path("n.nit")}).code, 0);
    EXPECT_EQ(Run({"dump", Path("n.ts")}).out, fromProject.out);
    EXPECT_EQ(Run({"dump", Path("n.nit")}).out, fromProject.out);
    EXPECT_EQ(Run({"dump", Example(std::string(name) + ".nip")}).out, fromProject.out);
    EXPECT_THAT(fromProject.out, HasSubstr("CRC ok"));
    EXPECT_THAT(fromProject.out, Not(HasSubstr("Wrong CRC")));
  }
}

TEST_F(DumpTest, TreeShowsTheProjectsValues) {
  test::Result r = Run({"dump", Example("cable.json")});
  ASSERT_EQ(r.code, 0) << r.err;
  for (const char* line : {
           "NIT - Actual Network |  |  | ",
           "    Network ID | 16 Bit | 0x1234 | 4660",
           "        Network Name | 13 Chars | Zarem Network | ",
           "      Transport Stream Entry |  |  | 346,000 MHz",
           "          Frequency | 32 Bit | 0x03460000 | 346,0000 MHz",
           "          Symbol Rate | 28 Bit | 0x0069000 | 6,9000 MSym/s",
           "          Modulation | 8 Bit | 5 | 256 QAM",
           "          Specifier | 32 Bit | 0x00000028 | EACEM",
           "              Logical Channel Number | 10 Bit | 301 | ",
           "        HD Simulcast Logical Channel Descriptor |  |  | ",
       })
    EXPECT_THAT("\n" + r.out, HasSubstr(std::string("\n") + line + "\n")) << line;
}

TEST_F(DumpTest, RealCapturesDecodeWithRightCrcs) {
  struct Case {
    const char* file;
    std::vector<std::string> args;
    const char* expected;
  } cases[] = {
      {"tsduck-test-184-fr-dvbt-nit.ts", {}, "Network ID | 16 Bit | 0x20FA"},
      {"tsduck-test-184-fr-dvbt-nit.ts", {}, "EACEM Logical Channel Descriptor"},
      {"tsduck-test-134-au-dvbt-nit.ts", {}, "Network ID | 16 Bit | 0x321D"},
      {"tsduck-test-134-au-dvbt-nit.ts", {"--network", "0x321B"}, "Network ID | 16 Bit | 0x321B"},
      {"petrj-de-dvbt2-626mhz-nit.ts", {"--network", "12337"}, "Network ID | 16 Bit | 0x3031"},
      {"tsduck-test-006-astra-dvbs-nit-3sec.bin", {}, "Network Information Section No. 2"},
      {"tsduck-test-165-jp-cable-nit.ts", {}, "Frequency | 32 Bit | 0x03750000"},
      {"petrj-gr-crete-dvbt-nit.ts", {}, "Network ID | 16 Bit | 0x3401"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    std::vector<std::string> args{"dump", Sample(c.file)};
    args.insert(args.end(), c.args.begin(), c.args.end());
    test::Result r = Run(args);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_THAT(r.out, HasSubstr(c.expected));
    EXPECT_THAT(r.out, Not(HasSubstr("Wrong CRC")));
    EXPECT_EQ(r.err, "");
  }
}

TEST_F(DumpTest, NoCompleteNitExitsWithThree) {
  test::WriteTextFile(dir_ / "noise.ts", std::string(1000, '\x47'));
  test::Result r = Run({"dump", Path("noise.ts")});
  EXPECT_EQ(r.code, 3);
  EXPECT_THAT(r.err, HasSubstr("Keine vollständige NIT gefunden"));

  r = Run({"dump", Sample("tsduck-test-134-au-dvbt-nit.ts"), "--network", "0x1111"});
  EXPECT_EQ(r.code, 3);
  EXPECT_THAT(r.err, HasSubstr("0x1111"));
  EXPECT_THAT(r.err, HasSubstr("0x321D (0x40), 0x321B (0x40)"));

  EXPECT_EQ(Run({"dump", Path("missing.ts")}).code, 3);
  EXPECT_EQ(Run({"dump", Path("x.txt")}).code, 2);
  EXPECT_EQ(Run({"dump", Sample("tsduck-test-184-fr-dvbt-nit.ts"), "--network", "0x10000"}).code, 2);
}

}  // namespace
}  // namespace quillon::cli
