// quillon-cli against hostile files and folders: outputs that are the input, a full disk,
// names planted beside an output, links, FIFOs, huge inputs, captures of any size on a
// stream, and the exit status of each. Every case runs in a folder of its own.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "cli_runner.h"
#include "support/test_util.h"

namespace quillon::cli {
namespace {

namespace fs = std::filesystem;
using test::Result;
using test::RunOptions;
using ::testing::HasSubstr;

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's shadow memory takes terabytes of address space.
constexpr bool kCanLimitMemory = false;
#else
constexpr bool kCanLimitMemory = true;
#endif

constexpr uint64_t kGiB = uint64_t{1} << 30;

class CliFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Run({"convert", Example("cable.json"), Path("p.nip")}).code, 0);
    ASSERT_EQ(Run({"build", Path("p.nip"), "-o", Path("nit.ts")}).code, 0);
    ASSERT_EQ(Run({"export", Path("p.nip"), "-o", Path("s.nit")}).code, 0);
    test::WriteTextFile(dir_ / "p.json", test::ReadTextFile(Example("cable.json")));
  }

  Result Run(const std::vector<std::string>& args, const RunOptions& options = {}) {
    return test::RunCli(args, options);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  static std::string Example(const std::string& name) { return (test::kExamples / name).string(); }
  std::string Read(const std::string& name) const { return test::ReadTextFile(dir_ / name); }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_.Path())) names.insert(e.path().filename().string());
    return names;
  }
  // A sparse file of `size` zero bytes that ends with the bytes of `tail`.
  std::string Sparse(const std::string& name, uint64_t size, const std::string& tail = "") {
    const fs::path p = dir_ / name;
    test::WriteTextFile(p, "");
    fs::resize_file(p, size - tail.size());
    const int fd = ::open(p.c_str(), O_WRONLY | O_APPEND);
    EXPECT_EQ(::write(fd, tail.data(), tail.size()), static_cast<ssize_t>(tail.size()));
    ::close(fd);
    return p.string();
  }
  std::string Fifo(const std::string& name) {
    EXPECT_EQ(::mkfifo(Path(name).c_str(), 0600), 0);
    return Path(name);
  }

  test::TempDir dir_;
};

TEST_F(CliFilesTest, AnOutputThatIsTheInputIsRefusedBeforeAnythingIsWritten) {
  fs::create_directory(dir_ / "sub");
  fs::create_hard_link(dir_ / "p.nip", dir_ / "hard.ts");
  fs::create_symlink(dir_ / "p.json", dir_ / "link.nip");
  const std::string project = Read("p.nip"), json = Read("p.json"), scrambled = Read("s.nit");
  const std::vector<std::vector<std::string>> cases = {
      {"build", Path("p.nip"), "-o", Path("p.nip")},
      {"export", Path("p.nip"), "-o", Path("sub/../p.nip")},
      {"build", Path("p.nip"), "-o", Path("hard.ts")},
      {"descramble", Path("s.nit"), "-o", Path("s.nit")},
      {"convert", Path("p.json"), Path("link.nip")},
  };
  for (const auto& args : cases) {
    const Result r = Run(args);
    EXPECT_EQ(r.code, 2) << args[0] << " " << args.back() << "\n" << r.err;
    EXPECT_THAT(r.err, HasSubstr("ist zugleich die Eingabe"));
  }
  EXPECT_EQ(Read("p.nip"), project);
  EXPECT_EQ(Read("p.json"), json);
  EXPECT_EQ(Read("s.nit"), scrambled);
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.nip"));
}

// As on a full disk: the program may write no file beyond 64 bytes.
TEST_F(CliFilesTest, AFailedWriteLeavesTheOldOutputWhole) {
  const std::vector<std::vector<std::string>> cases = {
      {"convert", Path("p.nip"), Path("out.json")},  {"convert", Path("p.json"), Path("out.nip")},
      {"build", Path("p.nip"), "-o", Path("out.ts")}, {"export", Path("p.nip"), "-o", Path("out.nit")},
      {"descramble", Path("s.nit"), "-o", Path("out.ts")},
  };
  RunOptions full;
  full.fileSizeLimit = 64;
  for (const auto& args : cases) {
    const std::string out = args.back();
    test::WriteTextFile(out, "the good old file");
    const std::set<std::string> before = Names();
    const Result r = Run(args, full);
    EXPECT_EQ(r.code, 3) << args[0] << " " << out << "\n" << r.err;
    EXPECT_THAT(r.err, HasSubstr(out));
    EXPECT_THAT(r.err, HasSubstr("File too large"));
    EXPECT_EQ(test::ReadTextFile(out), "the good old file") << args[0];
    EXPECT_EQ(Names(), before) << args[0];
  }
}

TEST_F(CliFilesTest, NamesPlantedBesideAnOutputAreNeitherFollowedNorConsumed) {
  test::WriteTextFile(dir_ / "victim", "victim");
  fs::create_symlink(dir_ / "victim", dir_ / "out.nit.part");
  fs::create_hard_link(dir_ / "victim", dir_ / "out.nip.tmp");
  test::WriteTextFile(dir_ / "mine.nip.tmp", "mine");
  const std::set<std::string> before = Names();
  ASSERT_EQ(Run({"export", Path("p.nip"), "-o", Path("out.nit")}).code, 0);
  ASSERT_EQ(Run({"convert", Path("p.json"), Path("out.nip")}).code, 0);
  ASSERT_EQ(Run({"convert", Path("p.json"), Path("mine.nip")}).code, 0);
  EXPECT_EQ(Read("victim"), "victim");
  EXPECT_EQ(Read("mine.nip.tmp"), "mine");
  EXPECT_FALSE(fs::is_symlink(dir_ / "out.nit"));
  EXPECT_EQ(Read("out.nit"), Read("s.nit"));
  EXPECT_EQ(Read("out.nip"), Read("p.nip"));
  std::set<std::string> after = before;
  after.insert({"out.nit", "out.nip", "mine.nip"});
  EXPECT_EQ(Names(), after);
}

// Every output replaces the file a link points to and keeps the link.
TEST_F(CliFilesTest, LinkedOutputsKeepTheirLinks) {
  fs::create_directory(dir_ / "real");
  const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
      {"out.json", {"convert", Path("p.nip"), Path("out.json")}},
      {"out.nip", {"convert", Path("p.json"), Path("out.nip")}},
      {"out.ts", {"build", Path("p.nip"), "-o", Path("out.ts")}},
      {"out.nit", {"export", Path("p.nip"), "-o", Path("out.nit")}},
      {"plain.ts", {"descramble", Path("s.nit"), "-o", Path("plain.ts")}},
  };
  for (const auto& [name, args] : cases) {
    test::WriteTextFile(dir_ / "real" / name, "old");
    fs::create_symlink(fs::path("real") / name, dir_ / name);
    ASSERT_EQ(Run(args).code, 0) << name;
    EXPECT_TRUE(fs::is_symlink(dir_ / name)) << name;
    EXPECT_NE(Read("real/" + name), "old") << name;
  }
  EXPECT_EQ(Read("real/out.ts"), Read("nit.ts"));
  EXPECT_EQ(Read("real/plain.ts"), Read("nit.ts"));
}

TEST_F(CliFilesTest, WholeFileInputsMustBeFilesOfASaneSize) {
  fs::create_symlink("/dev/zero", dir_ / "zero.json");
  fs::create_directory(dir_ / "folder.nip");
  struct Case {
    std::vector<std::string> args;
    const char* reason;
  } cases[] = {
      {{"info", Fifo("fifo.nip")}, "es ist ein FIFO, keine Datei"},  // would wait for a writer
      {{"info", Fifo("fifo.json")}, "es ist ein FIFO, keine Datei"},
      {{"descramble", Fifo("fifo.nit"), "-o", Path("x.ts")}, "es ist ein FIFO, keine Datei"},
      {{"info", Path("zero.json")}, "es ist ein Gerät, keine Datei"},
      {{"info", Path("folder.nip")}, "es ist ein Ordner, keine Datei"},
      {{"info", Sparse("huge.json", kGiB)}, "sie hat 1073741824 Byte, mehr als die 67108864 Byte"},
      {{"info", Sparse("huge.nip", kGiB, "")}, "kein NIT-Projekt"},
      {{"descramble", Sparse("huge.nit", kGiB), "-o", Path("x.ts")}, "mehr als die 67108864 Byte"},
  };
  for (const Case& c : cases) {
    const Result r = Run(c.args);
    EXPECT_EQ(r.code, 3) << c.args[1] << "\n" << r.err;
    EXPECT_THAT(r.err, HasSubstr(c.args[1]));
    EXPECT_THAT(r.err, HasSubstr(c.reason));
  }
  // A project followed by a gigabyte: refused by its size, not read.
  test::WriteTextFile(dir_ / "big.nip", Read("p.nip"));
  fs::resize_file(dir_ / "big.nip", kGiB);
  const Result big = Run({"info", Path("big.nip")});
  EXPECT_EQ(big.code, 3) << big.err;
  EXPECT_THAT(big.err, HasSubstr("mehr als die 67108864 Byte"));
  EXPECT_FALSE(fs::exists(dir_ / "x.ts"));
}

// A capture is read as a stream: a gigabyte whose NIT comes at its very end, from a file,
// from standard input and from a FIFO, in bounded memory.
TEST_F(CliFilesTest, CapturesOfAnySizeStream) {
  const Result expected = Run({"dump", Path("nit.ts")});
  ASSERT_EQ(expected.code, 0) << expected.err;
  const std::string big = Sparse("big.ts", kGiB, Read("nit.ts"));
  RunOptions options;
  if (kCanLimitMemory) options.memoryLimit = uint64_t{600} << 20;
  const Result file = Run({"dump", big}, options);
  EXPECT_EQ(file.code, 0) << file.err;
  EXPECT_EQ(file.out, expected.out);

  options.input = big;
  const Result piped = Run({"dump", "-"}, options);
  EXPECT_EQ(piped.code, 0) << piped.err;
  EXPECT_EQ(piped.out, expected.out);

  const std::string fifo = Fifo("live.ts");
  std::thread writer([&] {
    const int fd = ::open(fifo.c_str(), O_WRONLY);
    const std::string packets = Read("nit.ts");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(::write(fd, packets.data(), packets.size()), static_cast<ssize_t>(packets.size()));
    ::close(fd);
  });
  const Result live = Run({"dump", fifo});
  writer.join();
  EXPECT_EQ(live.code, 0) << live.err;
  EXPECT_EQ(live.out, expected.out);

  // The head-end file descrambled on the way.
  const Result scrambled = Run({"dump", Path("s.nit")});
  EXPECT_EQ(scrambled.out, expected.out);
}

TEST_F(CliFilesTest, AProjectFollowedByJunkLoadsWithAWarning) {
  const std::string project = Read("p.nip");
  test::WriteTextFile(dir_ / "junk.nip", project + std::string(1000, 'x'));
  fs::resize_file(dir_ / "junk.nip", project.size() + (uint64_t{50} << 20));
  const Result r = Run({"info", Path("junk.nip")});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_THAT(r.err, HasSubstr("Warning: \"" + Path("junk.nip") + "\": Nach dem Ende des NIT-Projekts folgen noch " +
                               std::to_string(50 << 20) + " Byte"));
  EXPECT_EQ(r.out, Run({"info", Path("p.nip")}).out);
}

TEST_F(CliFilesTest, FileProblemsExitWithThreeInTheProgramsWords) {
  RunOptions noTemp;
  noTemp.environment["TMPDIR"] = Path("p.nip");  // no folder
  const Result temp = Run({"upload", Path("p.nip"), "--host", "127.0.0.1", "--channel", "A"}, noTemp);
  EXPECT_EQ(temp.code, 3) << temp.err;
  EXPECT_THAT(temp.err, HasSubstr("„" + Path("p.nip") + "“: Not a directory."));
  EXPECT_THAT(temp.err, ::testing::Not(HasSubstr("filesystem error")));

  if (!kCanLimitMemory) GTEST_SKIP() << "no memory limit under the address sanitizer";
  RunOptions small;
  small.memoryLimit = uint64_t{48} << 20;
  const Result memory = Run({"info", Sparse("large.json", uint64_t{60} << 20)}, small);
  EXPECT_EQ(memory.code, 3) << memory.err;
  EXPECT_THAT(memory.err, HasSubstr("nicht genug Arbeitsspeicher"));
}

}  // namespace
}  // namespace quillon::cli
