#include <gtest/gtest.h>

#include <set>

#include <sys/stat.h>
#include <unistd.h>

#include "editor/project_file.h"
#include "editor/project_fixtures.h"
#include "platform/files.h"
#include "platform/text.h"

namespace quillon {
namespace {

namespace fs = std::filesystem;
using test::HexToBytes;
using test::ProjectTest;
using test::SavedBlock;
using test::TempDir;

const char* const kFileHeadHex = "04000000 4E00 4900 5400 5000  02  08000000 3100 2E00 3200 2E00 3300 2E00 3600 3600";
constexpr size_t kFileHeadSize = 12 + 1 + 20;

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

void WriteBytes(const fs::path& path, const Bytes& bytes) { test::WriteTextFile(path, ToRaw(bytes)); }

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
  return names;
}

// The ProjectFileError of loading `path`, checked to name the file.
std::string LoadFileError(TNitEditor& editor, const fs::path& path,
                          const TProjectMessages& messages = TProjectMessages()) {
  try {
    LoadProjectFile(editor, path, messages);
  } catch (const ProjectFileError& e) {
    EXPECT_EQ(e.File(), path);
    EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
    return e.what();
  }
  return "";
}

TEST_F(ProjectTest, FileLayoutAndRoundTrip) {
  auto editor = MakeEditor();
  FillCableSample(*editor);
  const fs::path path = program_ / "p.nip";
  std::set<std::string> names = Names(program_.Path());
  ASSERT_TRUE(SaveProjectFile(*editor, path));
  EXPECT_FALSE(editor->Modified());
  names.insert("p.nip");
  EXPECT_EQ(Names(program_.Path()), names);  // no temporary file left

  const Bytes file = ReadFileBytes(path);
  EXPECT_BYTES_EQ(Concat(HexToBytes(kFileHeadHex), SavedBlock(*editor)), file);
  ASSERT_TRUE(IsNitProjectFile(path));

  auto loaded = MakeEditor();
  loaded->SetModified();
  EXPECT_EQ(LoadFileError(*loaded, path), "");
  EXPECT_FALSE(loaded->Modified());
  EXPECT_BYTES_EQ(Bytes(file.begin() + kFileHeadSize, file.end()), SavedBlock(*loaded));

  EXPECT_FALSE(SaveProjectFile(*editor, ""));
}

// The bytes of a file read as the file is, with the same checks; errors name the name given.
TEST_F(ProjectTest, BytesOfAFileLoadAsTheFile) {
  auto editor = MakeEditor();
  FillCableSample(*editor);
  const fs::path path = program_ / "p.nip";
  ASSERT_TRUE(SaveProjectFile(*editor, path));
  const Bytes file = ReadFileBytes(path);

  auto loaded = MakeEditor();
  LoadProjectBytes(*loaded, file, "memory.nip");
  EXPECT_BYTES_EQ(SavedBlock(*editor), SavedBlock(*loaded));

  const Bytes before = SavedBlock(*loaded);
  for (Bytes damaged : {Bytes(file.begin(), file.begin() + 11), Bytes(file.begin(), file.end() - 1),
                        Concat(HexToBytes("04000000 4E00 4900 5400 5100"), Bytes(file.begin() + 12, file.end()))}) {
    try {
      LoadProjectBytes(*loaded, damaged, "memory.nip");
      ADD_FAILURE() << "damaged bytes loaded";
    } catch (const ProjectFileError& e) {
      EXPECT_EQ(e.File(), "memory.nip");
      EXPECT_NE(std::string(e.what()).find("memory.nip"), std::string::npos) << e.what();
    }
    EXPECT_BYTES_EQ(before, SavedBlock(*loaded));
  }
}

TEST_F(ProjectTest, FileOfVersion1HasNoITCByte) {
  auto editor = MakeEditor();
  editor->SetVariant(TLcnVariant::NorDigV1);
  Bytes block = SavedBlock(*editor);
  const size_t itcAt = 110;  // after EACEM, in the block of a project without streams
  ASSERT_EQ(block[itcAt + 1], 1);
  block.erase(block.begin() + itcAt);
  Bytes head = HexToBytes(kFileHeadHex);
  head[12] = 1;
  const fs::path path = program_ / "old.nip";
  WriteBytes(path, Concat(head, block));

  auto loaded = MakeEditor();
  EXPECT_EQ(LoadFileError(*loaded, path), "");
  EXPECT_EQ(loaded->Variant(), TLcnVariant::NorDigV1);
}

TEST_F(ProjectTest, FileRefusalsNameTheFileAndKeepTheProject) {
  auto other = MakeEditor();
  const Bytes block = SavedBlock(*other);
  const Bytes head = HexToBytes(kFileHeadHex);
  auto withVersion = [&](uint8_t v) {
    Bytes h = head;
    h[12] = v;
    return Concat(h, block);
  };
  struct Case {
    const char* name;
    Bytes content;
    const char* message;
  } cases[] = {
      {"other magic", HexToBytes("04000000 4E00 4900 5400 5800 02"), "Die gewählte Datei ist kein NIT-Projekt!"},
      {"magic of another length", HexToBytes("05000000 4E00 4900 5400 5000 5000 02"),
       "Die gewählte Datei ist kein NIT-Projekt!"},
      {"empty file", {}, "Die gewählte Datei ist kein NIT-Projekt!"},
      {"version 3", withVersion(3), "Falsches Dateiformat!\r\nVersion: 3  Benötigt: 2"},
      {"version 0", withVersion(0), "Falsches Dateiformat!\r\nVersion: 0  Benötigt: 2"},
      {"no version byte", Bytes(head.begin(), head.begin() + 12), "enden zu früh"},
      {"program version too long", Concat(HexToBytes("04000000 4E00 4900 5400 5000 02 FFFF0000"), block),
       "Länge der Programmversion"},
      {"block missing", Bytes(head.begin(), head.end()), "enden zu früh"},
  };
  auto editor = MakeEditor();
  FillCableSample(*editor);
  const Bytes before = SavedBlock(*editor);
  const fs::path path = program_ / "x.nip";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(path, c.content);
    std::string error = LoadFileError(*editor, path);
    EXPECT_NE(error.find(c.message), std::string::npos) << error;
    EXPECT_BYTES_EQ(before, SavedBlock(*editor));
  }

  EXPECT_NE(LoadFileError(*editor, program_ / "missing.nip").find("kann nicht geöffnet werden"), std::string::npos);
}

TEST_F(ProjectTest, FileMessagesFollowTheLanguage) {
  TProjectMessages messages;
  EXPECT_EQ(messages.Text(ProjectMsg::strsNewProjDefName), "Unbenannt.nip");
  EXPECT_EQ(messages.Text(ProjectMsg::strsAskForSaving), "Wollen Sie das aktuelle NIT-Projekt speichern?");
  EXPECT_STREQ(TProjectMessages::IdName(ProjectMsg::strsWrongFileFormat), "strsWrongFileFormat");

  // Only "%d" is filled in: a translation cannot bring other conversions in.
  messages.SetText(ProjectMsg::strsWrongFileFormat, "Version %d, need %d %s%n");
  messages.SetText(ProjectMsg::strsNoNitProjFile, "Not a project");
  Bytes file = HexToBytes(kFileHeadHex);
  file[12] = 9;
  const fs::path path = program_ / "v9.nip";
  WriteBytes(path, file);
  auto editor = MakeEditor();
  EXPECT_NE(LoadFileError(*editor, path, messages).find("Version 9, need 2 %s%n"), std::string::npos);
  WriteBytes(path, {});
  EXPECT_NE(LoadFileError(*editor, path, messages).find("Not a project"), std::string::npos);
}

// Saves over `path`, which holds "old"; the save must fail and leave it whole.
void ExpectFailedSaveKeepsOldFile(TNitEditor& editor, const fs::path& path) {
  editor.SetNetworkName(u"changed");
  ASSERT_TRUE(editor.Modified());
  EXPECT_THROW(SaveProjectFile(editor, path), ProjectFileError);
  EXPECT_TRUE(editor.Modified());
  EXPECT_EQ(test::ReadTextFile(path), "old");
}

// Files of the user's under the name a save once used for its temporary file: a file of
// their own, a hard link to another file and a link elsewhere are neither consumed nor
// written through.
TEST_F(ProjectTest, FileSaveLeavesFilesBesideItAlone) {
  auto editor = MakeEditor();
  test::WriteTextFile(program_ / "other", "other");
  test::WriteTextFile(program_ / "a.nip.tmp", "mine");
  fs::create_hard_link(program_ / "other", program_ / "b.nip.tmp");
  fs::create_symlink(program_ / "elsewhere", program_ / "c.nip.tmp");
  std::set<std::string> names = Names(program_.Path());

  for (const char* name : {"a.nip", "b.nip", "c.nip"}) {
    ASSERT_TRUE(SaveProjectFile(*editor, program_ / name));
    EXPECT_TRUE(IsNitProjectFile(program_ / name));
    names.insert(name);
  }
  EXPECT_EQ(test::ReadTextFile(program_ / "a.nip.tmp"), "mine");
  EXPECT_EQ(test::ReadTextFile(program_ / "other"), "other");
  EXPECT_FALSE(fs::exists(program_ / "elsewhere"));
  EXPECT_EQ(Names(program_.Path()), names);
}

TEST_F(ProjectTest, FileFailedSaveKeepsTheOldFile) {
  // A folder where the project should go: refused, nothing is left behind.
  auto editor = MakeEditor();
  const fs::path folder = program_ / "dir.nip";
  fs::create_directory(folder);
  const std::set<std::string> before = Names(program_.Path());
  EXPECT_THROW(SaveProjectFile(*editor, folder), ProjectFileError);
  EXPECT_TRUE(fs::is_directory(folder));
  EXPECT_EQ(Names(program_.Path()), before);
}

TEST_F(ProjectTest, FileSaveInAReadOnlyFolderKeepsTheOldFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  auto editor = MakeEditor();
  const fs::path folder = program_ / "ro";
  fs::create_directory(folder);
  test::WriteTextFile(folder / "p.nip", "old");
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  ExpectFailedSaveKeepsOldFile(*editor, folder / "p.nip");
  fs::permissions(folder, fs::perms::owner_all);
}

TEST_F(ProjectTest, FileSaveReplacesTheFileALinkPointsTo) {
  auto editor = MakeEditor();
  const fs::path real = program_ / "real.nip";
  const fs::path link = program_ / "link.nip";
  test::WriteTextFile(real, "old");
  ::chmod(real.c_str(), 0640);
  fs::create_symlink(real, link);

  ASSERT_TRUE(SaveProjectFile(*editor, link));
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_TRUE(IsNitProjectFile(real));
  struct stat st {};
  ASSERT_EQ(::stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(Names(program_.Path()).count("real.nip"), 1u);
}

// Bytes after the end marker do not keep a project from loading: the load says how many
// there are, and the next save leaves them out.
TEST_F(ProjectTest, FileWithTrailingBytesLoadsAndWarns) {
  auto editor = MakeEditor();
  FillCableSample(*editor);
  const fs::path path = program_ / "p.nip";
  ASSERT_TRUE(SaveProjectFile(*editor, path));
  const Bytes saved = ReadFileBytes(path);
  EXPECT_EQ(LoadProjectFile(*MakeEditor(), path).TrailingBytes, 0u);
  EXPECT_EQ(LoadProjectFile(*MakeEditor(), path).Warning, "");

  WriteBytes(path, Concat(saved, Bytes(50000, 0xA5)));
  auto loaded = MakeEditor();
  const TProjectLoadResult result = LoadProjectFile(*loaded, path);
  EXPECT_EQ(result.TrailingBytes, 50000u);
  EXPECT_EQ(result.Warning, "\"" + path.string() +
                                "\": Nach dem Ende des NIT-Projekts folgen noch 50000 Byte, die nicht dazugehören. Sie "
                                "wurden nicht gelesen und fehlen nach dem nächsten Speichern.");
  EXPECT_BYTES_EQ(SavedBlock(*editor), SavedBlock(*loaded));
  ASSERT_TRUE(SaveProjectFile(*loaded, path));
  EXPECT_BYTES_EQ(saved, ReadFileBytes(path));
}

// What is no file, or larger than any project, is refused before it is read.
TEST_F(ProjectTest, FileThatIsNoRegularFileOrTooLargeIsRefused) {
  const fs::path fifo = program_ / "fifo.nip";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto editor = MakeEditor();
  EXPECT_NE(LoadFileError(*editor, fifo).find("es ist ein FIFO, keine Datei"), std::string::npos);
  EXPECT_FALSE(IsNitProjectFile(fifo));

  auto saved = MakeEditor();
  const fs::path huge = program_ / "huge.nip";
  ASSERT_TRUE(SaveProjectFile(*saved, huge));
  fs::resize_file(huge, kMaxWholeFileBytes + 1);  // sparse: the magic, then zeros
  EXPECT_NE(LoadFileError(*editor, huge).find("mehr als die 67108864 Byte"), std::string::npos);
}

TEST(ProjectFile, IsNitProjectFile) {
  TempDir dir;
  const char* const magic = "04000000 4E00 4900 5400 5000";
  struct Case {
    const char* name;
    std::string hex;
    bool expected;
  } cases[] = {
      {"magic alone", magic, true},
      {"magic and more", std::string(magic) + "02", true},
      {"11 bytes", "04000000 4E00 4900 5400 50", false},
      {"empty", "", false},
      {"other text", "04000000 4E00 4900 5400 5800", false},
      {"other count", "03000000 4E00 4900 5400 5000", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(dir / "f", HexToBytes(c.hex));
    EXPECT_EQ(IsNitProjectFile(dir / "f"), c.expected);
  }
  EXPECT_FALSE(IsNitProjectFile(dir / "missing"));
  EXPECT_FALSE(IsNitProjectFile(dir.Path()));
}

TEST(ProjectFile, DisplayName) {
  struct Case {
    const char* name;
    const char* program;
    const char* text;
    const char* hint;
  } cases[] = {
      {"Unbenannt.nip", "/opt/q", "../Unbenannt.nip", "Unbenannt.nip"},
      {"/opt/q/Data/p.nip", "/opt/q", "../Data/p.nip", "/opt/q/Data/p.nip"},
      {"/opt/q/p.nip", "/opt/q/", "../p.nip", "/opt/q/p.nip"},
      {"/home/u/p.nip", "/opt/q", "../../../home/u/p.nip", "/home/u/p.nip"},
      {"/opt/q/Data/../x/./p.nip", "/opt/q", "../x/p.nip", "/opt/q/Data/../x/./p.nip"},
      // Without a program folder to relate to, an absolute name is shown whole; long ones get a hint.
      {"/p.nip", "", "/p.nip", ""},
      {"/home/user/p/long.nip", "", "/home/user/p/long.nip", "/home/user/p/long.nip"},
      {"/home/user/äöü/a.nip", "", "/home/user/äöü/a.nip", ""},  // 20 characters, more bytes
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TProjectDisplayName shown = GetProjectDisplayName(c.name, c.program);
    EXPECT_EQ(shown.Text, c.text);
    EXPECT_EQ(shown.Hint, c.hint);
  }
}

}  // namespace
}  // namespace quillon
