// The channel-list dialog's rules: unique ids, names, countries, adding, deleting and
// when the dialog may close.
#include "editor/ch_list_grid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/text.h"

namespace quillon {
namespace {

std::string U8(std::u16string_view s) { return Utf16ToUtf8(s); }

class ChListTest : public ::testing::Test {
 protected:
  TChListData& Add(int32_t id, const std::u16string& name = u"", uint32_t country = 0) {
    lists.push_back(std::make_unique<TChListData>());
    lists.back()->SetListID(id);
    lists.back()->SetListName(name);
    lists.back()->SetCountryCode(country);
    return *lists.back();
  }
  std::vector<std::string> Messages() const { return dialogs.Texts(); }

  RecordingDialogs dialogs;
  ScopedDialogs scoped{dialogs};
  TChListDataList lists;
  TChListMessages messages;
  TChListGridTable grid{lists, messages};
};

constexpr uint32_t kDEU = 0x444555;
constexpr uint32_t kNOR = 0x4E4F52;

TEST_F(ChListTest, IdRule) {
  struct Case {
    const char16_t* text;
    int32_t stored;  // the list had id 1; another list has 5
    bool message;
  } const cases[] = {
      {u"7", 7, false},   {u"0", 0, false},    {u"255", 255, false}, {u"-1", -1, false},
      {u"5", 1, false},   // taken: ignored without a word
      {u"256", 1, true},  {u"-2", 1, true},    {u"Sport", -1, false},  // no number: -1
      {u"99999999999", 1, true},
  };
  Add(5);
  TChListData& list = Add(1);
  for (const Case& c : cases) {
    list.SetListID(1);
    dialogs.Clear();
    grid.SetText(1, TChListGridTable::kID, c.text);
    EXPECT_EQ(list.ListID(), c.stored) << U8(c.text);
    EXPECT_EQ(Messages(), c.message ? std::vector<std::string>{"Eingegebene Listen-ID ist ungültig (0..255)!"}
                                    : std::vector<std::string>{})
        << U8(c.text);
  }
  // A text that is no number gives -1 only while no other list has -1.
  lists[0]->SetListID(-1);
  list.SetListID(1);
  grid.SetText(1, TChListGridTable::kID, u"Sport");
  EXPECT_EQ(list.ListID(), 1);
}

TEST_F(ChListTest, TwoListsCannotShareAnId) {
  Add(-1);
  Add(-1);
  EXPECT_TRUE(grid.SetText(0, TChListGridTable::kID, u"5"));
  EXPECT_FALSE(grid.SetText(1, TChListGridTable::kID, u"5"));
  EXPECT_EQ(lists[1]->ListID(), -1);
  EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ChListTest, CellTexts) {
  Add(-1);
  Add(12, u"Sport", kDEU);
  Add(3, u"Kids", 0x414243);  // "ABC": no country of the table
  Add(4, u"x", 0x646575);     // "deu": found in any letter case
  const std::vector<std::vector<std::string>> expected{
      {"", "", ""}, {"12", "Sport", "DEU - Germany"}, {"3", "Kids", "ABC"}, {"4", "x", "DEU - Germany"}};
  for (size_t r = 0; r < lists.size(); ++r) {
    std::vector<std::string> row;
    for (int c = 0; c < grid.ColumnCount(); ++c) row.push_back(U8(grid.Text(r, c)));
    EXPECT_EQ(row, expected[r]) << r;
  }
  EXPECT_EQ(U8(grid.Header(0)) + "|" + U8(grid.Header(1)) + "|" + U8(grid.Header(2)), "ID|Name|Länder-Code");
  EXPECT_TRUE(grid.RightAligned(TChListGridTable::kID));
  EXPECT_FALSE(grid.RightAligned(TChListGridTable::kName));
}

TEST_F(ChListTest, NamesAreCutAt255Characters) {
  TChListData& list = Add(1);
  const std::u16string long300(300, u'n');
  EXPECT_TRUE(grid.SetText(0, TChListGridTable::kName, long300));
  EXPECT_EQ(list.ListName(), std::u16string(255, u'n'));
  // A character outside the BMP is not cut in half.
  std::u16string pair = std::u16string(254, u'a') + u"\U0001F4FA" + u"b";
  EXPECT_TRUE(grid.SetText(0, TChListGridTable::kName, pair));
  EXPECT_EQ(list.ListName(), std::u16string(254, u'a'));
  EXPECT_TRUE(grid.SetText(0, TChListGridTable::kName, u"Sport"));
  EXPECT_EQ(list.ListName(), u"Sport");
}

TEST_F(ChListTest, CountryPickList) {
  std::vector<TPickItem> items = grid.PickList(TChListGridTable::kCountry);
  ASSERT_EQ(items.size(), 244u);
  EXPECT_EQ(U8(items.front().Text), "ABW - Aruba");
  EXPECT_EQ(U8(items.back().Text), "ZWE - Zimbabwe");
  EXPECT_EQ(grid.Editor(TChListGridTable::kCountry), TCellEditor::PickList);
  EXPECT_EQ(grid.Editor(TChListGridTable::kID), TCellEditor::Text);

  TChListData& list = Add(1);
  EXPECT_TRUE(grid.SetText(0, TChListGridTable::kCountry, u"DEU - Germany"));
  EXPECT_EQ(list.CountryCode(), kDEU);
  EXPECT_EQ(U8(grid.Text(0, TChListGridTable::kCountry)), "DEU - Germany");
  EXPECT_TRUE(grid.SetCode(0, TChListGridTable::kCountry, static_cast<int32_t>(kNOR)));
  EXPECT_EQ(list.CountryCode(), kNOR);
  EXPECT_FALSE(grid.SetCode(0, TChListGridTable::kCountry, 0x414243)) << "not an entry of the table";
  EXPECT_TRUE(dialogs.shown.empty());

  EXPECT_FALSE(grid.SetText(0, TChListGridTable::kCountry, u"XYZ - Nowhere"));
  EXPECT_EQ(list.CountryCode(), kNOR);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Eingegebener Länder-Code ist ungültig!"});
}

TEST_F(ChListTest, AddingDeletingAndEditingMarkModified) {
  EXPECT_FALSE(grid.Modified());
  EXPECT_EQ(grid.AddList(), 0u);
  EXPECT_TRUE(grid.Modified());
  EXPECT_EQ(lists[0]->ListID(), -1);
  EXPECT_EQ(lists[0]->ListName(), u"");
  EXPECT_EQ(lists[0]->CountryCode(), 0u);

  TChListGridTable renamed(lists, messages);
  EXPECT_FALSE(renamed.SetText(0, TChListGridTable::kName, u""));
  EXPECT_FALSE(renamed.Modified()) << "no change";
  EXPECT_TRUE(renamed.SetText(0, TChListGridTable::kName, u"Sport"));
  EXPECT_TRUE(renamed.Modified());

  TChListGridTable deleting(lists, messages);
  EXPECT_FALSE(deleting.DeleteList(-1));
  EXPECT_FALSE(deleting.DeleteList(1));
  EXPECT_FALSE(deleting.Modified());
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[0].kind, DialogKind::ErrorCancel);
  EXPECT_EQ(dialogs.shown[0].text, "Kein Eintrag zum Löschen markiert!");
  EXPECT_TRUE(deleting.DeleteList(0));
  EXPECT_TRUE(lists.empty());
  EXPECT_TRUE(deleting.Modified());
}

TEST_F(ChListTest, ClosingNeedsCompleteLists) {
  EXPECT_TRUE(grid.CanClose()) << "no lists";
  struct Case {
    int32_t id;
    const char16_t* name;
    uint32_t country;
    bool closes;
  } const cases[] = {
      {1, u"Sport", kNOR, true}, {-1, u"Sport", kNOR, false}, {1, u"", kNOR, false},
      {1, u"Sport", 0, false},   {0, u"S", 0x414243, true},  // any non-zero code counts here
  };
  for (const Case& c : cases) {
    lists.clear();
    Add(2, u"Kids", kDEU);
    Add(c.id, c.name, c.country);
    dialogs.Clear();
    EXPECT_EQ(grid.CanClose(), c.closes) << c.id << " " << U8(c.name);
    EXPECT_EQ(Messages(), c.closes ? std::vector<std::string>{}
                                   : std::vector<std::string>{"Eingegebene Listen-Einträge sind ungültig!"});
  }
}

TEST_F(ChListTest, ANewListMustBeFilledInBeforeClosing) {
  grid.AddList();
  EXPECT_FALSE(grid.CanClose());
  grid.SetText(0, TChListGridTable::kID, u"1");
  grid.SetText(0, TChListGridTable::kName, u"Main");
  EXPECT_FALSE(grid.CanClose());
  grid.SetText(0, TChListGridTable::kCountry, u"NOR - Norway");
  EXPECT_TRUE(grid.CanClose());
  EXPECT_EQ(lists[0]->CountryCode(), kNOR);
}

}  // namespace
}  // namespace quillon
