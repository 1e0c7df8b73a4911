#include "vocabulary/dvb_text.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "support/test_util.h"

namespace quillon {
namespace {

RawString Raw(const std::string& hex) { return ToRaw(test::HexToBytes(hex)); }

TEST(DvbText, ThreeCharCodeText) {
  EXPECT_EQ(u"deu", ThreeCharCodeText(0x646575));
  EXPECT_EQ(u"NOR", ThreeCharCodeText(0x4E4F52));
  EXPECT_EQ(u"", ThreeCharCodeText(0));
  EXPECT_EQ(u"deu", ThreeCharCodeText(0xFF646575));  // only the low 24 bits count
  EXPECT_EQ(std::u16string(u"\0\0A", 3), ThreeCharCodeText(0x41));
  EXPECT_EQ(u"\u00E9\u00FF\u0080", ThreeCharCodeText(0xE9FF80));
}

TEST(DvbText, BcdTextToInt) {
  struct Case {
    const char16_t* text;
    int32_t expected;
  };
  const Case cases[] = {
      {u"0x00069000", 69000}, {u"$0346", 346},    {u"0x01175000", 1175000}, {u"0x1A", 0},
      {u"1234", 1234},        {u"-42", -42},      {u"", 0},                 {u"0x", 0},
      {u"$", 0},              {u"0x$12", 0},      {u"$0x12", 0},            {u" 12", 0},
      {u"12a", 0},            {u"2147483647", 2147483647}, {u"-2147483648", -2147483647 - 1},
      {u"2147483648", 0},     {u"99999999999999999999", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.text));
    EXPECT_EQ(c.expected, BcdTextToInt(c.text));
  }
}

TEST(DvbText, CharTableCodeAndText) {
  struct Case {
    const char* hex;
    int code;
    const char16_t* text;
  };
  const Case cases[] = {
      {"", -1, u""},
      {"41 42", -1, u""},
      {"20", -1, u""},
      {"00 41", 0x00, u""},
      {"01 C0", 0x01, u"ISO 8859-5 - Latin/Cyrillic Alphabet"},
      {"02", 0x02, u"ISO 8859-6 - Latin/Arabic Alphabet"},
      {"03", 0x03, u"ISO 8859-7 - Latin/Greek Alphabet"},
      {"04", 0x04, u"ISO 8859-8 - Latin/Hebrew Alphabet"},
      {"05", 0x05, u"ISO 8859-9 - Latin Alphabet No. 5"},
      {"06", 0x06, u"ISO 8859-10 - Latin Alphabet No. 6"},
      {"07", 0x07, u"ISO 8859-11 - Latin/Thai Alphabet"},
      {"08", 0x08, u""},
      {"09", 0x09, u"ISO 8859-13 - Latin Alphabet No.7 (Baltic Rim)"},
      {"0A", 0x0A, u"ISO 8859-14 - Latin Alphabet No.8 (Celtic)"},
      {"0B", 0x0B, u"ISO 8859-15 - Latin Alphabet No.9"},
      {"10 00 05", 0x10, u""},
      {"11 00 41", 0x11, u"ISO 10646-1 - Basic Multilingual Plane"},
      {"14", 0x14, u"ISO 10646-1 Big5 - Traditional Chinese"},
      {"1F", 0x1F, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.hex);
    EXPECT_EQ(c.code, CharTableCode(Raw(c.hex)));
    EXPECT_EQ(c.text, CharTableText(Raw(c.hex)));
  }
}

TEST(DvbText, DvbTextToWide) {
  struct Case {
    const char* name;
    const char* hex;
    std::u16string expected;
  };
  const Case cases[] = {
      {"plain text through the code page", "5A 61 80 9F E9", u"Za\u20AC\u0178\u00E9"},
      {"UCS-2 big-endian", "11 00 41 04 1F", u"A\u041F"},
      {"UCS-2 odd count", "11 00 41 04", u""},
      {"UCS-2 selector only", "11", u""},
      {"Big5 selector read as 16-bit units", "14 4E 2D", u"\u4E2D"},
      {"8859-15 euro", "0B A4", u"\u20AC"},
      {"8859-15 S caron", "0B A6", u"\u0160"},
      {"8859-15 changed row", "0B A8 B4 B8 BC BD BE A5", u"\u0161\u017D\u017E\u0152\u0153\u0178\u00A5"},
      {"8859-5 Cyrillic", "01 A1 AC AD AE B0 CF D0 EF F1 FE FF",
       u"\u0401\u040C\u00AD\u040E\u0410\u042F\u0430\u044F\u0451\u045E\u045F"},
      {"8859-5 non-letters", "01 A0 F0 FD 41", u"\u00A0\u2116\u00A7A"},
      {"8859-9 Turkish", "05 D0 DD DE F0 FD FE", u"\u011E\u0130\u015E\u011F\u0131\u015F"},
      {"8859-9 rest is Latin-1", "05 C7 E7 FF 80", u"\u00C7\u00E7\u00FF\u0080"},
      {"unhandled table keeps its selector", "02 41 80", u"\u0002A\u20AC"},
      {"selector 0x00 kept", "00 41", std::u16string(u"\0A", 2)},
      {"three-byte selector not interpreted", "10 00 05 41", std::u16string(u"\u0010\0\u0005A", 4)},
      {"selector 0x1F kept", "1F 41", u"\u001FA"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::u16string out = u"stale";
    EXPECT_TRUE(DvbTextToWide(Raw(c.hex), out));
    EXPECT_EQ(c.expected, out);
    EXPECT_EQ(c.expected, DvbTextToWide(Raw(c.hex)));
  }
}

TEST(DvbText, DvbTextToWideOfEmptyInputFails) {
  std::u16string out = u"stale";
  EXPECT_FALSE(DvbTextToWide(RawString(), out));
  EXPECT_EQ(u"", out);
}

TEST(DvbText, StripHexTags) {
  struct Case {
    const char16_t* text;
    bool firstOnly;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"[0x0101]Das Erste", false, u"Das Erste"},
      {u"A [0x1] B [0x2] C", false, u" C"},
      {u"A [0x1] B [0x2] C", true, u" B [0x2] C"},
      {u"x] [0x1]y", false, u"y"},  // only a "]" after the tag ends it
      {u"[0x1]]", false, u"]"},
      {u"[0x12 open", false, u"[0x12 open"},
      {u"[0x1]a[0x2 open", false, u"a[0x2 open"},
      {u"[1x2] [0X3]", false, u"[1x2] [0X3]"},
      {u"", false, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(Utf16ToUtf8(c.text));
    EXPECT_EQ(c.expected, StripHexTags(c.text, c.firstOnly));
  }
}

TEST(DvbText, StripControlChars) {
  const std::u16string in(u"\u0000A\u001F\u0020\u007E\u007F\u0080\u0081\u0090\u0091\u0092\u0093\u009F\u00A0Z", 15);
  EXPECT_EQ(u"A\u0020\u007E\u0080\u0091\u0092\u00A0Z", StripControlChars(in));
  EXPECT_EQ(u"", StripControlChars(u"\u0001\u0086\u008A"));
}

}  // namespace
}  // namespace quillon
