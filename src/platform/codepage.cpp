#include "platform/codepage.h"

#include <array>

namespace quillon {

namespace {

// Windows-1252 row 0x80..0x9F; every other byte is its Latin-1 character. The five
// undefined bytes keep their C1 control, as the platform's conversion does.
constexpr std::array<char16_t, 32> kRow80 = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

bool ByteOf(char16_t c, unsigned char& out) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    out = static_cast<unsigned char>(c);
    return true;
  }
  for (size_t i = 0; i < kRow80.size(); ++i)
    if (kRow80[i] == c) {
      out = static_cast<unsigned char>(0x80 + i);
      return true;
    }
  return false;
}

}  // namespace

std::u16string Cp1252ToWide(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    auto b = static_cast<unsigned char>(ch);
    out.push_back(b >= 0x80 && b <= 0x9F ? kRow80[b - 0x80] : static_cast<char16_t>(b));
  }
  return out;
}

std::string WideToCp1252(std::u16string_view text, bool* lossless) {
  std::string out;
  out.reserve(text.size());
  bool all = true;
  for (char16_t c : text) {
    unsigned char b;
    if (!ByteOf(c, b)) {
      b = '?';
      all = false;
    }
    out.push_back(static_cast<char>(b));
  }
  if (lossless) *lossless = all;
  return out;
}

}  // namespace quillon
