#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/errors.h"
#include "platform/ini_file.h"
#include "support/test_util.h"

namespace quillon {
namespace {

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class IniFileTest : public ::testing::Test {
 protected:
  std::filesystem::path Write(const std::string& text) {
    WriteText(path, text);
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

TEST_F(IniFileTest, NewFileLayout) {
  IniFile ini(path);
  ini.WriteString("Main", "Name", "Quillon");
  ini.WriteInteger("Main", "Count", -3);
  ini.WriteString("Other", "Key", "");
  ini.WriteString("Main", "Third", "x ");
  ini.UpdateFile();
  EXPECT_EQ(ReadText(path), "[Main]\nName=Quillon\nCount=-3\nThird=x \n[Other]\nKey=\n");
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

TEST_F(IniFileTest, UpdateInPlaceKeepsEverythingElse) {
  Write("; settings\n"
        "\n"
        "[First]\n"
        "A=1\n"
        "b=2\n"
        "\n"
        "; about Second\n"
        "[Second]\n"
        "junk line\n"
        "X=9\n");
  IniFile ini(path);
  ini.WriteString("first", "B", "20");  // existing key: replaced where it is, spelling kept
  ini.WriteString("First", "C", "3");   // new key: after the section's last key line
  ini.WriteString("Second", "Y", "10");
  ini.WriteString("Third", "Z", "0");  // new section: at the end
  ini.UpdateFile();
  EXPECT_EQ(ReadText(path),
            "; settings\n"
            "\n"
            "[First]\n"
            "A=1\n"
            "b=20\n"
            "C=3\n"
            "\n"
            "; about Second\n"
            "[Second]\n"
            "junk line\n"
            "X=9\n"
            "Y=10\n"
            "[Third]\n"
            "Z=0\n");
  EXPECT_EQ(IniFile(path).ReadString("First", "b", ""), "20");
}

TEST_F(IniFileTest, KeysGoToAnEmptySectionRightAfterItsHeader) {
  Write("[Empty]\n; note\n[Next]\nK=1\n");
  IniFile ini(path);
  ini.WriteString("Empty", "New", "v");
  ini.UpdateFile();
  EXPECT_EQ(ReadText(path), "[Empty]\nNew=v\n; note\n[Next]\nK=1\n");
}

TEST_F(IniFileTest, LineEndingsAndByteOrderMarkArePreserved) {
  Write("\xEF\xBB\xBF[S]\r\nA=1\r\n");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadString("S", "A", ""), "1");
  ini.WriteString("S", "B", "2");
  ini.WriteString("T", "C", "3");
  ini.UpdateFile();
  EXPECT_EQ(ReadText(path), "\xEF\xBB\xBF[S]\r\nA=1\r\nB=2\r\n[T]\r\nC=3\r\n");
}

TEST_F(IniFileTest, LastLineWithoutBreak) {
  Write("[S]\nA=1");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadString("S", "A", ""), "1");
  ini.WriteString("S", "B", "2");
  ini.UpdateFile();
  EXPECT_EQ(ReadText(path), "[S]\nA=1\nB=2\n");
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
  EXPECT_EQ(ReadText(path), "[S]\nA=2\n");
  // A second update without changes leaves the file alone.
  std::filesystem::remove(path);
  ini.UpdateFile();
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(IniFileTest, RepeatedKeysAndSections) {
  Write("[S]\nA=first\na=second\n[T]\nB=1\n[s]\nA=third\nC=3\n");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadString("S", "A", ""), "first");
  EXPECT_EQ(ini.ReadSectionKeys("S"), (std::vector<std::string>{"A", "C"}));
  ini.WriteString("S", "A", "new");
  ini.UpdateFile();
  EXPECT_EQ(ReadText(path), "[S]\nA=new\na=second\n[T]\nB=1\n[s]\nA=third\nC=3\n");
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

}  // namespace
}  // namespace quillon
