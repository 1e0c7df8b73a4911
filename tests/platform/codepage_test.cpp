#include "platform/codepage.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace quillon {
namespace {

TEST(Codepage, Cp1252ToWide) {
  struct Case {
    unsigned char byte;
    char16_t expected;
  };
  const Case cases[] = {
      {0x00, u'\u0000'}, {0x41, u'A'},      {0x7F, u'\u007F'}, {0x80, u'\u20AC'}, {0x81, u'\u0081'},
      {0x82, u'\u201A'}, {0x83, u'\u0192'}, {0x85, u'\u2026'}, {0x88, u'\u02C6'}, {0x8A, u'\u0160'},
      {0x8C, u'\u0152'}, {0x8D, u'\u008D'}, {0x8E, u'\u017D'}, {0x8F, u'\u008F'}, {0x90, u'\u0090'},
      {0x91, u'\u2018'}, {0x94, u'\u201D'}, {0x96, u'\u2013'}, {0x97, u'\u2014'}, {0x98, u'\u02DC'},
      {0x99, u'\u2122'}, {0x9A, u'\u0161'}, {0x9C, u'\u0153'}, {0x9D, u'\u009D'}, {0x9E, u'\u017E'},
      {0x9F, u'\u0178'}, {0xA0, u'\u00A0'}, {0xA4, u'\u00A4'}, {0xE9, u'\u00E9'}, {0xFF, u'\u00FF'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Format("byte 0x%02X", c.byte));
    EXPECT_EQ(std::u16string(1, c.expected), Cp1252ToWide(std::string(1, static_cast<char>(c.byte))));
  }
}

TEST(Codepage, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::u16string wide = Cp1252ToWide(all);
  ASSERT_EQ(256u, wide.size());
  bool lossless = false;
  EXPECT_EQ(all, WideToCp1252(wide, &lossless));
  EXPECT_TRUE(lossless);
}

TEST(Codepage, UnmappableCharactersBecomeQuestionMarks) {
  bool lossless = true;
  EXPECT_EQ("\x80?A?\x9F", WideToCp1252(u"\u20AC\u0100A\u041F\u0178", &lossless));
  EXPECT_FALSE(lossless);
  EXPECT_EQ("", WideToCp1252(u"", &lossless));
  EXPECT_TRUE(lossless);
  EXPECT_EQ("??", WideToCp1252(u"\u2116\u0131"));  // no out-parameter needed
}

}  // namespace
}  // namespace quillon
