#include <gtest/gtest.h>

#include <fstream>

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

}  // namespace
}  // namespace quillon
