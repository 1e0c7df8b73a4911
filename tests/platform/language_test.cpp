#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/language.h"
#include "support/test_util.h"

namespace quillon {
namespace {

class LanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(dir / "quillon.sil") << "[Languages]\n1=German\n2=English\n3=Français\n"
                                          "[English]\nTMainForm.strsNewProjDefName=Untitled.nip\n"
                                          "TMainForm.aNew.Caption=&New\n"
                                          "[Français]\ntmainform.anew.caption=&Nouveau\n";
  }
  // `lines` as the English section of a language file, loaded and active.
  void UseEnglish(const std::string& lines) {
    std::ofstream(dir / "english.sil") << "[Languages]\n2=English\n[English]\n" << lines;
    dispatcher.LoadFile(dir / "english.sil");
    dispatcher.SetActiveIndex(2);
  }

  test::TempDir dir;
  TLangDispatcher dispatcher;
};

TEST_F(LanguageTest, WithoutAFileOnlyGermanExists) {
  EXPECT_EQ(TLangDispatcher::FindLanguageFile(dir.Path() / "none", "quillon"), std::filesystem::path());
  EXPECT_EQ(dispatcher.LanguageCount(), 1);
  EXPECT_EQ(dispatcher.LanguageNames(), std::vector<std::string>{"German"});
  EXPECT_EQ(dispatcher.SwitchLanguage(2), -1);
  EXPECT_EQ(dispatcher.SwitchLanguage(1), 1);
}

TEST_F(LanguageTest, SwitchingChangesTextsAndNotifiesTables) {
  dispatcher.LoadFile(TLangDispatcher::FindLanguageFile(dir.Path(), "quillon"));
  ASSERT_EQ(dispatcher.LanguageCount(), 3);
  TLanguageTable table("TMainForm", &dispatcher);
  table.Add("strsNewProjDefName", "Unbenannt.nip");
  table.Add("aNew.Caption", "&Neu");
  table.Add("aOpen.Caption", "Ö&ffnen");
  int changes = 0;
  table.OnChange = [&] { ++changes; };

  EXPECT_EQ(table.Text("strsNewProjDefName"), "Unbenannt.nip");
  EXPECT_EQ(dispatcher.SwitchLanguage(2), 0);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(table.Text("strsNewProjDefName"), "Untitled.nip");
  EXPECT_EQ(table.Text("aOpen.Caption"), "Ö&ffnen");  // missing: the German text
  EXPECT_EQ(dispatcher.SwitchLanguage(2), 1);
  EXPECT_EQ(changes, 1);
  dispatcher.SetActiveIndex(3);
  EXPECT_EQ(table.Text("aNew.Caption"), "&Nouveau");  // keys compare case-insensitively
  dispatcher.SetActiveIndex(99);                       // clamped to the last language
  EXPECT_EQ(dispatcher.ActiveIndex(), 3);
  dispatcher.SetActiveIndex(0);
  EXPECT_EQ(dispatcher.ActiveIndex(), 1);
  EXPECT_EQ(table.Text("aNew.Caption"), "&Neu");
}

TEST_F(LanguageTest, EscapesInTheFileStandForLineBreaksAndBackslashes) {
  std::ofstream(dir / "escaped.sil") << "[Languages]\n2=English\n[English]\n"
                                        "W.two=Line one\\nVersion: %d  Required: %d\n"
                                        "W.slash=C:\\\\Data\\\\n.nip\n"
                                        "W.lone=a\\b\\\n";
  dispatcher.LoadFile(dir / "escaped.sil");
  EXPECT_EQ(dispatcher.Lookup("W", "two", 2), "Line one\r\nVersion: %d  Required: %d");
  EXPECT_EQ(dispatcher.Lookup("W", "slash", 2), "C:\\Data\\n.nip");
  EXPECT_EQ(dispatcher.Lookup("W", "lone", 2), "a\\b\\");
}


TEST(PrintfConversionsTest, NameWhatEachConversionReads) {
  struct Case {
    const char* format;
    std::vector<std::string> conversions;
  } cases[] = {
      {"Kein Wert", {}},
      {"100%% sicher", {}},
      {"%d von %d", {"d", "d"}},
      {"0x%4.4X, %-8s|", {"X", "s"}},
      {"%zu Byte bei Offset %llu", {"zu", "llu"}},
      {"%*d und %.*s", {"*d", "*s"}},
      {"%n", {"n"}},
      {"%1$s", {"?$"}},
      {"am Ende %", {"?"}},
  };
  for (const Case& c : cases) EXPECT_EQ(PrintfConversions(c.format), c.conversions) << c.format;
}

TEST_F(LanguageTest, TranslationsAreShownWithTheArgumentsAndLineBreaksOfTheGermanText) {
  struct Case {
    const char* key;
    const char* line;  // as in the file
    const char* german;
    const char* shown;
  } cases[] = {
      // The same arguments, however written.
      {"same", "%d of %d", "%d von %d", "%d of %d"},
      {"widths", "%5d of %-3d, 100%% done", "%d von %d", "%5d of %-3d, 100%% done"},
      // Other types, another order, more or fewer arguments: the German text.
      {"order", "%s then %d", "%d dann %s", "%d dann %s"},
      {"extra", "%d of %d%n", "%d von %d", "%d von %d"},
      {"wider", "%lld of %d", "%d von %d", "%d von %d"},
      {"fewer", "%d", "%d von %d", "%d von %d"},
      // Spaces kept at the ends; line breaks as the German text has them (LF alone in the
      // command-line tool's texts).
      {"lead", "\\s indented", "  eingerückt", "  indented"},
      {"trail", "colon:\\s", "Doppelpunkt: ", "colon: "},
      {"lf", "one\\ntwo\\n", "eins\nzwei\n", "one\ntwo\n"},
      {"crlf", "one\\ntwo", "eins\r\nzwei", "one\r\ntwo"},
  };
  std::string lines;
  for (const Case& c : cases) lines += std::string("W.") + c.key + "=" + c.line + "\n";
  UseEnglish(lines);
  TLanguageTable table("W", &dispatcher);
  for (const Case& c : cases) table.Add(c.key, c.german);
  for (const Case& c : cases) EXPECT_EQ(table.Text(c.key), c.shown) << c.key;
}

enum class DemoMsg { Hello, Count };
constexpr TMessageRow<DemoMsg> kDemoRows[] = {{DemoMsg::Hello, "Hello", "Hallo"}, {DemoMsg::Count, "Count", "%d Byte"}};
using TDemoMessages = TMessageTable<DemoMsg, kDemoRows>;

TEST_F(LanguageTest, ModuleTablesFollowEverySwitchAndEveryFile) {
  TLanguageMessages<TDemoMessages> texts("TDemo", &dispatcher);
  EXPECT_EQ(texts.Text(DemoMsg::Hello), "Hallo");

  std::ofstream(dir / "one.sil") << "[Languages]\n2=English\n[English]\nTDemo.Hello=Hello\nTDemo.Count=%s bytes\n";
  std::ofstream(dir / "two.sil") << "[Languages]\n2=English\n[English]\nTDemo.Hello=Hi\nTDemo.Count=%d bytes\n";
  dispatcher.LoadFile(dir / "one.sil");
  EXPECT_EQ(texts.Text(DemoMsg::Hello), "Hallo");  // German is still active
  dispatcher.SetActiveIndex(2);
  EXPECT_EQ(texts.Text(DemoMsg::Hello), "Hello");
  EXPECT_EQ(texts.Text(DemoMsg::Count), "%d Byte");  // "%s" would read a number as a text
  // A file loaded while English is active takes effect at once.
  dispatcher.LoadFile(dir / "two.sil");
  EXPECT_EQ(texts.Text(DemoMsg::Hello), "Hi");
  EXPECT_EQ(texts.Text(DemoMsg::Count), "%d bytes");
  dispatcher.LoadFile(dir / "none.sil");
  EXPECT_EQ(dispatcher.ActiveIndex(), 1);
  EXPECT_EQ(texts.Text(DemoMsg::Hello), "Hallo");
  EXPECT_STREQ(TDemoMessages::DefaultText(DemoMsg::Count), "%d Byte");
}

}  // namespace
}  // namespace quillon
