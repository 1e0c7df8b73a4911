#include <gtest/gtest.h>

#include <array>

#include <sys/stat.h>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "support/test_util.h"

namespace quillon {
namespace {

class IniFileTest : public ::testing::Test {
 protected:
  std::filesystem::path Write(const std::string& text) {
    test::WriteTextFile(path, text);
    return path;
  }
  test::TempDir dir;
  std::filesystem::path path = dir / "settings.ini";
};

TEST_F(IniFileTest, MissingFileIsEmpty) {
  IniFile ini(path);
  EXPECT_EQ(ini.ReadString("S", "K", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadInteger("S", "K", 7), 7);
  EXPECT_TRUE(ini.ReadSectionKeys("S").empty());
  EXPECT_FALSE(ini.SectionExists("S"));
  ini.UpdateFile();  // nothing changed: nothing written
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(IniFileTest, ReadsTrimmedCaseInsensitively) {
  Write("; leading comment\n"
        "orphan=before any section\n"
        "[Main]\n"
        "  Name  =  two words  \n"
        "Empty=\n"
        "; Hidden=comment\n"
        "Eq=a=b\n"
        "noequals\n"
        "[ Spaced ]\n"
        "Key=1\n");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadString("MAIN", "name", "?"), "two words");
  EXPECT_EQ(ini.ReadString("Main", "Empty", "?"), "");
  EXPECT_EQ(ini.ReadString("Main", "Hidden", "?"), "?");
  EXPECT_EQ(ini.ReadString("Main", "; Hidden", "?"), "?");
  EXPECT_EQ(ini.ReadString("Main", "Eq", "?"), "a=b");
  EXPECT_EQ(ini.ReadString("", "orphan", "?"), "?");
  EXPECT_EQ(ini.ReadString("Spaced", "key", "?"), "1");
  EXPECT_EQ(ini.ReadSectionKeys("main"), (std::vector<std::string>{"Name", "Empty", "Eq"}));
  EXPECT_TRUE(ini.SectionExists("spaced"));
}

TEST_F(IniFileTest, ReadInteger) {
  Write("[S]\nA=12\nB=abc\nC=-5\nD= 42 \nE=99999999999\nF=7x\n");
  IniFile ini(path);
  const std::pair<const char*, int> cases[] = {{"A", 12}, {"B", -1}, {"C", -5}, {"D", 42},
                                               {"E", -1}, {"F", 7},  {"G", -1}};
  for (auto [key, expected] : cases) EXPECT_EQ(ini.ReadInteger("S", key, -1), expected) << key;
}

struct EditCase {
  const char* name;
  const char* before;  // nullptr: no file yet
  std::vector<std::array<const char*, 3>> writes;  // section, key, value
  const char* after;
};

void PrintTo(const EditCase& c, std::ostream* os) { *os << c.name; }

class IniFileEditTest : public IniFileTest, public ::testing::WithParamInterface<EditCase> {};

TEST_P(IniFileEditTest, WritesAndKeepsEverythingElse) {
  const EditCase& c = GetParam();
  if (c.before) Write(c.before);
  IniFile ini(path);
  for (const auto& [section, key, value] : c.writes) ini.WriteString(section, key, value);
  ini.UpdateFile();
  EXPECT_EQ(test::ReadTextFile(path), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, IniFileEditTest,
    ::testing::ValuesIn(std::vector<EditCase>{
        {"NewFile",
         nullptr,
         {{"Main", "Name", "Quillon"}, {"Main", "Count", "-3"}, {"Other", "Key", ""}, {"Main", "Third", "x "}},
         "[Main]\nName=Quillon\nCount=-3\nThird=x \n[Other]\nKey=\n"},
        // An existing key is replaced where it is (its spelling kept); a new key goes after
        // its section's last key line; a new section goes to the end.
        {"InPlace",
         "; settings\n\n[First]\nA=1\nb=2\n\n; about Second\n[Second]\njunk line\nX=9\n",
         {{"first", "B", "20"}, {"First", "C", "3"}, {"Second", "Y", "10"}, {"Third", "Z", "0"}},
         "; settings\n\n[First]\nA=1\nb=20\nC=3\n\n; about Second\n[Second]\njunk line\nX=9\nY=10\n[Third]\nZ=0\n"},
        {"EmptySection", "[Empty]\n; note\n[Next]\nK=1\n", {{"Empty", "New", "v"}},
         "[Empty]\nNew=v\n; note\n[Next]\nK=1\n"},
        {"CrlfAndBom", "\xEF\xBB\xBF[S]\r\nA=1\r\n", {{"S", "B", "2"}, {"T", "C", "3"}},
         "\xEF\xBB\xBF[S]\r\nA=1\r\nB=2\r\n[T]\r\nC=3\r\n"},
        {"LastLineWithoutBreak", "[S]\nA=1", {{"S", "B", "2"}}, "[S]\nA=1\nB=2\n"},
        // The first of repeated keys and sections is the one read and written.
        {"Repeated", "[S]\nA=first\na=second\n[T]\nB=1\n[s]\nA=third\nC=3\n", {{"S", "A", "new"}},
         "[S]\nA=new\na=second\n[T]\nB=1\n[s]\nA=third\nC=3\n"},
    }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IniFileTest, RepeatedKeysAndSectionsRead) {
  Write("[S]\nA=first\na=second\n[T]\nB=1\n[s]\nA=third\nC=3\n");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadString("S", "A", ""), "first");
  EXPECT_EQ(ini.ReadSectionKeys("S"), (std::vector<std::string>{"A", "C"}));
  EXPECT_EQ(ini.ReadString("s", "C", ""), "3");
}

TEST_F(IniFileTest, WritesOnlyWhenSomethingChanged) {
  Write("[S]\nA=1\n");
  IniFile ini(path);
  ini.WriteString("S", "A", "1");
  std::filesystem::remove(path);
  ini.UpdateFile();
  EXPECT_FALSE(std::filesystem::exists(path));
  ini.WriteString("S", "A", "2");
  ini.UpdateFile();
  EXPECT_EQ(test::ReadTextFile(path), "[S]\nA=2\n");
  // A second update without changes leaves the file alone.
  std::filesystem::remove(path);
  ini.UpdateFile();
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(IniFileTest, UpdateFailureNamesTheFile) {
  auto bad = dir / "no-such-folder" / "x.ini";
  IniFile ini(bad);
  ini.WriteString("S", "A", "1");
  try {
    ini.UpdateFile();
    FAIL() << "no error";
  } catch (const StreamError& e) {
    EXPECT_NE(std::string(e.what()).find(bad.string()), std::string::npos) << e.what();
  }
}

// Settings and table files are read whole: what is no file, or too large for one, is
// refused before it is read; an update replaces the file a link points to.
TEST_F(IniFileTest, OnlyFilesOfASaneSizeAreRead) {
  const std::filesystem::path fifo = dir / "fifo.ini";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_THROW(IniFile{fifo}, StreamError);  // and does not wait for a writer
  Write("[S]\nA=1\n");
  std::filesystem::resize_file(path, kMaxIniFileBytes + 1);
  EXPECT_THROW(IniFile{path}, StreamError);

  Write("[S]\nA=1\n");
  const std::filesystem::path link = dir / "link.ini";
  std::filesystem::create_symlink(path, link);
  IniFile ini(link);
  ini.WriteString("S", "A", "2");
  ini.UpdateFile();
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(test::ReadTextFile(path), "[S]\nA=2\n");
}

}  // namespace
}  // namespace quillon
