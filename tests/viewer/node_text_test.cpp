#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/text.h"
#include "viewer/node_text.h"

namespace quillon::viewer {
namespace {

// The number texts are written without printf; they must spell every value as printf does.
TEST(NodeText, NumbersSpellAsPrintfDoes) {
  const uint32_t values[] = {0, 1, 9, 0xA, 0xF, 0x10, 0xFF, 0x100, 0x1234, 0xFFFF, 0x10000, 0xABCDEF, 0x7FFFFFFF,
                             0x80000000, 0xFFFFFFFF};
  for (uint32_t v : values) {
    for (int digits : {-1, 0, 1, 2, 4, 6, 8, 9, 12}) {
      SCOPED_TRACE(Format("value 0x%X, %d digits", v, digits));
      EXPECT_EQ(Hex(v, digits), Utf8ToUtf16(Format("0x%.*X", digits, v)));
    }
    EXPECT_EQ(Dec(v), Utf8ToUtf16(Format("%u", v)));
    EXPECT_EQ(Dec(-static_cast<int64_t>(v)), Utf8ToUtf16(Format("%lld", -static_cast<long long>(v))));
  }
  EXPECT_EQ(Dec(INT64_MIN), u"-9223372036854775808");
  EXPECT_EQ(Bits(12), u"12 Bit");
  EXPECT_EQ(Chars(0), u"0 Chars");
  EXPECT_EQ(ByteList({}), u"");
  EXPECT_EQ(ByteList({0x00, 0x0A, 0xF0, 0xFF}), u"00 0A F0 FF ");
}

// Short texts are printed once into a buffer on the stack, longer ones a second time.
TEST(NodeText, FormattedTextsOfAnyLength) {
  for (size_t length : {0u, 1u, 254u, 255u, 256u, 257u, 5000u}) {
    const std::string text(length, 'x');
    EXPECT_EQ(Fmt("[%s]", text.c_str()), Utf8ToUtf16("[" + text + "]")) << length;
  }
}

}  // namespace
}  // namespace quillon::viewer
