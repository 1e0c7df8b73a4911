// Whole-file reads with their limits, the atomic replacement of outputs and the inputs
// read as a stream: what a hostile folder (planted names, links, FIFOs, a full disk)
// can do to them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>

#include "platform/errors.h"
#include "platform/files.h"
#include "support/language_fixture.h"
#include "support/test_util.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::UnorderedElementsAreArray;

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  return names;
}

std::string StreamErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const StreamError& e) {
    return e.what();
  }
  return "(no error)";
}

mode_t ModeOf(const fs::path& p) {
  struct stat st {};
  EXPECT_EQ(::stat(p.c_str(), &st), 0) << p;
  return st.st_mode & 07777;
}

class FilesTest : public ::testing::Test {
 protected:
  fs::path Put(const std::string& name, const std::string& content) {
    test::WriteTextFile(dir_ / name, content);
    return dir_ / name;
  }
  fs::path Fifo(const std::string& name) {
    const fs::path p = dir_ / name;
    EXPECT_EQ(::mkfifo(p.c_str(), 0600), 0);
    return p;
  }
  test::TempDir dir_;
};

TEST_F(FilesTest, WholeFileReadsRefuseWhatIsNoFileOrTooLarge) {
  const test::TEnglishTexts english;
  EXPECT_BYTES_EQ(Text("abc"), ReadFileBytes(Put("small.bin", "abc"), 3));
  // A sparse gigabyte: refused by its size before a byte of it is read or allocated.
  const fs::path huge = dir_ / "huge.json";
  { std::ofstream(huge).put('{'); }
  fs::resize_file(huge, uint64_t{1} << 30);
  struct Case {
    fs::path path;
    uint64_t limit;
    const char* reason;
  } cases[] = {
      {dir_ / "small.bin", 2, "holds 3 bytes, more than the 2 bytes"},
      {huge, kMaxWholeFileBytes, "holds 1073741824 bytes, more than the 67108864 bytes"},
      {dir_.Path(), kMaxWholeFileBytes, "it is a folder, not a file"},
      {Fifo("pipe.nip"), kMaxWholeFileBytes, "it is a FIFO, not a file"},  // must not wait for a writer
      {"/dev/zero", kMaxWholeFileBytes, "it is a device, not a file"},
      {dir_ / "missing.nip", kMaxWholeFileBytes, "No such file or directory"},
  };
  for (const Case& c : cases) {
    const std::string error = StreamErrorOf([&] { ReadFileBytes(c.path, c.limit); });
    EXPECT_THAT(error, HasSubstr("\"" + c.path.string() + "\"")) << c.reason;
    EXPECT_THAT(error, HasSubstr(c.reason));
  }
}

TEST_F(FilesTest, WritesReplaceTheTargetAndLeaveNothingElse) {
  const fs::path target = Put("p.nip", "old");
  ::chmod(target.c_str(), 0640);
  // A user's own files under the names that were used for temporary files, a hard link
  // and a link to another file: none of them may be written, consumed or followed.
  const fs::path other = Put("other.txt", "other");
  Put("p.nip.tmp", "mine");
  fs::create_hard_link(other, dir_ / "p.nip.part");
  fs::create_symlink(other, dir_ / ".p.nip.tmp");
  const std::vector<std::string> before = Names(dir_.Path());

  WriteFileBytes(target, Text("new"));
  EXPECT_EQ(test::ReadTextFile(target), "new");
  EXPECT_EQ(ModeOf(target), 0640u);
  EXPECT_EQ(test::ReadTextFile(other), "other");
  EXPECT_EQ(test::ReadTextFile(dir_ / "p.nip.tmp"), "mine");
  EXPECT_THAT(Names(dir_.Path()), UnorderedElementsAreArray(before));

  // A new file gets the umask's mode.
  const mode_t mask = ::umask(027);
  WriteFileBytes(dir_ / "fresh.ts", Text("x"));
  ::umask(mask);
  EXPECT_EQ(ModeOf(dir_ / "fresh.ts"), 0640u);
}

TEST_F(FilesTest, LinkedTargetsKeepTheirLinks) {
  fs::create_directory(dir_ / "real");
  const fs::path real = Put("real/p.nip", "old");
  struct Case {
    const char* link;
    fs::path pointsTo;
    fs::path replaced;
  } cases[] = {
      {"absolute.nip", real, real},
      {"relative.nip", "real/p.nip", real},
      {"chained.nip", "absolute.nip", real},
      {"dangling.nip", "real/new.nip", dir_ / "real/new.nip"},
  };
  for (const Case& c : cases) {
    fs::create_symlink(c.pointsTo, dir_ / c.link);
    WriteFileBytes(dir_ / c.link, Text(c.link));
    EXPECT_TRUE(fs::is_symlink(dir_ / c.link)) << c.link;
    EXPECT_EQ(fs::read_symlink(dir_ / c.link), c.pointsTo) << c.link;
    EXPECT_EQ(test::ReadTextFile(c.replaced), c.link);
  }
  EXPECT_THAT(Names(dir_ / "real"), UnorderedElementsAreArray({"p.nip", "new.nip"}));

  fs::create_symlink("loop.nip", dir_ / "loop.nip");
  EXPECT_THAT(StreamErrorOf([&] { WriteFileBytes(dir_ / "loop.nip", Text("x")); }),
              HasSubstr("Too many levels of symbolic links"));
}

TEST_F(FilesTest, TargetsThatAreNoFileAreRefused) {
  fs::create_directory(dir_ / "folder.nip");
  const fs::path fifo = Fifo("pipe.ts");
  for (const fs::path& target : {dir_ / "folder.nip", fifo, dir_ / "no/such/folder/x.ts"}) {
    EXPECT_THAT(StreamErrorOf([&] { WriteFileBytes(target, Text("x")); }), HasSubstr(target.string()));
  }
  EXPECT_TRUE(fs::is_directory(dir_ / "folder.nip"));
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_THAT(Names(dir_.Path()), UnorderedElementsAreArray({"folder.nip", "pipe.ts"}));
}

// A write that runs out of room (as on a full disk) in a child process whose files may
// not grow beyond a few bytes.
TEST_F(FilesTest, AFailedWriteLeavesTheOldFileWhole) {
  const fs::path target = Put("p.nip", "old");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{16, 16};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    try {
      WriteFileBytes(target, Bytes(4096, 'n'));
    } catch (const StreamError& e) {
      _exit(std::string(e.what()).find("File too large") != std::string::npos ? 0 : 2);
    }
    _exit(1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(test::ReadTextFile(target), "old");
  EXPECT_THAT(Names(dir_.Path()), UnorderedElementsAreArray({"p.nip"}));
}

TEST_F(FilesTest, SameFileSeesThroughNamesAndLinks) {
  const fs::path a = Put("a.nip", "a");
  Put("b.nip", "b");
  fs::create_symlink(a, dir_ / "link.nip");
  fs::create_hard_link(a, dir_ / "hard.nip");
  fs::create_directory(dir_ / "sub");
  EXPECT_TRUE(SameFile(a, a));
  EXPECT_TRUE(SameFile(a, dir_ / "sub/../a.nip"));
  EXPECT_TRUE(SameFile(a, dir_ / "link.nip"));
  EXPECT_TRUE(SameFile(dir_ / "hard.nip", a));
  EXPECT_FALSE(SameFile(a, dir_ / "b.nip"));
  EXPECT_FALSE(SameFile(a, dir_ / "missing.nip"));
}

TEST_F(FilesTest, StreamedInputsTakeFilesAndFifos) {
  const test::TEnglishTexts english;
  const fs::path fifo = Fifo("capture.ts");
  std::thread writer([&] {
    const int fd = ::open(fifo.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(::write(fd, "0123456789", 10), 10);
    ::close(fd);
  });
  std::string read;
  {
    TInputFile input(fifo);  // waits for the writer, as a pipe's reader does
    char buffer[4];
    for (size_t n; (n = input.Read(buffer, sizeof buffer)) > 0;) read.append(buffer, n);
  }
  writer.join();
  EXPECT_EQ(read, "0123456789");

  for (const fs::path& refused : {dir_.Path(), fs::path("/dev/null"), dir_ / "missing.ts"})
    EXPECT_THAT(StreamErrorOf([&] { TInputFile input(refused); }), HasSubstr(refused.string()));
  EXPECT_EQ(TInputFile("-").Name(), "standard input");
}

}  // namespace
}  // namespace quillon
