#include "vocabulary/countries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/text.h"

namespace quillon {
namespace {

bool IsUpperAscii(std::u16string_view s, size_t length) {
  return s.size() == length && std::all_of(s.begin(), s.end(), [](char16_t c) { return c >= u'A' && c <= u'Z'; });
}

bool Contains(std::u16string_view code3) {
  return std::any_of(ISO_3166_1.begin(), ISO_3166_1.end(),
                     [&](const TISO3166_1Entry& e) { return e.CountryCode3 == code3; });
}

TEST(Countries, TableIsTheSortedListOfItsTime) {
  ASSERT_EQ(244u, ISO_3166_1.size());
  EXPECT_EQ(u"ABW", ISO_3166_1.front().CountryCode3);
  EXPECT_EQ(u"AW", ISO_3166_1.front().CountryCode2);
  EXPECT_EQ(u"Aruba", ISO_3166_1.front().Name);
  EXPECT_EQ(u"ZWE", ISO_3166_1.back().CountryCode3);
  EXPECT_EQ(u"ZW", ISO_3166_1.back().CountryCode2);
  EXPECT_EQ(u"Zimbabwe", ISO_3166_1.back().Name);

  std::set<std::u16string_view> alpha2;
  for (size_t i = 0; i < ISO_3166_1.size(); ++i) {
    const TISO3166_1Entry& e = ISO_3166_1[i];
    SCOPED_TRACE(Format("entry %zu %s", i, Utf16ToUtf8(e.CountryCode3).c_str()));
    EXPECT_TRUE(IsUpperAscii(e.CountryCode3, 3));
    EXPECT_TRUE(IsUpperAscii(e.CountryCode2, 2));
    EXPECT_FALSE(e.Name.empty());
    EXPECT_TRUE(alpha2.insert(e.CountryCode2).second) << "alpha-2 code twice";
    if (i > 0) {
      EXPECT_LT(ISO_3166_1[i - 1].CountryCode3, e.CountryCode3);
    }
  }

  for (std::u16string_view code : {u"ANT", u"SRB", u"MNE", u"ALA", u"GGY", u"IMN", u"JEY", u"PSE", u"TLS"})
    EXPECT_TRUE(Contains(code)) << Utf16ToUtf8(code);
  for (std::u16string_view code : {u"BLM", u"MAF", u"BES", u"CUW", u"SXM", u"SSD", u"SCG", u"YUG"})
    EXPECT_FALSE(Contains(code)) << Utf16ToUtf8(code);
}

TEST(Countries, PackCountryCode) {
  struct Case {
    std::u16string text;
    uint32_t expected;
  };
  const Case cases[] = {
      {u"DEU", 0x444555},
      {u"DEU - Germany", 0x444555},  // a pick-list entry: its first three characters
      {u"deu", 0x646575},
      {u"", 0},
      {u"NO", 0x4E4F00},
      {u"N", 0x4E0000},
      {u"\u00C4\u00D6\u00FF", 0xC4D6FF},
      {u"\u0100AB", 0},
      {u"AB\u4E00", 0},
      {u"ABC\u4E00", 0x414243},  // the fourth character is not part of the code
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.text));
    EXPECT_EQ(c.expected, PackCountryCode(c.text));
  }
}

TEST(Countries, FindCountryEntry) {
  const TISO3166_1Entry* germany = FindCountryEntry(0x444555);
  ASSERT_NE(nullptr, germany);
  EXPECT_EQ(u"DEU", germany->CountryCode3);
  EXPECT_EQ(u"DE", germany->CountryCode2);
  EXPECT_EQ(u"Germany", germany->Name);

  EXPECT_EQ(germany, FindCountryEntry(0x646575));    // "deu"
  EXPECT_EQ(germany, FindCountryEntry(0x446555));    // "DeU"
  EXPECT_EQ(germany, FindCountryEntry(0xFF444555));  // only the low 24 bits are the code
  EXPECT_EQ(nullptr, FindCountryEntry(0));
  EXPECT_EQ(nullptr, FindCountryEntry(0xFF000000));
  EXPECT_EQ(nullptr, FindCountryEntry(0x585858));  // "XXX"
  EXPECT_EQ(nullptr, FindCountryEntry(0x444500));  // "DE" alone
  EXPECT_EQ(nullptr, FindCountryEntry(0xC44555));  // a non-ASCII letter is not folded onto "DEU"

  // Both ways for every entry, in upper and lower case.
  for (const TISO3166_1Entry& e : ISO_3166_1) {
    SCOPED_TRACE(Utf16ToUtf8(e.CountryCode3));
    uint32_t code = PackCountryCode(e.CountryCode3);
    EXPECT_EQ(&e, FindCountryEntry(code));
    EXPECT_EQ(&e, FindCountryEntry(code | 0x202020));
  }
}

TEST(Countries, DisplayTexts) {
  const TISO3166_1Entry* ivory = FindCountryEntry(PackCountryCode(u"CIV"));
  ASSERT_NE(nullptr, ivory);
  EXPECT_EQ(u"CIV - Côte d´Ivoire", CountryEntryText(*ivory));

  struct Case {
    uint32_t code;
    const char16_t* expected;
  };
  const Case cases[] = {
      {0x444555, u"DEU - Germany"},
      {0x6E6F72, u"NOR - Norway"},  // shown from the table, so upper case
      {0x434F44, u"COD - Congo, Democratic Republic"},
      {0x4B4F52, u"KOR - Korea, Republic"},
      {0x564154, u"VAT - Holy See (Vatican City State)"},
      {0x585858, u"XXX"},
      {0x787878, u"xxx"},
      {0, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Format("0x%06X", c.code));
    EXPECT_EQ(c.expected, CountryCodeDisplayText(c.code));
  }
}

}  // namespace
}  // namespace quillon
