// The rules the grid cells read texts with and show values by.
#include "editor/cell_rules.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

#include "platform/text.h"

namespace quillon {
namespace {

std::string U8(std::u16string_view s) { return Utf16ToUtf8(s); }

struct IdCase {
  const char16_t* text;
  std::optional<uint16_t> id;
};

TEST(CellRules, IdRule) {
  const IdCase cases[] = {
      {u"0x0001", 1},     {u"1", 1},           {u"0", std::nullopt},   {u"0x0000", std::nullopt},
      {u"65536", std::nullopt}, {u"Sport", std::nullopt}, {u"0xFFFF", 0xFFFF}, {u"0xffff", 0xFFFF},
      {u"0X1a", 0x1A},    {u"$10", 16},        {u" 42 ", 42},         {u"65535", 0xFFFF},
      {u"-1", std::nullopt}, {u"0x", std::nullopt}, {u"", std::nullopt},  {u"0x10000", std::nullopt},
      {u"0xG1", std::nullopt}, {u"12a", std::nullopt}, {u"1 2", std::nullopt},
      {u"99999999999999999999999999", std::nullopt}, {u"0x-5", std::nullopt},
  };
  for (const IdCase& c : cases) EXPECT_EQ(ParseIDText(c.text), c.id) << U8(c.text);
}

TEST(CellRules, IdTextHasFourUpperCaseDigits) {
  EXPECT_EQ(IDText(255), u"0x00FF");
  EXPECT_EQ(IDText(0xABCD), u"0xABCD");
  EXPECT_EQ(IDText(0), u"0x0000");
}

TEST(CellRules, LogicalChannelRule) {
  struct Case {
    const char16_t* text;
    std::optional<int32_t> nr;
  } const cases[] = {
      {u"Sport", 0},  {u"", 0},          {u"16384", std::nullopt}, {u"-1", std::nullopt}, {u"16383", 16383},
      {u"0", 0},      {u"12", 12},       {u"$10", 16},             {u"99999999999999999999", std::nullopt},
      {u"1.5", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseLCNText(c.text), c.nr) << U8(c.text);
}

TEST(CellRules, DecimalNumbersTakeOnlyTheUsersSeparator) {
  struct Case {
    const char16_t* text;
    char16_t separator;
    std::optional<long double> value;
  } const cases[] = {
      {u"346,5", u',', 346.5L},   {u"346.5", u',', std::nullopt}, {u"346.5", u'.', 346.5L},
      {u"346,5", u'.', std::nullopt}, {u"6,9", u',', 6.9L},        {u" 114 ", u',', 114.0L},
      {u"-0,25", u',', -0.25L},   {u"+2", u',', 2.0L},            {u",5", u',', 0.5L},
      {u"1e3", u',', 1000.0L},    {u"1,5E-1", u',', 0.15L},       {u"1,2,3", u',', std::nullopt},
      {u"", u',', std::nullopt},  {u",", u',', std::nullopt},     {u"abc", u',', std::nullopt},
      {u"inf", u',', std::nullopt}, {u"1e", u',', std::nullopt},  {u"e5", u',', std::nullopt},
      {u"1-2", u',', std::nullopt}, {u"1e99999", u',', std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseDecimalText(c.text, c.separator), c.value) << U8(c.text);
}

TEST(CellRules, ByteFields) {
  struct Case {
    const char16_t* text;
    TByteParse status;
    uint8_t value;
  } const cases[] = {
      {u"0", TByteParse::Ok, 0},           {u"255", TByteParse::Ok, 255},      {u"17", TByteParse::Ok, 17},
      {u"256", TByteParse::OutOfRange, 0}, {u"-1", TByteParse::OutOfRange, 0}, {u"x", TByteParse::NotANumber, 0},
      {u"", TByteParse::NotANumber, 0},    {u"1,0", TByteParse::NotANumber, 0},
  };
  for (const Case& c : cases) {
    TByteResult r = ParseByteText(c.text);
    EXPECT_EQ(r.Status, c.status) << U8(c.text);
    if (r.Status == TByteParse::Ok) {
      EXPECT_EQ(r.Value, c.value) << U8(c.text);
    }
  }
}

TEST(CellRules, ServiceNamesAsShown) {
  EXPECT_EQ(ServiceNameText(u"[0x0012] Sport"), u" Sport");
  EXPECT_EQ(ServiceNameText(u"\u0086Das Erste\u0087"), u"Das Erste");
  EXPECT_EQ(ServiceNameText(u"\u0005[0x12]News[0x13]24"), u"24");
  EXPECT_EQ(ServiceNameText(u"Kanal [0x5"), u"Kanal [0x5");
}

TEST(CellRules, NamesCompareWithoutControlCharactersAndAsciiCase) {
  struct Case {
    const char16_t* a;
    const char16_t* b;
    int sign;
  } const cases[] = {
      {u"arte", u"ARTE", 0},  {u"\u0086ZDF", u"zdf", 0}, {u"abc", u"abd", -1}, {u"ab", u"abc", -1},
      {u"B", u"a", 1},        {u"_", u"a", 1},           // '_' lies above the upper-case letters
      {u"\u00E4", u"\u00C4", 1},                          // non-ASCII letters keep their case
      {u"", u"", 0},
  };
  for (const Case& c : cases) {
    int r = CompareServiceNames(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << U8(c.a) << " / " << U8(c.b);
  }
}

TEST(CellRules, ServiceIcons) {
  const std::set<int> tv{0x01, 0x04, 0x05, 0x06, 0x0B, 0x11, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B};
  const std::set<int> radio{0x02, 0x0A};
  const std::set<int> data{0x03, 0x0C, 0x0D, 0x10};
  for (int type = 0; type < 256; ++type) {
    int image = tv.count(type) ? kImageTV : radio.count(type) ? kImageRadio : data.count(type) ? kImageData : kImageNone;
    EXPECT_EQ(ServiceImageIndex(static_cast<uint8_t>(type), true), image) << type;
    EXPECT_EQ(ServiceImageIndex(static_cast<uint8_t>(type), false), image == kImageNone ? kImageNone : image + 1)
        << type;
  }
}

TEST(CellRules, ChannelListEntries) {
  TChListData list;
  list.SetListID(12);
  list.SetListName(u"Sport");
  EXPECT_EQ(ChannelListEntryText(list), u"12 - Sport");
  struct Case {
    const char16_t* text;
    int32_t id;
  } const cases[] = {{u"12 - Sport", 12}, {u"-1 - ", -1}, {u"255 - A B", 255}, {u"Sport", 0},
                     {u"", 0},            {u" 12", 0},    {u"$C - x", 0},      {u"99999999999 - x", 0}};
  for (const Case& c : cases) EXPECT_EQ(ChannelListIDFromText(c.text), c.id) << U8(c.text);
}

TEST(CellRules, ChannelListCellDropsAListThatIsGone) {
  TChListDataList lists;
  lists.push_back(std::make_unique<TChListData>());
  lists[0]->SetListID(12);
  lists[0]->SetListName(u"Sport");
  TServiceData service;
  service.SetChannelListID(12);
  EXPECT_EQ(ChannelListCellText(service, lists), u"12 - Sport");
  EXPECT_EQ(service.ChannelListID(), 12);
  lists.clear();
  EXPECT_EQ(ChannelListCellText(service, lists), u"");
  EXPECT_EQ(service.ChannelListID(), -1);
}

}  // namespace
}  // namespace quillon
